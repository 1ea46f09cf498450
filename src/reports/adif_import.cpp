#include "reports/adif_import.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_set>

#include "log/adif.h"
#include "log/qso.h"
#include "util/bands.h"
#include "util/strings.h"

namespace vk {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  return UpperCase(a) == UpperCase(b);
}

// Where "<EOH>" ends in a file with a header; 0 when the file starts with a field.
std::size_t HeaderEnd(std::string_view text) {
  if (!text.empty() && text.front() == '<') return 0;
  const std::string upper = UpperCase(text);
  const auto eoh = upper.find("<EOH>");
  return eoh == std::string::npos ? text.size() : eoh + 5;
}

std::string Field(const AdifFields& fields, std::string_view name) {
  for (const auto& [n, v] : fields) {
    if (n == name) return Trim(v);
  }
  return {};
}

bool AllDigits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return !s.empty();
}

Status ParseStamp(const AdifFields& f, DateTime& stamp) {
  const std::string date = Field(f, "QSO_DATE");
  const std::string time = Field(f, "TIME_ON");
  if (date.empty()) return Status::Error(ErrCode::kBadInput, "no date");
  if (time.size() < 4) return Status::Error(ErrCode::kBadInput, "no time");
  const auto num = [](const std::string& s, std::size_t at, std::size_t n) {
    return static_cast<int>(std::strtol(s.substr(at, n).c_str(), nullptr, 10));
  };
  if (date.size() != 8 || !AllDigits(date) ||
      !IsValidDate(num(date, 0, 4), num(date, 4, 2), num(date, 6, 2)))
    return Status::Error(ErrCode::kBadInput, "date " + date + " is not a date");
  if (!AllDigits(time) || !IsValidTime(num(time, 0, 2), num(time, 2, 2), 0))
    return Status::Error(ErrCode::kBadInput, "time " + time + " is not a time");
  stamp = DateTime{
      static_cast<std::uint16_t>(num(date, 0, 4)), static_cast<std::uint16_t>(num(date, 4, 2)),
      static_cast<std::uint16_t>(num(date, 6, 2)), static_cast<std::uint16_t>(num(time, 0, 2)),
      static_cast<std::uint16_t>(num(time, 2, 2)), 0};
  return {};
}

Mode ModeOf(const AdifFields& f) {
  const std::string mode = UpperCase(Field(f, "MODE"));
  if (mode == "PSK" || mode == "PSK31") return Mode::kPsk31;
  if (mode == "USB" || mode == "LSB" || mode == "AM") return Mode::kPhone;
  return ModeOfName(mode);
}

std::string Joined(std::string_view report, std::string_view rest) {
  if (report.empty()) return std::string(rest);
  if (rest.empty()) return std::string(report);
  return std::string(report) + ' ' + std::string(rest);
}

std::string ReceivedRest(const AdifFields& f, ZoneField zones) {
  for (std::string_view name : {"SRX_STRING", "SRX"}) {
    if (std::string v = Field(f, name); !v.empty()) return v;
  }
  if (zones == ZoneField::kCq) return Field(f, "CQZ");
  if (zones == ZoneField::kItu) return Field(f, "ITUZ");
  return Field(f, "STATE");
}

std::string SentRest(const AdifFields& f) {
  std::string v = Field(f, "STX_STRING");
  return v.empty() ? Field(f, "STX") : v;
}

Status BuildQso(const AdifFields& f, const AdifImportRules& rules, QsoRecord& q) {
  q.Call = CutQsoField(UpperCase(Field(f, "CALL")));
  if (q.Call.empty()) return Status::Error(ErrCode::kBadInput, "no call");
  if (Status s = ParseStamp(f, q.Stamp); !s) return s;
  const std::string freq = Field(f, "FREQ");
  if (freq.empty() || !FreqFromText(freq, q.Freq)) {
    q.Freq = FreqOfBandName(UpperCase(Field(f, "BAND")));
  }
  if (q.Freq <= 0) return Status::Error(ErrCode::kBadInput, "no frequency or band");
  const BandIndex band = BandOfFreq(q.Freq);
  if (band == kBandNone || !rules.bands[band]) {
    return Status::Error(ErrCode::kBadInput,
                         "band of " + AdifFreqText(q.Freq) + " MHz not in the contest");
  }
  q.Mode = ModeOf(f);
  if (q.Mode == Mode::kUnknown)
    return Status::Error(ErrCode::kBadInput, "mode " + Field(f, "MODE") + " not kept");
  // An SSB QSO in a CW contest would score as if the contest had it.
  const bool anyMode = std::none_of(rules.modes.begin(), rules.modes.end(), [](bool b) { return b; });
  const std::size_t mode = ModeNumber(q.Mode);
  if (!anyMode && (mode >= rules.modes.size() || !rules.modes[mode])) {
    return Status::Error(ErrCode::kBadInput, "mode " + Field(f, "MODE") + " not in the contest");
  }
  q.Sent = CutQsoField(Joined(Field(f, "RST_SENT"), SentRest(f)));
  q.Rcvd = CutQsoField(Joined(Field(f, "RST_RCVD"), ReceivedRest(f, rules.zones)));
  return {};
}

// What makes two QSOs the same contact for the import: call, minute, band and mode.
std::string ContactKey(const QsoRecord& q) {
  return q.Call + '|' + FormatMask(q.Stamp, "yyyymmddhhnn") + '|' + IntToStr(BandOfFreq(q.Freq)) +
         '|' + IntToStr(ModeNumber(q.Mode));
}

}  // namespace

std::vector<AdifFields> ParseAdifRecords(std::string_view text) {
  std::vector<AdifFields> records;
  AdifFields current;
  std::size_t pos = HeaderEnd(text);
  while ((pos = text.find('<', pos)) != std::string_view::npos) {
    const auto close = text.find('>', pos);
    if (close == std::string_view::npos) break;
    const std::string_view tag = text.substr(pos + 1, close - pos - 1);
    pos = close + 1;
    if (SameText(tag, "EOH")) {  // a header that began with a field
      current.clear();
      continue;
    }
    if (SameText(tag, "EOR")) {
      if (!current.empty()) records.push_back(std::move(current));
      current.clear();
      continue;
    }
    const auto colon = tag.find(':');
    if (colon == std::string_view::npos) continue;  // a stray "<...>" carries no value
    const std::string_view length = tag.substr(colon + 1, tag.find(':', colon + 1) - colon - 1);
    if (!AllDigits(length)) continue;  // a damaged tag: its value is read as stray text
    const std::size_t len = std::strtoul(std::string(length).c_str(), nullptr, 10);
    if (length.size() > 9 || len > text.size() - pos) break;  // the file ends inside the value
    current.emplace_back(UpperCase(Trim(tag.substr(0, colon))), std::string(text.substr(pos, len)));
    pos += len;
  }
  return records;
}

AdifImportResult ImportAdifText(std::string_view text, const AdifImportRules& rules,
                                const TLogCollection& log) {
  AdifImportResult result;
  std::unordered_set<std::string> logged;
  logged.reserve(static_cast<std::size_t>(log.Count()));
  for (const QsoRecord& old : log) logged.insert(ContactKey(old));
  int number = 0;
  for (const AdifFields& fields : ParseAdifRecords(text)) {
    ++number;
    QsoRecord q;
    Status s = BuildQso(fields, rules, q);
    if (s && logged.contains(ContactKey(q)))
      s = Status::Error(ErrCode::kBadInput, "already in the log");
    if (!s) {
      const std::string call = Field(fields, "CALL");
      result.refused.push_back("record " + IntToStr(number) +
                               (call.empty() ? std::string() : " (" + call + ")") + ": " +
                               s.message);
      continue;
    }
    result.qsos.push_back(std::move(q));
  }
  return result;
}

}  // namespace vk
