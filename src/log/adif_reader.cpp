#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "log/adif.h"
#include "log/adif_scan.h"
#include "log/journal.h"
#include "util/bands.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

using adif::IsBlank;
using adif::SameName;
using adif::TrimBlanks;
using adif::ValueEnd;

// A value as the log keeps it: spaces, tabs and line breaks at the ends trimmed, and a line
// break inside (a multi-line comment of another program) turned into a space, as the writer
// would write it.  The view points into the record text, or into `scratch` when a line break
// had to be replaced (rare: this program never writes one).
std::string_view OneLine(std::string_view raw, std::string& scratch) {
  const std::string_view value = TrimBlanks(raw);
  if (!adif::HasLineBreak(value)) return value;
  scratch.assign(value);
  for (char& c : scratch) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return scratch;
}

// Upper case a-z into `scratch`, for band and mode names written in any case.
std::string_view Upper(std::string_view s, std::string& scratch) {
  scratch.assign(s);
  for (char& c : scratch) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return scratch;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// before, so the working record lives across records.
class AdifRecordParser final : public adif::RecordSink {
 public:
  AdifRecordParser(TLogCollection& log, AdifLoadSink& sink, AdifLoadStats& stats, Journal* journal)
      : log_(log), sink_(sink), stats_(stats), journal_(journal) {}

  // The text of one record, "<EOR>" included.
  void Record(std::string_view text) override;
  void TooLong() override { ++stats_.longLines; }
  void Stray(std::string_view text) {
    for (char c : text) {
      if (!IsBlank(c)) ++stats_.strayBytes;
    }
  }

 private:
  void ParseTags(std::string_view text);
  void ApplyTag(std::string_view name, std::string_view value);
  void Unknown(std::string_view name);
  bool StampPossible() const;

  TLogCollection& log_;
  AdifLoadSink& sink_;
  AdifLoadStats& stats_;
  Journal* journal_;
  QsoRecord work_;
  std::int32_t fileGuid_ = 0;  // numbers records that carry no QGUID: 5, 10, 15, ...
  bool dateGiven_ = false;
  bool timeGiven_ = false;
  bool stampMalformed_ = false;
  std::string value_;  // a value whose line breaks became spaces
  std::string upper_;  // a band or mode name in upper case
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
  work_.Mark = 1;
  work_.Place = 0;
  dateGiven_ = timeGiven_ = stampMalformed_ = false;
  ParseTags(text);
  if (!StampPossible()) {
    // A stamp no calendar has (month 13, 25:61) would come back changed from the next save;
    // the record is left out and the file is then not counted as read whole.
    ++stats_.badStamps;
    JournalAppend(journal_, "ADIF: impossible date or time " +
                                FormatMask(work_.Stamp, "yyyy-mm-dd hh:nn") + " of " + work_.Call +
                                ", record left out");
    work_ = before;
    return;
  }
  fileGuid_ += 5;
  if (work_.Guid == 0) work_.Guid = fileGuid_;
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
    std::size_t gt = adif::FindEither(text, '<', '>', lt + 1);
    if (gt == npos) return;
    if (text[gt] == '<') {  // a tag that never closes; its text is not a value
      pos = gt;
      continue;
    }
    const std::string_view tag = TrimBlanks(text.substr(lt + 1, gt - lt - 1));
    std::size_t end = ValueEnd(text, tag, gt + 1);
    pos = end;
    const std::string_view name = tag.substr(0, tag.find(':'));
    if (SameName(name, "EOR")) return;
    ApplyTag(name, OneLine(text.substr(gt + 1, end - gt - 1), value_));
  }
}

void AdifRecordParser::Unknown(std::string_view name) {
  ++stats_.unknownFields;
  if (stats_.unknownNames.size() < 60 && stats_.unknownNames.find(name) == std::string::npos) {
    if (!stats_.unknownNames.empty()) stats_.unknownNames += ' ';
    stats_.unknownNames += std::string(name.substr(0, 20));
  }
}

void AdifRecordParser::ApplyTag(std::string_view name, std::string_view value) {
  QsoRecord& w = work_;
  auto text = [&](std::string& field) {
    if (value.size() > kQsoFieldWidth) ++stats_.cutFields;
    field.assign(TrimBlanks(value.substr(0, kQsoFieldWidth)));  // a cut may leave a space at the end
  };
  auto is = [&](std::string_view known) { return SameName(name, known); };
  if (is("BAND")) {
    w.Freq = FreqOfBandName(Upper(value, upper_));
  } else if (is("FREQ")) {
    // BAND comes first in our own files and FREQ refines it.  A FREQ that is not a number
    // leaves whatever frequency the record already has, from BAND or from the record before.
    std::int32_t f = 0;
    if (FreqFromText(value, f).ok()) {
      w.Freq = f;
    } else {
      ++stats_.badFreq;
    }
  } else if (is("MODE")) {
    w.Mode = ModeOfName(Upper(value, upper_));
  } else if (is("QSO_DATE")) {
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
  } else if (is("TIME_ON")) {
    // Four digits, or six with the seconds.
    timeGiven_ = true;
    if ((value.size() != 4 && value.size() != 6) || !AllDigits(value)) {
      stampMalformed_ = true;
    } else {
      w.Stamp.hour = static_cast<std::uint16_t>(StrToIntDef0(value.substr(0, 2)));
      w.Stamp.minute = static_cast<std::uint16_t>(StrToIntDef0(value.substr(2, 2)));
      w.Stamp.second =
          static_cast<std::uint16_t>(value.size() == 6 ? StrToIntDef0(value.substr(4, 2)) : 0);
    }
  } else if (is("CALL")) {
    text(w.Call);
  } else if (is("RST_SENT")) {
    text(w.Sent);
  } else if (is("RST_RCVD")) {
    text(w.Rcvd);
  } else if (is("QSCORE")) {
    w.Score = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (is("QMULTI")) {
    w.Multi = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (is("QBONUS")) {
    w.Bonus = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (is("QGUID")) {
    w.Guid = StrToIntDef0(value);
  } else if (is(kAdifEditField)) {
    // A version that is no number counts as the first; the group's newer edits still win.
    w.Mark = std::max(1, StrToIntDef0(value));
  } else if (is(kAdifPlaceField)) {
    long long place = 0;
    if (!AllDigits(value) || value.size() > 18 ||
        std::from_chars(value.data(), value.data() + value.size(), place).ec != std::errc()) {
      place = 0;
    }
    w.Place = place;
  } else {
    Unknown(name);
  }
}

void JournalOddities(Journal* journal, const std::string& source, const AdifLoadStats& s) {
  if (s.Whole()) return;
  JournalAppend(journal, "ADIF " + source + ": " + IntToStr(s.records) + " QSO; " + s.Describe());
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
                  AdifLoadStats* stats, Journal* journal) {
  AdifLoadStats local;
  AdifLoadStats& s = stats ? *stats : local;
  s = {};
  AdifRecordParser parser(log, sink, s, journal);
  adif::RecordCutter gatherer(parser);
  gatherer.Feed(text);
  s.partialTail = gatherer.Finish();
  s.endsWithLineEnd = gatherer.EndsWithLineEnd();
  log.CalcLogCrc();
  JournalOddities(journal, "text", s);
}

Status LoadAdifLog(const std::string& path, TLogCollection& log, AdifLoadSink& sink,
                   AdifLoadStats* stats, Journal* journal) {
  AdifLoadStats local;
  AdifLoadStats& s = stats ? *stats : local;
  s = {};
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    if (errno == ENOENT) return Status::Ok();  // no log yet: a fresh contest
    return Status::Error(ErrCode::kIo, "cannot open " + path + ": " + std::strerror(errno));
  }
  AdifRecordParser parser(log, sink, s, journal);
  adif::RecordCutter gatherer(parser);
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
  JournalOddities(journal, path, s);
  return st;
}

Status LoadAdifLog(const std::string& path, TLogCollection& log, Journal* journal) {
  NullSink sink;
  return LoadAdifLog(path, log, sink, nullptr, journal);
}

}  // namespace vk
