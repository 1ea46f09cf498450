#include "log/qso.h"

#include <zlib.h>

#include <array>
#include <atomic>
#include <climits>

#include "util/bands.h"
#include "util/strings.h"

namespace vk {
namespace {

// Adds little-endian bytes of an integer to a running CRC-32.
template <typename T>
uLong CrcAddLe(uLong crc, T value) {
  auto v = static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
  std::array<Bytef, sizeof(T)> bytes{};
  for (std::size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<Bytef>(v >> (8 * i));
  return ::crc32(crc, bytes.data(), static_cast<uInt>(bytes.size()));
}

uLong CrcAddText(uLong crc, const std::string& s) {
  if (s.empty()) return crc;
  return ::crc32(crc, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size()));
}

struct BandTextRange {
  std::int32_t lo, hi;
  const char* text;
  const char* adifText;
};

// The HF edges are those of the widest regional allocation (80 m to 4.000 MHz and 40 m to
// 7.300 MHz in Region 2, 20 m to 14.350 MHz), the same as the band index uses: a phone QSO on
// 7.250 or 14.320 MHz must carry its band in the log file and on the log line.
// clang-format off
constexpr BandTextRange kBandTexts[] = {
    {18000, 20000, "160", "160"},
    {35000, 40000, " 80", " 80"},
    {70000, 73000, " 40", " 40"},
    {140000, 143500, " 20", " 20"},
    {210000, 214500, " 15", " 15"},
    {280000, 299990, " 10", " 10"},
    {1440000, 1460000, "144", "2"},
    {4300000, 4350000, "430", "70C"},
    {12000000, 13000000, "1.2", "23C"},
};
// clang-format on

std::int32_t WithStationPart(std::int32_t counter, int part) {
  if (part == 0) return counter;
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(part) << 24) |
                                   (static_cast<std::uint32_t>(counter) & 0xFFFFFFu));
}

}  // namespace

std::uint32_t ComputeQsoCrc(const QsoRecord& q) {
  uLong crc = ::crc32(0L, Z_NULL, 0);
  crc = CrcAddLe(crc, q.Guid);
  for (std::uint16_t f :
       {q.Stamp.year, q.Stamp.month, q.Stamp.day, q.Stamp.hour, q.Stamp.minute, q.Stamp.second}) {
    crc = CrcAddLe(crc, f);
  }
  crc = CrcAddLe(crc, q.Freq);
  crc = CrcAddLe(crc, ModeNumber(q.Mode));
  crc = CrcAddText(crc, q.Call);
  crc = CrcAddText(crc, q.Sent);
  crc = CrcAddText(crc, q.Rcvd);
  crc = CrcAddLe(crc, q.Score);
  crc = CrcAddLe(crc, q.Multi);
  crc = CrcAddLe(crc, q.Bonus);
  return static_cast<std::uint32_t>(crc);
}

void TakeEditedFields(const QsoRecord& edit, QsoRecord& held) {
  held.Freq = edit.Freq;
  held.Mode = edit.Mode;
  held.Call = edit.Call;
  held.Sent = edit.Sent;
  held.Rcvd = edit.Rcvd;
}

std::string CutQsoField(std::string_view text) {
  return std::string(text.substr(0, kQsoFieldWidth));
}

std::string QsoBandText(std::int32_t freq, bool adifNames) {
  for (const auto& r : kBandTexts) {
    if (freq >= r.lo && freq <= r.hi) return adifNames ? r.adifText : r.text;
  }
  return "   ";
}

std::string QsoModeText(Mode mode) {
  return ModeName(mode);
}

std::string QsoScoreText(const QsoRecord& q) {
  if (q.Dupe) return "DUP";
  std::string s = IntToStr(q.Score);
  if (q.Multi != 0 || q.Bonus != 0) s += '*';
  return s;
}

std::int32_t QsoIdCounter::Current() const {
  return WithStationPart(counter_.load(std::memory_order_relaxed), StationPart());
}

void QsoIdCounter::Set(std::int32_t value) {
  counter_.store(value, std::memory_order_relaxed);
}

std::int32_t QsoIdCounter::Raise() {
  return WithStationPart(RaiseRaw(), StationPart());
}

void QsoIdCounter::SetStationPart(int part) {
  part_.store(part >= 0 && part <= kMaxStationPart ? part : 0, std::memory_order_relaxed);
}

int QsoIdCounter::StationPart() const {
  return part_.load(std::memory_order_relaxed);
}

std::int32_t QsoIdCounter::RaiseRaw() {
  // Atomic arithmetic wraps, so a counter left running for weeks never overflows into UB.
  std::int32_t old = counter_.fetch_add(1, std::memory_order_relaxed);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(old) + 1u);
}

std::int32_t NextEditVersion(std::int32_t version, int stationPart) {
  const std::int32_t count = version > 0 ? version >> kEditVersionStationBits : 0;
  const std::int32_t part = stationPart & ((1 << kEditVersionStationBits) - 1);
  if (count >= (INT32_MAX >> kEditVersionStationBits)) return version;  // never wraps
  return ((count + 1) << kEditVersionStationBits) | part;
}

}  // namespace vk
