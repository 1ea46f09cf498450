#include "reports/adif_export.h"

#include "log/adif.h"
#include "reports/cabrillo_report.h"
#include "reports/report_file.h"
#include "rules/tree_rules.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::string_view kEol = "\r\n";

void AddField(std::string& text, std::string_view name, std::string_view value) {
  if (value.empty()) return;
  text += '<';
  text += name;
  text += ':';
  text += IntToStr(static_cast<long long>(value.size()));
  text += '>';
  text += value;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// "014" -> "14": the ADIF Integer of a serial or zone as logged with leading zeros.
std::string Number(std::string_view digits) {
  const auto first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string("0") : std::string(digits.substr(first));
}

// Report and the rest of one side of the exchange: RST_x, Sx and Sx_STRING.
void AddExchange(std::string& text, std::string_view exchange, bool sent, ZoneField zones) {
  const ReportAndRest parts = SplitExchange(exchange);
  AddField(text, sent ? "RST_SENT" : "RST_RCVD", parts.report);
  if (parts.rest.empty()) return;
  const bool number = AllDigits(parts.rest);
  if (number && zones == ZoneField::kNone) AddField(text, sent ? "STX" : "SRX", Number(parts.rest));
  AddField(text, sent ? "STX_STRING" : "SRX_STRING", parts.rest);
  if (!sent && number && zones != ZoneField::kNone) {
    AddField(text, zones == ZoneField::kCq ? "CQZ" : "ITUZ", Number(parts.rest));
  }
}

std::string RecordText(const QsoRecord& q, const AdifExportSettings& s) {
  std::string text;
  text.reserve(300);
  AddField(text, "CALL", q.Call);
  AddField(text, "QSO_DATE", IntToStrZero(q.Stamp.year, 4) + FormatMask(q.Stamp, "mmdd"));
  AddField(text, "TIME_ON", FormatMask(q.Stamp, "hhnn"));
  AddField(text, "BAND", AdifBandName(q.Freq));
  AddField(text, "FREQ", AdifFreqText(q.Freq));
  AddField(text, "MODE", AdifModeName(q.Mode));
  AddField(text, "SUBMODE", AdifSubmodeName(q.Mode));
  AddExchange(text, q.Sent, true, s.zones);
  AddExchange(text, q.Rcvd, false, s.zones);
  AddField(text, "CONTEST_ID", s.contestId);
  AddField(text, "STATION_CALLSIGN", s.stationCall);
  AddField(text, "OPERATOR", s.stationCall);
  text += "<EOR>";
  text += kEol;
  return text;
}

}  // namespace

ZoneField ZoneFieldOfContest(std::string_view contestId) {
  const std::string id = UpperCase(Trim(contestId));
  if (id.starts_with("CQ-WW")) return ZoneField::kCq;
  if (id.starts_with("IARU")) return ZoneField::kItu;
  return ZoneField::kNone;
}

AdifExportSettings ExportSettingsFor(const TTreeRules& rules, std::string_view ownCall) {
  AdifExportSettings s;
  s.stationCall = UpperCase(Trim(ownCall));
  s.contestId = ContestNameParts(rules.Settings().cabrilloName).front();
  s.zones = ZoneFieldOfContest(s.contestId);
  return s;
}

ReportAndRest SplitExchange(std::string_view exchange) {
  const std::string text = Trim(exchange);
  const auto gap = text.find(' ');
  const std::string first = text.substr(0, gap);
  const bool report = (first.size() == 2 || first.size() == 3) && first[0] >= '1' &&
                      first[0] <= '5' && first[1] >= '1' && first[1] <= '9';
  if (!report) return {"", text};
  return {first, gap == std::string::npos ? std::string() : Trim(text.substr(gap + 1))};
}

std::string AdifBandName(std::int32_t freq) {
  if (freq >= 101000 && freq <= 101500) return "30M";
  const std::string text = Trim(QsoBandText(freq, true));
  return text.empty() ? text : text + "M";
}

std::string AdifModeName(Mode mode) {
  switch (mode) {
    case Mode::kCw:
      return "CW";
    case Mode::kPhone:
      return "SSB";
    case Mode::kFm:
      return "FM";
    case Mode::kRtty:
      return "RTTY";
    case Mode::kPsk31:
      return "PSK";
    case Mode::kUnknown:
      break;
  }
  return {};
}

std::string AdifSubmodeName(Mode mode) {
  return mode == Mode::kPsk31 ? "PSK31" : std::string();
}

std::string StandardAdifText(const TLogCollection& log, const AdifExportSettings& settings,
                             const DateTime& created, int* written) {
  int records = 0;
  std::string text = "Contest log exported for upload and other programs";
  text += kEol;
  AddField(text, "ADIF_VER", "3.1.4");
  AddField(text, "PROGRAMID", kReportProgramId);
  AddField(text, "PROGRAMVERSION", kReportProgramVersion);
  AddField(text, "CREATED_TIMESTAMP",
           IntToStrZero(created.year, 4) + FormatMask(created, "mmdd") + ' ' +
               FormatMask(created, "hhnn") + IntToStrZero(created.second, 2));
  text += "<EOH>";
  text += kEol;
  for (const QsoRecord& q : log) {
    if (!settings.dupes && q.Dupe) continue;
    text += RecordText(q, settings);
    ++records;
  }
  if (written != nullptr) *written = records;
  return text;
}

}  // namespace vk
