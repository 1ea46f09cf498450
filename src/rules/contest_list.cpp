#include "rules/contest_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "rules/xml_file.h"
#include "util/bounded_file.h"
#include "util/strings.h"

namespace vk {

namespace {

std::string Cut(std::string s, std::size_t width) {
  if (s.size() > width) s.resize(width);
  return s;
}

bool HasXmlExtension(const std::string& name) {
  return name.size() > 4 && LowerCase(name.substr(name.size() - 4)) == ".xml";
}

std::vector<std::string> XmlFilesIn(const std::string& dir) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return names;
  for (const auto& entry : it) {
    std::error_code fec;
    if (!entry.is_regular_file(fec)) continue;
    std::string name = entry.path().filename().string();
    if (HasXmlExtension(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

ContestList::ContestList(std::string dataDir, Journal* journal)
    : dataDir_(std::move(dataDir)), journal_(journal) {
  entries_.push_back({kDefaultContestTitle, kDefaultContestFile});
}

ContestList ContestList::Build(const std::string& dataDir, Journal* journal) {
  ContestList list(dataDir, journal);
  for (auto& name : XmlFilesIn(dataDir)) {
    if (name == kDefaultContestFile) continue;
    std::string title = Win1251ToCp866(FileTitle(list.PathOf(name), journal));
    list.entries_.push_back({Cut(std::move(title), kContestTitleWidth),
                             Cut(std::move(name), kContestFileNameWidth)});
  }
  return list;
}

std::string ContestList::OversizedFiles() const {
  std::string text;
  for (const auto& entry : entries_) {
    const std::string path = PathOf(entry.fileName);
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size <= kMaxRulesFileBytes) continue;
    if (!text.empty()) text += "; ";
    text += path + " is " + SizeText(size) + ", more than the " + SizeText(kMaxRulesFileBytes) +
            " a rules file may have: not read";
  }
  return text;
}

std::string ContestList::Title(std::size_t index) const {
  return index < entries_.size() ? entries_[index].title : std::string{};
}

std::string ContestList::FileName(std::size_t index) const {
  return index < entries_.size() ? entries_[index].fileName : std::string{};
}

std::string ContestList::PathOf(std::string_view fileName) const {
  return dataDir_ + "/" + std::string(fileName);
}

std::vector<std::string> ContestList::DisplayNames(std::size_t index) const {
  std::vector<std::string> names;
  if (index >= entries_.size()) return names;
  pugi::xml_document doc;
  LoadXmlFile(PathOf(entries_[index].fileName), doc, journal_);
  for (pugi::xml_node c : RootElements(doc)) {
    if (c.type() == pugi::node_element) names.push_back(Win1251ToCp866(SecondAttribute(c)));
  }
  return names;
}

std::string ContestList::ContestNameOfDisplayName(std::size_t index,
                                                  std::string_view displayName) const {
  std::string result;
  if (index >= entries_.size()) return result;
  std::string wanted = Cp866ToWin1251(displayName);
  pugi::xml_document doc;
  LoadXmlFile(PathOf(entries_[index].fileName), doc, journal_);
  for (pugi::xml_node c : RootElements(doc)) {
    if (c.type() == pugi::node_element && SecondAttribute(c) == wanted)
      result = FirstAttribute(c);
  }
  return result;
}

std::string ContestList::DisplayNameOfContestName(std::string_view contestName) const {
  std::string result;
  for (const auto& entry : entries_) {
    pugi::xml_document doc;
    LoadXmlFile(PathOf(entry.fileName), doc, journal_);
    for (pugi::xml_node c : RootElements(doc)) {
      if (c.type() == pugi::node_element && FirstAttribute(c) == contestName) {
        result = Win1251ToCp866(SecondAttribute(c));
        break;
      }
    }
  }
  return result;
}

std::string ContestList::FindContestFile(std::string_view contestName) const {
  std::string found;
  for (const auto& entry : entries_) {
    pugi::xml_document doc;
    LoadXmlFile(PathOf(entry.fileName), doc, journal_);
    for (pugi::xml_node c : RootElements(doc)) {
      if (c.type() == pugi::node_element && FirstAttribute(c) == contestName) {
        found = entry.fileName;
        break;
      }
    }
  }
  return found;
}

}  // namespace vk
