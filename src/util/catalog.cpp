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
  // No msgid holds a Cyrillic letter (CP866 0x80-0xAF, 0xE0-0xF1; the frame characters between
  // may stand in a column header): the catalogue translates English texts.
  englishIds_ = !pairs_.empty() && std::all_of(pairs_.begin(), pairs_.end(), [](const auto& p) {
    return std::none_of(p.first.begin(), p.first.end(), [](char ch) {
      const auto c = static_cast<unsigned char>(ch);
      return (c >= 0x80 && c <= 0xAF) || (c >= 0xE0 && c <= 0xF1);
    });
  });
  // A longer text first: a phrase inside it must not be replaced before the whole.
  std::sort(pairs_.begin(), pairs_.end(),
            [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
  return Status::Ok();
}

namespace {

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// `id` found at `at` of `text` stands as whole words: no letter or digit runs on from either
// end into the text around it.
bool WholeWords(const std::string& text, std::size_t at, const std::string& id) {
  const std::size_t end = at + id.size();
  if (IsWordChar(id.front()) && at > 0 && IsWordChar(text[at - 1])) return false;
  if (IsWordChar(id.back()) && end < text.size() && IsWordChar(text[end])) return false;
  return true;
}

}  // namespace

std::string MessageCatalog::Translate(std::string_view cp866) const {
  std::string text(cp866);
  if (englishIds_) {
    // The whole text first, without the blanks that pad it to its place.
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return text;
    const std::size_t last = text.find_last_not_of(' ');
    const std::string core = text.substr(first, last - first + 1);
    for (const auto& [id, russian] : pairs_) {
      if (id == core) return text.substr(0, first) + russian + text.substr(last + 1);
    }
    // Then the phrases inside it.  A single word is translated only as a whole text: inside a
    // sentence it may be a name or a call ("Rate", "Check", "Station").
    for (const auto& [id, russian] : pairs_) {
      if (std::all_of(id.begin(), id.end(), IsWordChar)) continue;
      for (std::size_t at = text.find(id); at != std::string::npos; at = text.find(id, at)) {
        if (!WholeWords(text, at, id)) {
          ++at;
          continue;
        }
        text.replace(at, id.size(), russian);
        at += russian.size();
      }
    }
    return text;
  }
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

bool MessageCatalog::Knows(std::string_view cp866) const {
  const std::size_t first = cp866.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  const std::string_view core = cp866.substr(first, cp866.find_last_not_of(' ') - first + 1);
  for (const auto& [id, translation] : pairs_) {
    if (id == core) return true;
  }
  return Translate(cp866) != cp866;
}

std::string ChooseLanguage(std::string_view configured, std::string_view environment) {
  const std::string c = LowerCase(Trim(configured));
  if (c == "ru" || c == "en") return c;
  return environment == "ru" ? "ru" : "en";
}

std::string ChooseLanguage(std::string_view configured) {
  return ChooseLanguage(configured, EnvironmentLanguage());
}

std::string EnvironmentLanguage() {
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
