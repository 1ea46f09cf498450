// The INI-style settings file: sections of key=value lines, read whole into memory and written
// back whole.  A line the program did not change is written back byte for byte as it was read,
// so hand-written comments and the sections of other readers survive every save.  Bytes stay in
// the console code page (CP866); nothing here converts them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

inline constexpr char kIniCommentChar = ';';
// The first section holds the lines before the first header and is written without a header.
inline constexpr std::string_view kIniMainSection = "MainSection";

// h := h * 496 + c over the name upper-cased in ASCII only (Cyrillic bytes unchanged), mod 2^32.
// It only speeds up the search; a match also needs equal upper-cased names.
std::uint32_t IniHash(std::string_view name);

// One line of the file.
struct IniEntry {
  // The line exactly as read; dropped when the value changes, and the line is then rebuilt.
  std::optional<std::string> text;
  bool hasTag = false;  // comment lines and lines without "=" have no key
  std::string tag;      // the characters before the first "=", spaces included
  std::uint32_t tagHash = 0;
  std::string value;
  std::string comment;  // after the ";" that ended the value; for a keyless line, the whole line
  bool modified = false;
};

struct IniSection {
  std::string name;
  std::uint32_t nameHash = 0;
  // The header line as read, written back unchanged (a comment after "]" survives).  Empty for
  // sections the program created; they get "[" + name + "]".
  std::optional<std::string> header;
  std::list<IniEntry> entries;  // a list: pointers handed out stay valid while entries are added
};

// Splits one line into tag, value and comment.  A value quoted right after "=" may hold ";";
// a quote anywhere else is an ordinary character.
IniEntry ParseIniLine(std::string_view line);
// The line an entry writes: its text if unchanged, else tag=value with the comment appended.
std::string IniEntryLine(const IniEntry& entry);

// vorkan.cfg and its kind hold a few hundred lines; a file of megabytes (a runaway line, a
// file put there by mistake) would take the station's memory, whatever it holds.
inline constexpr std::size_t kMaxIniFileBytes = 1u << 20;

class IniFile {
 public:
  // Reads the file at once.  A missing or unreadable file gives just the empty first section.
  explicit IniFile(std::string fileName);
  // A modified file is written once more here, so a failed Update gets a second try.
  ~IniFile();
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;

  const std::string& FileName() const { return fileName_; }
  // Whether the file was there when the object was built (even if it could not be read).
  bool FileFound() const { return fileFound_; }

  // Replaces the whole file atomically (CR LF line ends).  On failure the file on disk is
  // untouched, the modified flags stay set and LastError() says why.  A file that exists but
  // could not be read whole is never overwritten: its unread lines would be lost.
  bool Update();
  bool IsModified() const;
  const Status& LastError() const { return lastError_; }
  // Why the file could not be read whole (ok when it was, or is missing): an I/O error, or a
  // file larger than kMaxIniFileBytes, which is not read at all.
  const Status& ReadError() const { return readError_; }

  IniSection* SearchSection(std::string_view name);
  const IniSection* SearchSection(std::string_view name) const;
  // Looks only in the first section of that name.
  IniEntry* SearchEntry(std::string_view section, std::string_view key);
  const IniEntry* SearchEntry(std::string_view section, std::string_view key) const;

  void ForEachSection(const std::function<void(const IniSection&)>& action) const;
  void ForEachEntry(std::string_view section,
                    const std::function<void(const IniEntry&)>& action) const;
  void DeleteSection(std::string_view name);

  std::string GetEntry(std::string_view section, std::string_view key,
                       std::string_view defaultValue) const;
  // An unchanged value leaves the line alone; an empty value for a missing key creates nothing.
  void SetEntry(std::string_view section, std::string_view key, std::string_view value);
  // Text that is not a whole decimal number in 32-bit range reads as the default.
  std::int32_t GetIntEntry(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  void SetIntEntry(std::string_view section, std::string_view key, std::int32_t value);

  // Never changed by the program; while false an empty value does not create a key.
  bool createEmptyEntries = false;

  const std::list<IniSection>& Sections() const { return sections_; }
  // The whole file as Update writes it.
  std::string Render() const;

 private:
  void Read();
  IniSection& AddSection(std::string_view name);

  std::string fileName_;
  std::list<IniSection> sections_;
  bool fileFound_ = false;
  bool readFailed_ = false;
  bool structureModified_ = false;  // a deleted section, which no entry flag would show
  Status lastError_;
  Status readError_;
};

}  // namespace vk
