#include "net/net_message.h"

#include <array>
#include <charconv>
#include <limits>
#include <vector>

#include "util/bands.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kQsoLineFields = 12;
// Fields after the twelve: the stamp's seconds, then the QSO's explicit place in the log's
// order.  Sent only when not zero; a line of twelve reads as seconds 0 and no place.
constexpr std::size_t kQsoLineMaxFields = 14;

// Each field ends at the next separator; the last is the rest of the line.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t at; (at = line.find(kQsoLineSeparator, start)) != std::string_view::npos;
       start = at + 1) {
    fields.push_back(line.substr(start, at - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

// A part of the stamp: up to four digits, leading spaces allowed (the year is padded with
// spaces when it has fewer than four digits).
bool ReadStampPart(std::string_view text, std::uint16_t& out) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty() || text.size() > 4 || text.front() == '-') return false;
  std::optional<std::int64_t> v = ParseStrictInt(text, 0, 9999);
  if (!v) return false;
  out = static_cast<std::uint16_t>(*v);
  return true;
}

bool ReadStamp(std::string_view date, std::string_view time, DateTime& out) {
  const std::size_t d1 = date.find('-');
  const std::size_t d2 = d1 == std::string_view::npos ? d1 : date.find('-', d1 + 1);
  const std::size_t t1 = time.find(':');
  if (d2 == std::string_view::npos || t1 == std::string_view::npos) return false;
  DateTime dt;
  if (!ReadStampPart(date.substr(0, d1), dt.day) ||
      !ReadStampPart(date.substr(d1 + 1, d2 - d1 - 1), dt.month) ||
      !ReadStampPart(date.substr(d2 + 1), dt.year) || !ReadStampPart(time.substr(0, t1), dt.hour) ||
      !ReadStampPart(time.substr(t1 + 1), dt.minute)) {
    return false;
  }
  // A date or time no calendar has would be saved and read back as another one.  The all-zero
  // date is that of a QSO that never had one, and stays so.
  const bool unstamped = dt.year == 0 && dt.month == 0 && dt.day == 0;
  if (!unstamped && !IsValidDate(dt.year, dt.month, dt.day)) return false;
  if (!IsValidTime(dt.hour, dt.minute, 0)) return false;
  out = dt;
  return true;
}

bool SetFault(std::string* fault, std::string text) {
  if (fault != nullptr) *fault = std::move(text);
  return false;
}

bool ReadNumbers(const std::vector<std::string_view>& f, QsoRecord& q, std::string* fault) {
  const std::optional<std::int64_t> guid = ParseStrictInt(f[0], kInt32Min, kInt32Max);
  const std::optional<std::int64_t> freq = ParseStrictInt(f[3], kInt32Min, kInt32Max);
  // Other stations print the 16-bit values signed; anything within 32 bits keeps its low 16.
  const std::optional<std::int64_t> score = ParseStrictInt(f[8], kInt32Min, kInt32Max);
  const std::optional<std::int64_t> multi = ParseStrictInt(f[9], kInt32Min, kInt32Max);
  const std::optional<std::int64_t> bonus = ParseStrictInt(f[10], kInt32Min, kInt32Max);
  const std::optional<std::int64_t> mark = ParseStrictInt(f[11], kInt32Min, kInt32Max);
  if (!guid) return SetFault(fault, "bad Guid");
  if (!freq) return SetFault(fault, "bad frequency");
  if (!score || !multi || !bonus) return SetFault(fault, "bad score");
  if (!mark) return SetFault(fault, "bad mark");
  q.Guid = static_cast<std::int32_t>(*guid);
  q.Freq = static_cast<std::int32_t>(*freq);
  q.Score = static_cast<std::int16_t>(static_cast<std::uint16_t>(*score & 0xFFFF));
  q.Multi = static_cast<std::int16_t>(static_cast<std::uint16_t>(*multi & 0xFFFF));
  q.Bonus = static_cast<std::int16_t>(static_cast<std::uint16_t>(*bonus & 0xFFFF));
  q.Mark = static_cast<std::int32_t>(*mark);
  return true;
}

// "<number>^<QSO line>", as INS: and QSO: carry it.
bool ReadNumberedLine(std::string_view body, std::int64_t lo, NetMessage& m) {
  const std::size_t at = body.find(kPositionSeparator);
  if (at == std::string_view::npos) return SetFault(&m.fault, "no \"^\"");
  const std::optional<std::int64_t> n = ParseStrictInt(body.substr(0, at), lo, kInt32Max);
  if (!n) return SetFault(&m.fault, "bad number before \"^\"");
  std::optional<QsoRecord> q = ParseQsoLine(body.substr(at + 1), &m.fault);
  if (!q) return false;
  m.number = *n;
  m.qso = std::move(*q);
  return true;
}

bool ReadBody(std::string_view body, NetMessage& m) {
  switch (m.verb) {
    case NetVerb::kHelo: {
      // Reports arrive signed from other stations; an unsigned print of the same 32 bits is
      // read too.
      const std::optional<std::int64_t> n = ParseStrictInt(body, kInt32Min, kUint32Max);
      if (!n) return SetFault(&m.fault, "bad checksum");
      m.number = static_cast<std::uint32_t>(*n);
      return true;
    }
    case NetVerb::kAdd:
    case NetVerb::kEdt: {
      std::optional<QsoRecord> q = ParseQsoLine(body, &m.fault);
      if (!q) return false;
      m.qso = std::move(*q);
      return true;
    }
    case NetVerb::kDel:
    case NetVerb::kGet: {
      const std::optional<std::int64_t> n = ParseStrictInt(body, kInt32Min, kInt32Max);
      if (!n) return SetFault(&m.fault, "bad number");
      m.number = *n;
      return true;
    }
    case NetVerb::kIns:
      return ReadNumberedLine(body, kInt32Min, m);
    case NetVerb::kQso:
      return ReadNumberedLine(body, 0, m);
    case NetVerb::kEndLog:
      // It ends the receiving program: only the bare keyword counts.
      return body.empty() || SetFault(&m.fault, "text after ENDLOG:");
    case NetVerb::kNone:
      break;
  }
  return false;
}

struct Keyword {
  std::string_view text;
  NetVerb verb;
};
constexpr std::array<Keyword, 8> kKeywords = {{{kHeloKeyword, NetVerb::kHelo},
                                               {kAddKeyword, NetVerb::kAdd},
                                               {kEdtKeyword, NetVerb::kEdt},
                                               {kDelKeyword, NetVerb::kDel},
                                               {kInsKeyword, NetVerb::kIns},
                                               {kGetKeyword, NetVerb::kGet},
                                               {kQsoKeyword, NetVerb::kQso},
                                               {kEndLogKeyword, NetVerb::kEndLog}}};

}  // namespace

std::optional<std::int64_t> ParseStrictInt(std::string_view text, std::int64_t lo,
                                           std::int64_t hi) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  std::int64_t v = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || ptr != end || v < lo || v > hi) return std::nullopt;
  return v;
}

std::string BuildQsoLine(const QsoRecord& q) {
  const char sep = kQsoLineSeparator;
  return IntToStr(q.Guid) + sep + FormatMask(q.Stamp, kQsoLineStampMask) + sep + IntToStr(q.Freq) +
         sep + QsoModeText(q.Mode) + sep + q.Call + sep + q.Sent + sep + q.Rcvd + sep +
         IntToStr(q.Score) + sep + IntToStr(q.Multi) + sep + IntToStr(q.Bonus) + sep +
         IntToStr(q.Mark) + QsoLineTail(q);
}

std::string QsoLineTail(const QsoRecord& q) {
  if (q.Stamp.second == 0 && q.Place == 0) return {};
  std::string tail = kQsoLineSeparator + IntToStrZero(q.Stamp.second, 2);
  if (q.Place != 0) tail += kQsoLineSeparator + IntToStr(static_cast<long long>(q.Place));
  return tail;
}

bool CanTravel(const QsoRecord& q) {
  for (const std::string* s : {&q.Call, &q.Sent, &q.Rcvd}) {
    if (s->find(kQsoLineSeparator) != std::string::npos) return false;
  }
  return true;
}

std::optional<QsoRecord> ParseQsoLine(std::string_view line, std::string* fault) {
  const std::vector<std::string_view> f = SplitFields(line);
  if (f.size() < kQsoLineFields) {
    SetFault(fault, "QSO line has " + IntToStr(static_cast<long long>(f.size())) + " fields");
    return std::nullopt;
  }
  if (f.size() > kQsoLineMaxFields) {
    // A call or exchange holding the separator: the fields after it are shifted, and reading
    // them would put exchanges into numbers.
    SetFault(fault, "QSO line has more than 14 fields");
    return std::nullopt;
  }
  QsoRecord q;
  if (!ReadNumbers(f, q, fault)) return std::nullopt;
  if (!ReadStamp(f[1], f[2], q.Stamp)) {
    SetFault(fault, "bad date or time");
    return std::nullopt;
  }
  if (f.size() > kQsoLineFields) {
    const std::optional<std::int64_t> second = ParseStrictInt(f[12], 0, 59);
    if (!second || f[12].size() != 2) {
      SetFault(fault, "bad seconds");
      return std::nullopt;
    }
    q.Stamp.second = static_cast<std::uint16_t>(*second);
  }
  if (f.size() > kQsoLineFields + 1) {
    const std::optional<std::int64_t> place =
        ParseStrictInt(f[13], std::numeric_limits<std::int64_t>::min() + 1,
                       std::numeric_limits<std::int64_t>::max());
    if (!place) {
      SetFault(fault, "bad place");
      return std::nullopt;
    }
    q.Place = *place;
  }
  q.Mode = ModeOfName(f[4]);
  q.Call = CutQsoField(f[5]);
  q.Sent = CutQsoField(f[6]);
  q.Rcvd = CutQsoField(f[7]);
  return q;
}

std::string HeloMessage(std::uint32_t logCrc) {
  return std::string(kHeloKeyword) + IntToStr(static_cast<std::int32_t>(logCrc));
}
std::string AddMessage(const QsoRecord& qso) {
  return std::string(kAddKeyword) + BuildQsoLine(qso);
}
std::string EdtMessage(const QsoRecord& qso) {
  return std::string(kEdtKeyword) + BuildQsoLine(qso);
}
std::string DelMessage(std::int32_t guid) {
  return std::string(kDelKeyword) + IntToStr(guid);
}
std::string InsMessage(std::int32_t nextGuid, const QsoRecord& qso) {
  return std::string(kInsKeyword) + IntToStr(nextGuid) + kPositionSeparator + BuildQsoLine(qso);
}
std::string GetMessage(std::int32_t n) {
  return std::string(kGetKeyword) + IntToStr(n);
}
std::string QsoMessage(int position, const QsoRecord& qso) {
  return std::string(kQsoKeyword) + IntToStr(position) + kPositionSeparator + BuildQsoLine(qso);
}
std::string EndLogMessage() {
  return std::string(kEndLogKeyword);
}

bool IsSyncMessage(std::string_view text) {
  for (std::string_view k :
       {kDigKeyword, kAckKeyword, kBktKeyword, kInvKeyword, kWantKeyword, kRecKeyword}) {
    if (text.starts_with(k)) return true;
  }
  return false;
}

std::string DatagramFault(std::string_view datagram) {
  if (datagram.empty()) return "empty datagram";
  const std::size_t limit = IsSyncMessage(datagram) ? kMaxSyncMessage : kMaxNetMessage;
  if (datagram.size() > limit) {
    return "over-long datagram of " + IntToStr(static_cast<long long>(datagram.size())) + " bytes";
  }
  for (unsigned char c : datagram) {
    if (c < 0x20 || c == 0x7F) return "binary datagram";
  }
  return {};
}

NetMessage ParseNetMessage(std::string_view text) {
  NetMessage m;
  m.fault = DatagramFault(text);
  if (!m.fault.empty()) return m;
  for (const Keyword& k : kKeywords) {
    if (text.substr(0, k.text.size()) != k.text) continue;
    m.verb = k.verb;
    if (!ReadBody(text.substr(k.text.size()), m)) m.verb = NetVerb::kNone;
    return m;
  }
  m.fault = "unknown keyword";
  return m;
}

std::string PrintableText(std::string_view text) {
  std::string out(text.substr(0, kMaxText));
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = '?';
  }
  return out;
}

}  // namespace vk
