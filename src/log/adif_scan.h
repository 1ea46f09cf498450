// The byte level of the ADIF reader: a stream cut into record texts at "<EOR>", wherever the
// lines break, and the end of a field's value.  Used by the reader only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vk::adif {

// A record of our own is under 255 bytes and other programs' records with names, grids and
// comments stay far below this.  Anything longer is not a QSO, and capping it keeps a file of
// binary garbage without any "<EOR>" from being gathered into memory whole.
inline constexpr std::size_t kMaxRecordText = 1 << 20;

bool IsBlank(char c);  // space, tab, CR or LF
std::string_view TrimBlanks(std::string_view s);
// Position of the first `a` or `b` at or after `from`, or npos.  (std::string_view's
// find_first_of searches its set once per byte of the text; a log holds megabytes.)
std::size_t FindEither(std::string_view text, char a, char b, std::size_t from = 0);
bool HasLineBreak(std::string_view text);
// ADIF field names are case-insensitive: other programs write "<call:6>" and "<eor>".
bool SameName(std::string_view a, std::string_view b);
// Where the value that starts at `start` of `text` ends, for the field whose tag (between "<"
// and ">") is `tag`.
std::size_t ValueEnd(std::string_view text, std::string_view tag, std::size_t start);

struct RecordSink {
  virtual ~RecordSink() = default;
  virtual void Record(std::string_view text) = 0;  // one record, "<EOR>" included
  virtual void TooLong() = 0;                      // text too long to be a record, skipped
};

// Cuts a byte stream into records at "<EOR>": our own files hold one record per line, other
// programs spread a record over several lines or put many on one.  Everything up to "<EOH>" is
// the header.  A "<EOR>" inside a value whose length carries it (an exchange holding it) does
// not end the record.
class RecordCutter {
 public:
  explicit RecordCutter(RecordSink& sink) : sink_(sink) {}

  void Feed(std::string_view chunk);
  // True when the stream ended inside a record (a save cut short, or a damaged file).
  bool Finish();
  bool EndsWithLineEnd() const { return lastByte_ == '\n' || lastByte_ == 0; }

 private:
  std::size_t RecordEnd(std::string_view text, std::size_t from, bool final);
  void Drain(bool final);

  RecordSink& sink_;
  std::string buf_;
  std::size_t start_ = 0;  // where the record being gathered begins
  std::size_t scan_ = 0;   // how far buf_ has been searched for the markers
  bool headerDone_ = false;
  bool skipping_ = false;  // the record being gathered lost its head: dropped at its "<EOR>"
  char lastByte_ = 0;
};

}  // namespace vk::adif
