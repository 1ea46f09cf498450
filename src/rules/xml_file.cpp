#include "rules/xml_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "log/journal.h"
#include "util/bounded_file.h"
#include "util/strings.h"

namespace vk {

Status LoadXmlFile(const std::string& path, pugi::xml_document& doc, Journal* journal) {
  doc.reset();
  std::string text;
  if (Status s = ReadFileBounded(path, kMaxRulesFileBytes, text); !s) {
    if (s.code != ErrCode::kBadInput) {
      return Status::Error(ErrCode::kNotFound, "cannot read " + path, path);
    }
    JournalAppend(journal, s.message);
    return s;
  }
  // encoding_utf8 hands the bytes through unconverted: the files are Windows-1251, which
  // pugixml does not know, and the program keeps those bytes as they are.
  pugi::xml_parse_result r =
      doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8);
  if (r) return Status::Ok();
  auto offset = static_cast<std::size_t>(std::max<std::ptrdiff_t>(r.offset, 0));
  offset = std::min(offset, text.size());
  int line = 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
  std::string message = std::string("XML error in ") + path + " at offset " +
                        IntToStr(static_cast<long long>(offset)) + " (line " + IntToStr(line) +
                        "): " + r.description();
  JournalAppend(journal, message);
  return Status::Error(ErrCode::kBadInput, message, path, line);
}

std::string FileTitle(const std::string& path, Journal* journal) {
  pugi::xml_document doc;
  LoadXmlFile(path, doc, journal);
  pugi::xml_node root = doc.document_element();
  if (std::string_view(root.name()) != "contest_rules") return {};
  return std::string(FirstAttribute(root));
}

}  // namespace vk
