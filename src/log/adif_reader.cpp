#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "log/adif.h"
#include "log/journal.h"
#include "util/bands.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

// A record of our own is under 255 bytes and other programs' records with names, grids and
// comments stay far below this.  Anything longer is not a QSO, and capping it keeps a file of
// binary garbage without any "<EOR>" from being gathered into memory whole.
constexpr std::size_t kMaxRecordText = 1 << 20;

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// ADIF field names are case-insensitive: other programs write "<call:6>" and "<eor>".
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// Position of "<name>" (any case) at or after `from`, or npos.
std::size_t FindMarker(std::string_view text, std::string_view marker, std::size_t from) {
  for (std::size_t at = text.find('<', from); at != std::string_view::npos;
       at = text.find('<', at + 1)) {
    if (text.size() - at >= marker.size() && SameName(text.substr(at, marker.size()), marker)) {
      return at;
    }
  }
  return std::string_view::npos;
}

// Where the value that starts at `start` ends.  The length in the tag is believed when it ends
// the value right at the next tag, at a line break or at the end of the record, as in every
// record this program writes (whose values never hold a line break): a value may then hold
// "<" (the shifted comma key slips into exchanges, and a station may send one).  A length that does
// not fit so (characters counted instead of bytes by another program) is ignored and the value runs
// to the next "<".
std::size_t ValueEnd(std::string_view text, std::string_view tag, std::size_t start) {
  constexpr auto npos = std::string_view::npos;
  std::size_t colon = tag.find(':');
  if (colon != std::string_view::npos) {
    std::string_view digits = tag.substr(colon + 1);
    digits = digits.substr(0, digits.find(':'));
    long long length = 0;
    if (TryStrToInt(digits, length) && length >= 0 &&
        static_cast<unsigned long long>(length) <= text.size() - start) {
      std::size_t end = start + static_cast<std::size_t>(length);
      const bool fits =
          end == text.size() || text[end] == '<' || text[end] == '\r' || text[end] == '\n';
      if (fits && text.substr(start, end - start).find_first_of("\r\n") == npos) return end;
    }
  }
  std::size_t end = text.find('<', start);
  return end == std::string_view::npos ? text.size() : end;
}

// The text after the last line break (all of it when there is none).
std::string_view LastLine(std::string_view text) {
  const std::size_t lf = text.find_last_of("\r\n");
  return lf == std::string_view::npos ? text : text.substr(lf + 1);
}

// A value as the log keeps it: spaces, tabs and line breaks at the ends trimmed, and a line
// break inside (a multi-line comment of another program) turned into a space, as the writer
// would write it.
std::string OneLine(std::string_view raw) {
  std::string value = TrimBlanks(raw);
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return value;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

enum class MarkerPlace { kOutside, kInsideValue, kNeedMore };

// Whether the "<EOR>" at `at` of `text` (a record being gathered) ends the record or stands
// inside a value whose length carries it (an exchange holding "<EOR>", written by this
// program).  kNeedMore: a length reaches beyond what has been read so far.
MarkerPlace PlaceOf(std::string_view text, std::size_t at, bool final) {
  constexpr auto npos = std::string_view::npos;
  std::size_t pos = 0;
  while (true) {
    const std::size_t lt = text.find('<', pos);
    if (lt == npos || lt >= at) return MarkerPlace::kOutside;
    const std::size_t gt = text.find_first_of("<>", lt + 1);
    if (gt == npos || gt > at) return MarkerPlace::kOutside;
    if (text[gt] == '<') {
      pos = gt;
      continue;
    }
    const std::string_view tag = text.substr(lt + 1, gt - lt - 1);
    if (!final) {
      const std::size_t colon = tag.find(':');
      long long length = 0;
      if (colon != npos &&
          TryStrToInt(Trim(tag.substr(colon + 1, tag.find(':', colon + 1) - colon - 1)), length) &&
          length > 0 && static_cast<unsigned long long>(length) < kMaxRecordText &&
          gt + 1 + static_cast<std::size_t>(length) >= text.size() &&
          text.find_first_of("\r\n", gt + 1) == npos) {
        return MarkerPlace::kNeedMore;
      }
    }
    const std::size_t end = ValueEnd(text, TrimBlanks(tag), gt + 1);
    if (at < end) return MarkerPlace::kInsideValue;
    pos = end;
  }
}

// Turns record texts into contacts.  Fields missing from a record keep the value of the record
// before, so the working record lives across records.
class AdifRecordParser {
 public:
  AdifRecordParser(TLogCollection& log, AdifLoadSink& sink, AdifLoadStats& stats)
      : log_(log), sink_(sink), stats_(stats) {}

  // The text of one record, "<EOR>" included.
  void Record(std::string_view text);
  void TooLong() { ++stats_.longLines; }
  void Stray(std::string_view text) {
    for (char c : text) {
      if (!IsBlank(c)) ++stats_.strayBytes;
    }
  }

 private:
  void ParseTags(std::string_view text);
  void ApplyTag(std::string_view name, const std::string& value);
  void Unknown(std::string_view name);
  bool StampPossible() const;

  TLogCollection& log_;
  AdifLoadSink& sink_;
  AdifLoadStats& stats_;
  QsoRecord work_;
  std::int32_t fileGuid_ = 0;  // numbers records that carry no QGUID: 5, 10, 15, ...
  bool dateGiven_ = false;
  bool timeGiven_ = false;
  bool stampMalformed_ = false;
};

void AdifRecordParser::Record(std::string_view text) {
  if (log_.Count() >= TLogCollection::kMaxCount) {
    ++stats_.droppedFull;
    return;
  }
  const QsoRecord before = work_;
  work_.Guid = 0;
  work_.Score = 0;
  work_.Multi = 0;
  work_.Bonus = 0;
  dateGiven_ = timeGiven_ = stampMalformed_ = false;
  ParseTags(text);
  if (!StampPossible()) {
    // A stamp no calendar has (month 13, 25:61) would come back changed from the next save;
    // the record is left out and the file is then not counted as read whole.
    ++stats_.badStamps;
    JournalAppend("ADIF: impossible date or time " + FormatMask(work_.Stamp, "yyyy-mm-dd hh:nn") +
                  " of " + work_.Call + ", record left out");
    work_ = before;
    return;
  }
  fileGuid_ += 5;
  if (work_.Guid == 0) work_.Guid = fileGuid_;
  SetQsoIdCounter(work_.Guid);
  sink_.OnRecordLoaded(work_);
  if (log_.Append(work_)) ++stats_.records;
}

bool AdifRecordParser::StampPossible() const {
  if (stampMalformed_) return false;
  const DateTime& s = work_.Stamp;
  if (dateGiven_ && !IsValidDate(s.year, s.month, s.day)) return false;
  return !timeGiven_ || IsValidTime(s.hour, s.minute, s.second);
}

// Every step moves `pos` forward, so a record is scanned once whatever it holds: a "<" without
// ">" or a ">" without "<" cannot make the loop stand still.
void AdifRecordParser::ParseTags(std::string_view text) {
  constexpr auto npos = std::string_view::npos;
  std::size_t pos = 0;
  while (true) {
    std::size_t lt = text.find('<', pos);
    if (lt == npos) return;
    if (pos == 0) Stray(text.substr(0, lt));  // text between records
    std::size_t gt = text.find_first_of("<>", lt + 1);
    if (gt == npos) return;
    if (text[gt] == '<') {  // a tag that never closes; its text is not a value
      pos = gt;
      continue;
    }
    std::string tag = TrimBlanks(text.substr(lt + 1, gt - lt - 1));
    std::size_t end = ValueEnd(text, tag, gt + 1);
    std::string value = OneLine(text.substr(gt + 1, end - gt - 1));
    pos = end;
    std::string_view name = std::string_view(tag).substr(0, tag.find(':'));
    if (SameName(name, "EOR")) return;
    ApplyTag(name, value);
  }
}

void AdifRecordParser::Unknown(std::string_view name) {
  ++stats_.unknownFields;
  if (stats_.unknownNames.size() < 60 && stats_.unknownNames.find(name) == std::string::npos) {
    if (!stats_.unknownNames.empty()) stats_.unknownNames += ' ';
    stats_.unknownNames += std::string(name.substr(0, 20));
  }
}

void AdifRecordParser::ApplyTag(std::string_view tagName, const std::string& value) {
  std::string name(tagName);
  for (char& c : name) c = AsciiUpper(c);
  QsoRecord& w = work_;
  auto text = [&](std::string& field) {
    if (value.size() > kQsoFieldWidth) ++stats_.cutFields;
    field = TrimBlanks(CutQsoField(value));  // a cut may leave a space at the end
  };
  if (name == "BAND") {
    w.Freq = FreqOfBandName(UpperCase(value));
  } else if (name == "FREQ") {
    // BAND comes first in our own files and FREQ refines it.  A FREQ that is not a number
    // leaves whatever frequency the record already has, from BAND or from the record before.
    std::int32_t f = 0;
    if (FreqFromText(value, f).ok()) {
      w.Freq = f;
    } else {
      ++stats_.badFreq;
    }
  } else if (name == "MODE") {
    w.Mode = ModeCodeOfName(UpperCase(value));
  } else if (name == "QSO_DATE") {
    // Always four digits of year (no century is added: "0224" is the year 224).
    if (value.size() != 8 || !AllDigits(value)) {
      dateGiven_ = stampMalformed_ = true;
    } else if (value != "00000000") {  // all zeros: a record that never had a date
      dateGiven_ = true;
      w.Stamp.year = static_cast<std::uint16_t>(StrToIntDef0(value.substr(0, 4)));
      w.Stamp.month = static_cast<std::uint16_t>(StrToIntDef0(value.substr(4, 2)));
      w.Stamp.day = static_cast<std::uint16_t>(StrToIntDef0(value.substr(6, 2)));
    } else {
      w.Stamp.year = w.Stamp.month = w.Stamp.day = 0;
    }
  } else if (name == "TIME_ON") {
    // Four digits, or six with the seconds, which the log does not keep.
    timeGiven_ = true;
    if ((value.size() != 4 && value.size() != 6) || !AllDigits(value)) {
      stampMalformed_ = true;
    } else {
      w.Stamp.hour = static_cast<std::uint16_t>(StrToIntDef0(value.substr(0, 2)));
      w.Stamp.minute = static_cast<std::uint16_t>(StrToIntDef0(value.substr(2, 2)));
    }
  } else if (name == "CALL") {
    text(w.Call);
  } else if (name == "RST_SENT") {
    text(w.Sent);
  } else if (name == "RST_RCVD") {
    text(w.Rcvd);
  } else if (name == "QSCORE") {
    w.Score = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (name == "QMULTI") {
    w.Multi = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (name == "QBONUS") {
    w.Bonus = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (name == "QGUID") {
    w.Guid = StrToIntDef0(value);
  } else {
    Unknown(tagName);
  }
}

// Cuts a byte stream into records at "<EOR>", wherever the lines break: our own files hold one
// record per line, other programs spread a record over several lines or put many on one.
// Everything up to "<EOH>" is the header.
class RecordGatherer {
 public:
  explicit RecordGatherer(AdifRecordParser& parser) : parser_(parser) {}

  void Feed(std::string_view chunk) {
    if (!chunk.empty()) lastByte_ = chunk.back();
    buf_ += chunk;
    Drain(false);
  }

  // True when the stream ended inside a record (a save cut short, or a damaged file).
  bool Finish() {
    Drain(true);
    if (skipping_) return true;
    for (char c : std::string_view(buf_).substr(start_)) {
      if (!IsBlank(c)) return true;
    }
    return false;
  }

  bool EndsWithLineEnd() const { return lastByte_ == '\n' || lastByte_ == 0; }

 private:
  // The "<EOR>" that ends the record being gathered, or npos (none yet, or undecided).
  std::size_t RecordEnd(std::string_view text, std::size_t from, bool final) {
    for (std::size_t eor = FindMarker(text, "<EOR>", from); eor != std::string_view::npos;
         eor = FindMarker(text, "<EOR>", eor + 1)) {
      if (skipping_) return eor;
      switch (PlaceOf(text.substr(start_), eor - start_, final)) {
        case MarkerPlace::kOutside:
          return eor;
        case MarkerPlace::kNeedMore:
          scan_ = eor + 4;  // look here again when more has come
          return std::string_view::npos;
        case MarkerPlace::kInsideValue:
          break;
      }
    }
    scan_ = text.size();
    return std::string_view::npos;
  }

  void Drain(bool final) {
    std::string_view text(buf_);
    while (true) {
      const std::size_t from = scan_ > start_ + 4 ? scan_ - 4 : start_;
      const std::size_t eor = RecordEnd(text, from, final);
      if (!headerDone_) {
        const std::size_t eoh = FindMarker(text, "<EOH>", from);
        if (eoh != std::string_view::npos && eoh < eor) {
          start_ = scan_ = eoh + 5;
          headerDone_ = true;
          continue;
        }
      }
      if (eor == std::string_view::npos) break;
      headerDone_ = true;  // a file without a header starts with its first record
      if (skipping_) {
        skipping_ = false;
      } else if (eor + 5 - start_ > kMaxRecordText) {
        parser_.TooLong();
        const std::string_view tail = LastLine(text.substr(start_, eor + 5 - start_));
        if (tail.size() <= kMaxRecordText) parser_.Record(tail);
      } else {
        parser_.Record(text.substr(start_, eor + 5 - start_));
      }
      start_ = scan_ = eor + 5;
    }
    if (buf_.size() - start_ > kMaxRecordText) {
      // Far too long for a record.  A record may still begin on the last line; otherwise the
      // text is dropped up to the next "<EOR>", keeping the last bytes in case the marker is
      // split between two reads.
      parser_.TooLong();
      const std::size_t lf = std::string_view(buf_).find_last_of("\r\n");
      if (lf != std::string_view::npos && lf + 1 > start_ &&
          buf_.size() - (lf + 1) <= kMaxRecordText) {
        start_ = lf + 1;
      } else {
        start_ = buf_.size() - 4;
        skipping_ = true;
      }
      scan_ = std::max(scan_, start_);
    }
    if (start_ > buf_.size() / 2) {
      buf_.erase(0, start_);
      scan_ -= start_;
      start_ = 0;
    }
  }

  AdifRecordParser& parser_;
  std::string buf_;
  std::size_t start_ = 0;  // where the record being gathered begins
  std::size_t scan_ = 0;   // how far buf_ has been searched for the markers
  bool headerDone_ = false;
  bool skipping_ = false;
  char lastByte_ = 0;
};

void JournalOddities(const std::string& source, const AdifLoadStats& s) {
  if (s.Whole()) return;
  JournalAppend("ADIF " + source + ": " + IntToStr(s.records) + " QSO; " + s.Describe());
}

class NullSink : public AdifLoadSink {
 public:
  void OnRecordLoaded(const QsoRecord&) override {}
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool AdifLoadStats::Whole() const {
  return badFreq == 0 && longLines == 0 && droppedFull == 0 && badStamps == 0 &&
         unknownFields == 0 && cutFields == 0 && strayBytes == 0 && !partialTail;
}

std::string AdifLoadStats::Describe() const {
  std::string out;
  auto add = [&out](long long n, std::string_view what) {
    if (n == 0) return;
    if (!out.empty()) out += ", ";
    out += IntToStr(n) + " " + std::string(what);
  };
  add(badFreq, "FREQ not a number");
  add(longLines, "records too long, skipped");
  add(droppedFull, "QSO beyond a full log");
  add(badStamps, "QSO with an impossible date or time, left out");
  add(cutFields, "texts longer than 16 characters, cut");
  add(strayBytes, "bytes outside any record");
  if (unknownFields != 0) add(unknownFields, "fields not kept (" + unknownNames + ")");
  if (partialTail) add(1, "unfinished record at the end");
  return out;
}

void LoadAdifText(std::string_view text, TLogCollection& log, AdifLoadSink& sink,
                  AdifLoadStats* stats) {
  AdifLoadStats local;
  AdifLoadStats& s = stats ? *stats : local;
  s = {};
  AdifRecordParser parser(log, sink, s);
  RecordGatherer gatherer(parser);
  gatherer.Feed(text);
  s.partialTail = gatherer.Finish();
  s.endsWithLineEnd = gatherer.EndsWithLineEnd();
  log.CalcLogCrc();
  JournalOddities("text", s);
}

Status LoadAdifLog(const std::string& path, TLogCollection& log, AdifLoadSink& sink,
                   AdifLoadStats* stats) {
  AdifLoadStats local;
  AdifLoadStats& s = stats ? *stats : local;
  s = {};
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    if (errno == ENOENT) return Status::Ok();  // no log yet: a fresh contest
    return Status::Error(ErrCode::kIo, "cannot open " + path + ": " + std::strerror(errno));
  }
  AdifRecordParser parser(log, sink, s);
  RecordGatherer gatherer(parser);
  std::string buf(1 << 16, '\0');
  std::size_t n = 0;
  while ((n = std::fread(buf.data(), 1, buf.size(), f.get())) > 0) {
    gatherer.Feed(std::string_view(buf.data(), n));
  }
  Status st;
  if (std::ferror(f.get())) {
    // The records read so far stay: they are already counted in the band totals.
    st = Status::Error(ErrCode::kIo, "cannot read " + path + ": " + std::strerror(errno));
  } else {
    s.partialTail = gatherer.Finish();
    s.endsWithLineEnd = gatherer.EndsWithLineEnd();
  }
  // Like a read that broke off: the QSOs left out are in the file only, so the file must not
  // be replaced by the log.
  if (st.ok() && s.droppedFull > 0) {
    st = Status::Error(ErrCode::kIo, path + " holds more QSOs than the log takes (" +
                                         IntToStr(TLogCollection::kMaxCount) + "); " +
                                         IntToStr(s.droppedFull) + " left out");
  }
  log.CalcLogCrc();
  JournalOddities(path, s);
  return st;
}

Status LoadAdifLog(const std::string& path, TLogCollection& log) {
  NullSink sink;
  return LoadAdifLog(path, log, sink);
}

}  // namespace vk
