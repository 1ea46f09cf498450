#include "log/qso.h"

#include <zlib.h>

#include <array>
#include <atomic>
#include <climits>

#include "util/bands.h"
#include "util/strings.h"

namespace vk {
namespace {

// The bytes a record's checksum covers, gathered first and summed in one call: zlib's crc32
// costs more per call than per byte, and a full log is summed at every load.
class CrcBytes {
 public:
  // Little-endian bytes of an integer.
  template <typename T>
  void Le(T value) {
    auto v = static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
    for (std::size_t i = 0; i < sizeof(T); ++i) Byte(static_cast<Bytef>(v >> (8 * i)));
  }
  void Text(const std::string& s) {
    for (char c : s) Byte(static_cast<Bytef>(c));
  }
  uLong Sum() {
    Flush();
    return crc_;
  }

 private:
  void Byte(Bytef b) {
    if (n_ == buf_.size()) Flush();
    buf_[n_++] = b;
  }
  void Flush() {
    if (n_ != 0) crc_ = ::crc32(crc_, buf_.data(), static_cast<uInt>(n_));
    n_ = 0;
  }
  std::array<Bytef, 128> buf_{};
  std::size_t n_ = 0;
  uLong crc_ = ::crc32(0L, Z_NULL, 0);
};

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
  CrcBytes crc;
  crc.Le(q.Guid);
  for (std::uint16_t f :
       {q.Stamp.year, q.Stamp.month, q.Stamp.day, q.Stamp.hour, q.Stamp.minute, q.Stamp.second}) {
    crc.Le(f);
  }
  crc.Le(q.Freq);
  crc.Le(ModeNumber(q.Mode));
  crc.Text(q.Call);
  crc.Text(q.Sent);
  crc.Text(q.Rcvd);
  crc.Le(q.Score);
  crc.Le(q.Multi);
  crc.Le(q.Bonus);
  return static_cast<std::uint32_t>(crc.Sum());
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
