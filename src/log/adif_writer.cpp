#include <cstdlib>
#include <string>

#include "log/adif.h"
#include "util/atomic_file.h"
#include "util/datetime.h"
#include "util/strings.h"
#include "vorkan_version.h"

namespace vk {
namespace {

constexpr std::string_view kProgramVersion = VORKAN_VERSION;
constexpr std::string_view kEol = "\r\n";

// "<NAME:len>value"; the length counts bytes, so Cyrillic CP866 text counts one per letter.
void AddField(std::string& line, std::string_view name, std::string_view value) {
  line += '<';
  line += name;
  line += ':';
  line += IntToStr(static_cast<long long>(value.size()));
  line += '>';
  // A line end inside a text would cut the record line in two: the reader would skip the head
  // and give the tail the date, band and mode of the record before.  It goes out as a space.
  std::size_t from = line.size();
  line += value;
  for (std::size_t i = from; i < line.size(); ++i) {
    if (line[i] == '\r' || line[i] == '\n') line[i] = ' ';
  }
}

void AddNonZeroField(std::string& line, std::string_view name, long long value) {
  if (value != 0) AddField(line, name, IntToStr(value));
}

std::string AdifModeText(Mode mode) {
  std::string text = QsoModeText(mode);
  return text == "PH" ? std::string("SSB") : text;
}

}  // namespace

std::string AdifHeader() {
  std::string h;
  h += "# Vork ver " VORKAN_VERSION " Contest Logger ADIF";
  h += kEol;
  h += "<PROGRAMID:6>Vorkan";
  h += kEol;
  h += "<PROGRAMVERSION:";
  h += IntToStr(static_cast<long long>(kProgramVersion.size()));
  h += '>';
  h += kProgramVersion;
  h += kEol;
  for (std::string_view l : {"<ADIF_VER:3>3.0", "<USERDEF1:5:N>QSCORE", "<USERDEF2:5:N>QMULTI",
                             "<USERDEF3:5:N>QBONUS", "<USERDEF4:10:N>QGUID", "<EOH>"}) {
    h += l;
    h += kEol;
  }
  return h;
}

std::string AdifFreqText(std::int32_t freq) {
  // Integer arithmetic: the four decimals are exactly the 100 Hz units, with no rounding.
  long long f = freq;
  std::string s = f < 0 ? "-" : "";
  long long a = std::llabs(f);
  s += IntToStr(a / 10000);
  s += '.';
  s += IntToStrZero(a % 10000, 4);
  while (s.size() >= 2 && s.back() == '0' && s[s.size() - 2] != '.') s.pop_back();
  return s;
}

std::string AdifRecordLine(const QsoRecord& q) {
  std::string line;
  line.reserve(200);
  // Always four digits for the year: the date mask pads a short year with spaces, which no
  // reader takes back as the same date.
  AddField(line, "QSO_DATE", IntToStrZero(q.Stamp.year, 4) + FormatMask(q.Stamp, "mmdd"));
  // Six digits where the QSO has seconds (ADIF takes either form); four as it always was.
  AddField(line, "TIME_ON", FormatMask(q.Stamp, "hhnn") +
                                (q.Stamp.second != 0 ? IntToStrZero(q.Stamp.second, 2) : ""));
  AddField(line, "BAND", Trim(QsoBandText(q.Freq, true)) + "M");
  AddField(line, "FREQ", AdifFreqText(q.Freq));
  AddField(line, "MODE", AdifModeText(q.Mode));
  AddField(line, "CALL", q.Call);
  AddField(line, "RST_SENT", Trim(q.Sent));
  AddField(line, "RST_RCVD", Trim(q.Rcvd));
  AddNonZeroField(line, "QSCORE", q.Score);
  AddNonZeroField(line, "QMULTI", q.Multi);
  AddNonZeroField(line, "QBONUS", q.Bonus);
  AddNonZeroField(line, "QGUID", q.Guid);
  // The group's bookkeeping, where it differs from a QSO never edited nor inserted by hand:
  // the edit version, and the explicit place in the log's order.
  if (q.Mark != 1) AddField(line, kAdifEditField, IntToStr(q.Mark));
  AddNonZeroField(line, kAdifPlaceField, q.Place);
  line += "<EOR>";
  return line;
}

std::string BuildAdifLog(const TLogCollection& log) {
  std::string text = AdifHeader();
  text.reserve(text.size() + static_cast<std::size_t>(log.Count()) * 180);
  for (const QsoRecord& q : log) {
    text += AdifRecordLine(q);
    text += kEol;
  }
  return text;
}

Status AppendAdifRecord(const QsoRecord& qso, const std::string& path, FileMark& mark) {
  std::string line = AdifRecordLine(qso);
  line += kEol;
  return AppendDurably(path, line, mark);
}

Status WriteAdifLog(const TLogCollection& log, const std::string& path, FileMark* mark) {
  // An empty log is what the program holds before the file was read or after a failed read;
  // writing it would wipe the contest, so the file keeps what it has.
  if (log.Empty()) {
    if (mark != nullptr) *mark = FileMark{};
    return Status::Ok();
  }
  return ReplaceFileAtomically(path, BuildAdifLog(log), mark);
}

}  // namespace vk
