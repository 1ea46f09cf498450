#include "util/catalog.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "util/strings.h"

namespace vk {

namespace {

constexpr std::uint32_t kMagic = 0x950412DE;
constexpr std::uint32_t kMagicSwapped = 0xDE120495;

std::uint32_t Word(const std::string& data, std::size_t at, bool swapped) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    const auto b = static_cast<std::uint8_t>(data[at + static_cast<std::size_t>(i)]);
    v |= static_cast<std::uint32_t>(b) << (swapped ? 8 * (3 - i) : 8 * i);
  }
  return v;
}

// The string at table entry `index` (length, offset), or false when it lies outside the file.
bool StringAt(const std::string& data, std::uint32_t table, std::uint32_t index, bool swapped,
              std::string& out) {
  const std::size_t entry = static_cast<std::size_t>(table) + 8u * index;
  if (entry + 8 > data.size()) return false;
  const std::uint32_t length = Word(data, entry, swapped);
  const std::uint32_t offset = Word(data, entry + 4, swapped);
  if (static_cast<std::size_t>(offset) + length > data.size()) return false;
  out.assign(data, offset, length);
  return true;
}

std::string LanguageOf(const char* value) {
  if (value == nullptr || *value == '\0') return {};
  const std::string_view v(value);
  if (v == "C" || v.rfind("C.", 0) == 0 || v == "POSIX") return "en";
  return v.rfind("ru", 0) == 0 ? "ru" : "en";
}

}  // namespace

Status MessageCatalog::Load(const std::string& moPath) {
  pairs_.clear();
  std::ifstream in(moPath, std::ios::binary);
  if (!in) return Status::Error(ErrCode::kNotFound, moPath + ": not found");
  const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (data.size() < 20) return Status::Error(ErrCode::kBadInput, moPath + ": not a catalogue");
  const std::uint32_t magic = Word(data, 0, false);
  if (magic != kMagic && magic != kMagicSwapped) {
    return Status::Error(ErrCode::kBadInput, moPath + ": not a catalogue");
  }
  const bool swapped = magic == kMagicSwapped;
  const std::uint32_t count = Word(data, 8, swapped);
  const std::uint32_t originals = Word(data, 12, swapped);
  const std::uint32_t translations = Word(data, 16, swapped);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string id, text;
    if (!StringAt(data, originals, i, swapped, id) ||
        !StringAt(data, translations, i, swapped, text)) {
      pairs_.clear();
      return Status::Error(ErrCode::kBadInput, moPath + ": entry outside the file");
    }
    if (id.empty() || text.empty()) continue;  // the header entry, untranslated entries
    pairs_.emplace_back(Utf8ToCp866(id), Utf8ToCp866(text));
  }
  // A longer text first: a phrase inside it must not be replaced before the whole.
  std::sort(pairs_.begin(), pairs_.end(),
            [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
  return Status::Ok();
}

std::string MessageCatalog::Translate(std::string_view cp866) const {
  std::string text(cp866);
  // English texts are plain ASCII: only a text with a byte above 127 can hold a msgid.
  if (std::none_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) return text;
  for (const auto& [id, english] : pairs_) {
    for (std::size_t at = text.find(id); at != std::string::npos;
         at = text.find(id, at + english.size())) {
      text.replace(at, id.size(), english);
    }
  }
  return text;
}

std::string ChooseLanguage(std::string_view configured) {
  const std::string c = LowerCase(Trim(configured));
  if (c == "ru" || c == "en") return c;
  // LANGUAGE is a list ("ru:en"); its first entry decides.
  if (const char* list = std::getenv("LANGUAGE"); list != nullptr && *list != '\0') {
    return LanguageOf(std::string(list).substr(0, std::string(list).find(':')).c_str());
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (std::string lang = LanguageOf(std::getenv(name)); !lang.empty()) return lang;
  }
  return "en";
}

}  // namespace vk
