// SPDX-License-Identifier: GPL-3.0-or-later
#include "digital/wsjtx_message.h"

#include <cstdlib>

#include "reports/adif_import.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::uint32_t kNullBytes = 0xffffffffU;
// Julian day number of 30 December 1899, day 0 of the program's calendar.
constexpr long long kJulianDayZero = 2415019;
constexpr std::uint32_t kMsPerDay = 24U * 60U * 60U * 1000U;
// No field of a message this program reads comes near this; a longer one is damage.
constexpr std::uint32_t kMaxText = 16384;

// Reads the big-endian fields of one datagram; after the first failure every read fails and
// leaves its output as it was, so a message is read straight through and checked once.
class StreamReader {
 public:
  explicit StreamReader(std::string_view bytes) : bytes_(bytes) {}

  bool ok() const { return ok_; }
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  const std::string& Fault() const { return fault_; }

  std::uint64_t Unsigned(std::size_t width) {
    if (!Need(width, "a number")) return 0;
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < width; ++i) v = v << 8 | static_cast<unsigned char>(bytes_[pos_ + i]);
    pos_ += width;
    return v;
  }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Unsigned(4)); }

  // A QByteArray of UTF-8, as CP866 bytes (or as sent, `raw`); the null string reads as empty.
  std::string Text(const char* what, bool raw = false) {
    const std::uint32_t n = U32();
    if (!ok_ || n == kNullBytes) return {};
    if (n > kMaxText) return Fail(std::string(what) + " too long"), std::string();
    if (!Need(n, what)) return {};
    const std::string_view bytes = bytes_.substr(pos_, n);
    std::string s = raw ? std::string(bytes) : Utf8ToCp866(bytes);
    pos_ += n;
    return s;
  }

  DateTime Stamp(const char* what) {
    const auto julian = static_cast<long long>(Unsigned(8));
    const std::uint32_t ms = U32();
    const auto zone = static_cast<std::uint8_t>(Unsigned(1));
    long long offset = 0;
    if (zone == 2) offset = static_cast<std::int32_t>(U32());
    if (!ok_) return {};
    if (zone > 2) return Fail(std::string(what) + ": time zone not taken"), DateTime{};
    if (ms >= kMsPerDay || julian < kJulianDayZero || julian > kJulianDayZero + 3000000)
      return Fail(std::string(what) + " is not a date and time"), DateTime{};
    // A time with an offset is turned into UTC; local time (zone kind 0) is taken as it is, the
    // way the digital programs stamp their logs in UTC whatever the kind says.
    long long seconds = (julian - kJulianDayZero) * 86400 + ms / 1000 - offset;
    if (seconds < 0) return Fail(std::string(what) + " is not a date and time"), DateTime{};
    int y = 0, mo = 0, d = 0;
    DateOfDayNumber(seconds / 86400, y, mo, d);
    if (!IsValidDate(y, mo, d)) return Fail(std::string(what) + " is not a date"), DateTime{};
    seconds %= 86400;
    return DateTime{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(mo),
                    static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(seconds / 3600),
                    static_cast<std::uint16_t>(seconds / 60 % 60),
                    static_cast<std::uint16_t>(seconds % 60)};
  }

  void Fail(std::string why) {
    if (ok_) fault_ = std::move(why);
    ok_ = false;
  }

 private:
  bool Need(std::size_t n, const char* what) {
    if (!ok_) return false;
    if (bytes_.size() - pos_ < n) {
      Fail(std::string("ends inside ") + what);
      return false;
    }
    return true;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
  std::string fault_;
};

Status Bad(std::string why) {
  return Status::Error(ErrCode::kBadInput, std::move(why));
}

// QSO Logged: older versions end after Name; the fields after it are read when present.
void ReadQsoLogged(StreamReader& r, DigitalQso& q) {
  q.timeOff = r.Stamp("time off");
  q.call = UpperCase(Trim(r.Text("call")));
  q.grid = Trim(r.Text("grid"));
  q.freqHz = r.Unsigned(8);
  q.mode = UpperCase(Trim(r.Text("mode")));
  q.rstSent = Trim(r.Text("report sent"));
  q.rstRcvd = Trim(r.Text("report received"));
  (void)r.Text("power");
  (void)r.Text("comments");
  (void)r.Text("name");
  if (!r.ok() || r.AtEnd()) return;
  (void)r.Stamp("time on");
  (void)r.Text("operator");
  (void)r.Text("own call");
  (void)r.Text("own grid");
  if (!r.ok() || r.AtEnd()) return;
  q.exchSent = Trim(r.Text("exchange sent"));
  q.exchRcvd = Trim(r.Text("exchange received"));
}

std::string FieldOf(const AdifFields& f, std::string_view name) {
  for (const auto& [n, v] : f) {
    if (n == name) return Trim(v);
  }
  return {};
}

int Digits(const std::string& s, std::size_t at, std::size_t n) {
  if (s.size() < at + n) return -1;
  int v = 0;
  for (std::size_t i = at; i < at + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

// QSO_DATE_OFF/TIME_OFF when the record has them, else QSO_DATE/TIME_ON: the log stamps a QSO
// when it is complete.
bool AdifStamp(const AdifFields& f, DateTime& out) {
  std::string date = FieldOf(f, "QSO_DATE_OFF");
  std::string time = FieldOf(f, "TIME_OFF");
  if (date.empty() || time.empty()) {
    date = FieldOf(f, "QSO_DATE");
    time = FieldOf(f, "TIME_ON");
  }
  const int y = Digits(date, 0, 4), mo = Digits(date, 4, 2), d = Digits(date, 6, 2);
  const int h = Digits(time, 0, 2), mi = Digits(time, 2, 2);
  const int s = time.size() >= 6 ? Digits(time, 4, 2) : 0;
  if (date.size() != 8 || (time.size() != 4 && time.size() != 6) || !IsValidDate(y, mo, d) ||
      !IsValidTime(h, mi, s))
    return false;
  out = DateTime{static_cast<std::uint16_t>(y),  static_cast<std::uint16_t>(mo),
                 static_cast<std::uint16_t>(d),  static_cast<std::uint16_t>(h),
                 static_cast<std::uint16_t>(mi), static_cast<std::uint16_t>(s)};
  return true;
}

std::string FirstOf(const AdifFields& f, std::initializer_list<std::string_view> names) {
  for (std::string_view n : names) {
    if (std::string v = FieldOf(f, n); !v.empty()) return v;
  }
  return {};
}

}  // namespace

Status DigitalQsoFromAdif(std::string_view adif, DigitalQso& out) {
  const std::vector<AdifFields> records = ParseAdifRecords(adif);
  if (records.empty()) return Bad("no ADIF record");
  const AdifFields& f = records.front();
  DigitalQso q;
  q.call = UpperCase(Utf8ToCp866(FieldOf(f, "CALL")));
  if (!AdifStamp(f, q.timeOff)) return Bad("no date and time");
  q.grid = Utf8ToCp866(FieldOf(f, "GRIDSQUARE"));
  const std::string mhz = FieldOf(f, "FREQ");
  if (!mhz.empty()) {
    char* end = nullptr;
    const double v = std::strtod(mhz.c_str(), &end);
    if (end == nullptr || *end != '\0' || !(v > 0.0 && v < 300000.0)) return Bad("frequency " + mhz);
    q.freqHz = static_cast<std::uint64_t>(v * 1e6 + 0.5);
  }
  q.band = UpperCase(FieldOf(f, "BAND"));
  q.mode = UpperCase(FieldOf(f, "MODE"));
  q.submode = UpperCase(FieldOf(f, "SUBMODE"));
  q.rstSent = Utf8ToCp866(FieldOf(f, "RST_SENT"));
  q.rstRcvd = Utf8ToCp866(FieldOf(f, "RST_RCVD"));
  // The contest exchange: the contest's own string, else the serial, else the fields the
  // digital contests exchange (state or section, then the grid for the grid contests).
  q.exchSent = Utf8ToCp866(FirstOf(f, {"STX_STRING", "STX", "MY_STATE"}));
  q.exchRcvd = Utf8ToCp866(FirstOf(f, {"SRX_STRING", "SRX", "STATE", "ARRL_SECT"}));
  out = std::move(q);
  return {};
}

Status DecodeWsjtx(std::string_view datagram, WsjtxMessage& out) {
  StreamReader r(datagram);
  const std::uint32_t magic = r.U32();
  if (!r.ok() || magic != kWsjtxMagic) return Bad("not a WSJT-X message");
  WsjtxMessage m;
  m.schema = r.U32();
  m.type = r.U32();
  m.id = r.Text("id");
  if (!r.ok()) return Bad("message " + r.Fault());
  if (m.schema < kWsjtxMinSchema) return Bad("schema " + IntToStr(m.schema) + " not taken");
  switch (m.type) {
    case 0:
      m.kind = WsjtxKind::kHeartbeat;
      if (!r.AtEnd()) (void)r.U32();  // the highest schema; missing before schema 3
      m.version = r.Text("version");
      break;
    case 5:
      m.kind = WsjtxKind::kQsoLogged;
      ReadQsoLogged(r, m.qso);
      if (r.ok() && m.qso.call.empty()) r.Fail("no call");
      break;
    case 12: {
      m.kind = WsjtxKind::kLoggedAdif;
      // ADIF lengths count the UTF-8 bytes: the text is read as sent.
      const std::string adif = r.Text("ADIF text", true);
      if (!r.ok()) break;
      if (Status s = DigitalQsoFromAdif(adif, m.qso); !s) r.Fail(s.message);
      if (r.ok() && m.qso.call.empty()) r.Fail("no call");
      break;
    }
    default:
      m.kind = WsjtxKind::kOther;
      break;
  }
  if (!r.ok()) return Bad("message type " + IntToStr(m.type) + ": " + r.Fault());
  out = std::move(m);
  return {};
}

}  // namespace vk
