#include "config/ini_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <limits>
#include <utility>

#include "util/atomic_file.h"
#include "util/bounded_file.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::string_view kCrLf = "\r\n";

unsigned char AsciiUpper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(static_cast<unsigned char>(a[i])) !=
        AsciiUpper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

// The reader drops quotes only when one stands right after "=", and then only that character
// toggles; spaces around a value are trimmed.  A value holding ";" is therefore wrapped in a
// quote it does not contain.  One that starts with a quote but holds no ";" goes out after a
// space, which the reader trims: the quote then is an ordinary character, whichever quotes the
// value holds.  A value holding both quotes and ";" cannot be written faithfully and goes out
// bare.
std::string ValueForLine(const std::string& value) {
  if (value.empty()) return value;
  if (value.find(kIniCommentChar) != std::string::npos) {
    for (char q : {'"', '\''}) {
      if (value.find(q) == std::string::npos) return q + value + q;
    }
    return value;
  }
  return IsQuote(value.front()) ? " " + value : value;
}

enum class ReadResult { kOk, kMissing, kFailed };

// Reads the whole file.  A read error keeps what came before it, minus the unfinished line.
// A file over kMaxIniFileBytes is not read at all: `why` says so.
ReadResult ReadAll(const std::string& path, std::string& data, Status& why) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    return (errno == ENOENT || errno == ENOTDIR) ? ReadResult::kMissing : ReadResult::kFailed;
  }
  struct stat st {};
  if (::fstat(::fileno(f), &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<unsigned long long>(st.st_size) > kMaxIniFileBytes) {
    std::fclose(f);
    why = Status::Error(ErrCode::kBadInput,
                        path + " is " + SizeText(static_cast<unsigned long long>(st.st_size)) +
                            ", more than the " + SizeText(kMaxIniFileBytes) +
                            " a configuration file may have: not read",
                        path);
    return ReadResult::kFailed;
  }
  char buf[8192];
  std::size_t n;
  bool tooLong = false;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (data.size() + n > kMaxIniFileBytes) {  // a pipe or a file that grows
      tooLong = true;
      break;
    }
    data.append(buf, n);
  }
  bool failed = std::ferror(f) != 0 || tooLong;
  if (tooLong) {
    data.clear();
    why = Status::Error(ErrCode::kBadInput,
                        path + " is over " + SizeText(kMaxIniFileBytes) +
                            ", more than a configuration file may have: not read",
                        path);
  } else if (failed) {
    auto lastEnd = data.find_last_of("\r\n");
    data.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
    why = Status::Error(ErrCode::kIo, "cannot read " + path + " whole", path);
  }
  std::fclose(f);
  return failed ? ReadResult::kFailed : ReadResult::kOk;
}

// Calls `take` for each line; CR LF, LF and a lone CR all end a line.
template <typename F>
void ForEachLine(std::string_view data, F take) {
  std::size_t pos = 0;
  while (pos < data.size()) {
    std::size_t eol = data.find_first_of("\r\n", pos);
    if (eol == std::string_view::npos) {
      take(data.substr(pos));
      return;
    }
    take(data.substr(pos, eol - pos));
    pos = eol + 1;
    if (data[eol] == '\r' && pos < data.size() && data[pos] == '\n') ++pos;
  }
}

}  // namespace

std::uint32_t IniHash(std::string_view name) {
  std::uint32_t h = 0;
  for (char c : name) h = h * 496u + AsciiUpper(static_cast<unsigned char>(c));
  return h;
}

IniEntry ParseIniLine(std::string_view line) {
  IniEntry e;
  e.text = std::string(line);
  std::size_t eq = line.find('=');
  std::size_t semi = line.find(kIniCommentChar);
  if (eq == std::string_view::npos || (semi != std::string_view::npos && semi < eq)) {
    e.comment = std::string(line);
    return e;
  }
  e.hasTag = true;
  e.tag = std::string(line.substr(0, eq));
  e.tagHash = IniHash(e.tag);
  std::size_t i = eq + 1;
  char quote = 0;
  bool quoted = false;
  if (i < line.size() && IsQuote(line[i])) {
    quote = line[i++];
    quoted = true;
  }
  std::string value;
  for (; i < line.size(); ++i) {
    char c = line[i];
    if (quote != 0 && c == quote) {
      quoted = !quoted;
    } else if (!quoted && c == kIniCommentChar) {
      e.comment = std::string(line.substr(i + 1));
      break;
    } else {
      value += c;
    }
  }
  e.value = Trim(value);
  return e;
}

std::string IniEntryLine(const IniEntry& entry) {
  if (entry.text) return *entry.text;
  std::string line = entry.tag + "=" + ValueForLine(entry.value);
  if (Trim(line) == "=") {
    line = entry.comment;
  } else if (!entry.comment.empty()) {
    line += " ; " + entry.comment;
  }
  // One entry is one line: a line break inside a value must not split it into two.
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return line;
}

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {
  AddSection(kIniMainSection);
  Read();
}

IniFile::~IniFile() {
  if (IsModified()) Update();
}

void IniFile::Read() {
  std::string data;
  ReadResult result = ReadAll(fileName_, data, readError_);
  fileFound_ = result != ReadResult::kMissing;
  readFailed_ = result == ReadResult::kFailed;
  IniSection* current = &sections_.front();
  // Lines are kept whole, however long: a line the program never sets is written back byte for
  // byte.
  ForEachLine(data, [&](std::string_view line) {
    std::string s = Trim(line);
    if (s.empty()) return;
    if (s.front() == '[') {
      std::size_t close = s.find(']');
      std::string name = s.substr(1, close == std::string::npos ? std::string::npos : close - 1);
      current = &AddSection(name);
      current->header = std::string(line);
      return;
    }
    current->entries.push_back(ParseIniLine(line));
  });
}

IniSection& IniFile::AddSection(std::string_view name) {
  IniSection& sec = sections_.emplace_back();
  sec.name = std::string(name);
  sec.nameHash = IniHash(name);
  return sec;
}

std::string IniFile::Render() const {
  std::string out;
  std::size_t index = 0;
  for (const IniSection& sec : sections_) {
    if (index > 0) {
      out += sec.header ? *sec.header : "[" + sec.name + "]";
      out += kCrLf;
    }
    for (const IniEntry& e : sec.entries) {
      out += IniEntryLine(e);
      out += kCrLf;
    }
    bool last = index + 1 == sections_.size();
    if ((index > 0 || !sec.entries.empty()) && !last) out += kCrLf;
    ++index;
  }
  return out;
}

bool IniFile::Update() {
  if (readFailed_) {
    lastError_ =
        Status::Error(ErrCode::kIo, "not overwritten, it could not be read whole: " + fileName_);
    return false;
  }
  Status st = ReplaceFileAtomically(fileName_, Render());
  if (!st.ok()) {
    lastError_ = std::move(st);
    return false;
  }
  for (IniSection& sec : sections_) {
    for (IniEntry& e : sec.entries) e.modified = false;
  }
  structureModified_ = false;
  lastError_ = Status::Ok();
  return true;
}

bool IniFile::IsModified() const {
  if (structureModified_) return true;
  for (const IniSection& sec : sections_) {
    for (const IniEntry& e : sec.entries) {
      if (e.modified) return true;
    }
  }
  return false;
}

const IniSection* IniFile::SearchSection(std::string_view name) const {
  std::uint32_t hash = IniHash(name);
  for (const IniSection& sec : sections_) {
    if (sec.nameHash == hash && SameName(sec.name, name)) return &sec;
  }
  return nullptr;
}

IniSection* IniFile::SearchSection(std::string_view name) {
  return const_cast<IniSection*>(std::as_const(*this).SearchSection(name));
}

const IniEntry* IniFile::SearchEntry(std::string_view section, std::string_view key) const {
  const IniSection* sec = SearchSection(section);
  if (sec == nullptr) return nullptr;
  std::uint32_t hash = IniHash(key);
  for (const IniEntry& e : sec->entries) {
    if (e.hasTag && e.tagHash == hash && SameName(e.tag, key)) return &e;
  }
  return nullptr;
}

IniEntry* IniFile::SearchEntry(std::string_view section, std::string_view key) {
  return const_cast<IniEntry*>(std::as_const(*this).SearchEntry(section, key));
}

void IniFile::ForEachSection(const std::function<void(const IniSection&)>& action) const {
  for (const IniSection& sec : sections_) action(sec);
}

void IniFile::ForEachEntry(std::string_view section,
                           const std::function<void(const IniEntry&)>& action) const {
  const IniSection* sec = SearchSection(section);
  if (sec == nullptr) return;
  for (const IniEntry& e : sec->entries) action(e);
}

void IniFile::DeleteSection(std::string_view name) {
  IniSection* sec = SearchSection(name);
  if (sec == nullptr) return;
  // The first section is written without a header; removing it would make the next section
  // lose its header, so only its lines go.
  if (sec == &sections_.front()) {
    if (sec->entries.empty()) return;
    sec->entries.clear();
  } else {
    sections_.remove_if([sec](const IniSection& s) { return &s == sec; });
  }
  structureModified_ = true;
}

std::string IniFile::GetEntry(std::string_view section, std::string_view key,
                              std::string_view defaultValue) const {
  const IniEntry* e = SearchEntry(section, key);
  return e != nullptr ? e->value : std::string(defaultValue);
}

void IniFile::SetEntry(std::string_view section, std::string_view key, std::string_view value) {
  std::string v(value);
  if (IniEntry* e = SearchEntry(section, key)) {
    if (e->value != v) {
      e->value = std::move(v);
      e->text.reset();
      e->modified = true;
    }
    return;
  }
  if (v.empty() && !createEmptyEntries) return;
  IniSection* sec = SearchSection(section);
  if (sec == nullptr) sec = &AddSection(section);
  // Built directly rather than by splitting key=value: a value with ";" would otherwise leave
  // its tail behind as a comment of the new line.
  IniEntry& e = sec->entries.emplace_back();
  e.hasTag = true;
  e.tag = std::string(key);
  e.tagHash = IniHash(key);
  e.value = std::move(v);
  e.modified = true;
}

std::int32_t IniFile::GetIntEntry(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
  const IniEntry* e = SearchEntry(section, key);
  if (e == nullptr) return defaultValue;
  long long n = 0;
  if (!TryStrToInt(e->value, n)) return defaultValue;
  if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max())
    return defaultValue;
  return static_cast<std::int32_t>(n);
}

void IniFile::SetIntEntry(std::string_view section, std::string_view key, std::int32_t value) {
  SetEntry(section, key, IntToStr(value));
}

}  // namespace vk
