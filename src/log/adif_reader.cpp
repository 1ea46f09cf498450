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

// Our own record lines stay under 255 bytes; other programs' lines with names, grids and
// comments are longer but far below this.  Anything longer is not a record, and capping it
// keeps a file of binary garbage without line ends from being gathered into one huge line.
constexpr std::size_t kMaxRecordLine = 8192;

// Where the value that starts at `start` ends.  The length in the tag is believed when it ends
// the value right at the next tag or at the end of the line, as in every line this program
// writes: a value may then hold "<" (the shifted comma key slips into exchanges, and a station
// may send one).  A length that does not fit so (spaces between fields, characters counted
// instead of bytes by another program) is ignored and the value runs to the next "<".
std::size_t ValueEnd(std::string_view line, std::string_view tag, std::size_t start) {
  std::size_t colon = tag.find(':');
  if (colon != std::string_view::npos) {
    std::string_view digits = tag.substr(colon + 1);
    digits = digits.substr(0, digits.find(':'));
    long long length = 0;
    if (TryStrToInt(digits, length) && length >= 0 &&
        static_cast<unsigned long long>(length) <= line.size() - start) {
      std::size_t end = start + static_cast<std::size_t>(length);
      if (end == line.size() || line[end] == '<') return end;
    }
  }
  std::size_t end = line.find('<', start);
  return end == std::string_view::npos ? line.size() : end;
}

// Turns record lines into contacts.  Fields missing from a line keep the value of the line
// before, so the working record lives across lines.
class AdifRecordParser {
 public:
  AdifRecordParser(TLogCollection& log, AdifLoadSink& sink, AdifLoadStats& stats)
      : log_(log), sink_(sink), stats_(stats) {}

  void Line(std::string_view line);
  void LongLine() { ++stats_.longLines; }

 private:
  void ParseTags(std::string_view line);
  void ApplyTag(std::string_view name, const std::string& value);

  TLogCollection& log_;
  AdifLoadSink& sink_;
  AdifLoadStats& stats_;
  QsoRecord work_;
  std::int32_t fileGuid_ = 0;  // numbers records that carry no QGUID: 5, 10, 15, ...
};

void AdifRecordParser::Line(std::string_view line) {
  if (line.find("<EOR>") == std::string_view::npos) return;
  if (log_.Count() >= TLogCollection::kMaxCount) {
    ++stats_.droppedFull;
    return;
  }
  work_.Guid = 0;
  work_.Score = 0;
  work_.Multi = 0;
  work_.Bonus = 0;
  ParseTags(line);
  fileGuid_ += 5;
  if (work_.Guid == 0) work_.Guid = fileGuid_;
  SetQsoIdCounter(work_.Guid);
  sink_.OnRecordLoaded(work_);
  if (log_.Append(work_)) ++stats_.records;
}

// Every step moves `pos` forward, so a line is scanned once whatever it holds: a "<" without
// ">" or a ">" without "<" cannot make the loop stand still.
void AdifRecordParser::ParseTags(std::string_view line) {
  constexpr auto npos = std::string_view::npos;
  std::size_t pos = 0;
  while (true) {
    std::size_t lt = line.find('<', pos);
    if (lt == npos) return;
    std::size_t gt = line.find_first_of("<>", lt + 1);
    if (gt == npos) return;
    if (line[gt] == '<') {  // a tag that never closes; its text is not a value
      pos = gt;
      continue;
    }
    std::string tag = Trim(line.substr(lt + 1, gt - lt - 1));
    std::size_t end = ValueEnd(line, tag, gt + 1);
    std::string value = Trim(line.substr(gt + 1, end - gt - 1));
    pos = end;
    std::string_view name = std::string_view(tag).substr(0, tag.find(':'));
    if (name == "EOR") return;
    ApplyTag(name, value);
  }
}

void AdifRecordParser::ApplyTag(std::string_view name, const std::string& value) {
  QsoRecord& w = work_;
  if (name == "BAND") {
    w.Freq = FreqOfBandName(value);
  } else if (name == "FREQ") {
    // BAND comes first in our own files and FREQ refines it.  A FREQ that is not a number
    // leaves whatever frequency the record already has, from BAND or from the line before.
    std::int32_t f = 0;
    if (FreqFromText(value, f).ok()) {
      w.Freq = f;
    } else {
      ++stats_.badFreq;
    }
  } else if (name == "MODE") {
    w.Mode = ModeCodeOfName(value);
  } else if (name == "QSO_DATE") {
    ParseMask(value, "yyyymmdd", w.Stamp);
  } else if (name == "TIME_ON") {
    ParseMask(value, "hhnn", w.Stamp);
  } else if (name == "CALL") {
    w.Call = CutQsoField(value);
  } else if (name == "RST_SENT") {
    w.Sent = CutQsoField(value);
  } else if (name == "RST_RCVD") {
    w.Rcvd = CutQsoField(value);
  } else if (name == "QSCORE") {
    w.Score = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (name == "QMULTI") {
    w.Multi = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (name == "QBONUS") {
    w.Bonus = static_cast<std::int16_t>(StrToIntDef0(value));
  } else if (name == "QGUID") {
    w.Guid = StrToIntDef0(value);
  }
}

// Cuts a byte stream into lines at CR or LF, whichever the writing program used; the empty
// line between CR and LF has no "<EOR>" and is skipped like any other.
class LineSplitter {
 public:
  explicit LineSplitter(AdifRecordParser& parser) : parser_(parser) {}

  void Feed(std::string_view chunk) {
    while (!chunk.empty()) {
      std::size_t eol = chunk.find_first_of("\r\n");
      Gather(chunk.substr(0, eol));
      if (eol == std::string_view::npos) return;
      EndLine();
      chunk.remove_prefix(eol + 1);
    }
  }

  void Finish() {
    if (!line_.empty() || tooLong_) EndLine();
  }

 private:
  void Gather(std::string_view piece) {
    if (tooLong_) return;
    if (line_.size() + piece.size() > kMaxRecordLine) {
      tooLong_ = true;
      line_.clear();
      return;
    }
    line_ += piece;
  }

  void EndLine() {
    if (tooLong_) {
      parser_.LongLine();
    } else if (!line_.empty()) {
      parser_.Line(line_);
    }
    line_.clear();
    tooLong_ = false;
  }

  AdifRecordParser& parser_;
  std::string line_;
  bool tooLong_ = false;
};

void JournalOddities(const std::string& source, const AdifLoadStats& s) {
  if (s.badFreq == 0 && s.longLines == 0 && s.droppedFull == 0) return;
  JournalAppend("ADIF " + source + ": " + IntToStr(s.records) + " QSO, FREQ not a number " +
                IntToStr(s.badFreq) + ", long lines skipped " + IntToStr(s.longLines) +
                ", QSO beyond a full log " + IntToStr(s.droppedFull));
}

class NullSink : public AdifLoadSink {
 public:
  void OnRecordLoaded(const QsoRecord&) override {}
};

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

void LoadAdifText(std::string_view text, TLogCollection& log, AdifLoadSink& sink,
                  AdifLoadStats* stats) {
  AdifLoadStats local;
  AdifLoadStats& s = stats ? *stats : local;
  s = {};
  AdifRecordParser parser(log, sink, s);
  LineSplitter splitter(parser);
  splitter.Feed(text);
  splitter.Finish();
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
  LineSplitter splitter(parser);
  std::string buf(1 << 16, '\0');
  std::size_t n = 0;
  while ((n = std::fread(buf.data(), 1, buf.size(), f.get())) > 0) {
    splitter.Feed(std::string_view(buf.data(), n));
  }
  Status st;
  if (std::ferror(f.get())) {
    // The records read so far stay: they are already counted in the band totals.
    st = Status::Error(ErrCode::kIo, "cannot read " + path + ": " + std::strerror(errno));
  } else {
    splitter.Finish();
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
