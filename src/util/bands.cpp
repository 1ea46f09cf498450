#include "util/bands.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "util/strings.h"

namespace vk {
namespace {

struct BandRow {
  Freq low, high, deflt;
  const char* screen;
};

// Index 1-9.  The HF edges cover the widest regional allocation (40 m to 7.300 MHz and 80 m to
// 4.000 MHz in Region 2, 20 m to 14.350 MHz), so that a QSO in the upper part of a phone
// band is scored on its band instead of on none; the log's band texts use the same edges.
constexpr std::array<BandRow, kBandCount> kBands = {{
    {18000, 20000, 18400, "160"},
    {35000, 40000, 35100, " 80"},
    {70000, 73000, 70200, " 40"},
    {140000, 143500, 140200, " 20"},
    {210000, 214500, 210300, " 15"},
    {280000, 299990, 280500, " 10"},
    {1440000, 1459990, 1440000, "144"},
    {4300000, 4350000, 4320000, "430"},
    {12000000, 13000000, 12960000, "1.2"},
}};

struct NamedFreq {
  std::string_view name;
  Freq freq;
};

constexpr std::array<NamedFreq, 10> kBandNames = {{
    {"160M", 18500},   {"80M", 36000},     {"40M", 70500},    {"30M", 101000},
    {"20M", 141000},   {"15M", 211500},    {"10M", 282000},   {"2M", 1440000},
    {"70CM", 4320000}, {"23CM", 12960000},
}};

constexpr std::array<std::string_view, kModeCount + 1> kModeNames = {"",   "CW",   "PH",
                                                                     "FM", "RTTY", "PSK31"};

}  // namespace

Status FreqFromText(std::string_view mhz, Freq& out) {
  std::string text = Trim(mhz);
  std::string_view digits = text;
  // from_chars takes a minus sign but not a plus sign; one sign only.
  if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-') digits.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  bool ok = ec == std::errc() && end == digits.data() + digits.size() && !digits.empty() &&
            std::isfinite(value);
  double scaled = ok ? std::round(value * 10000.0) : 0;
  if (!ok || scaled < std::numeric_limits<Freq>::min() || scaled > std::numeric_limits<Freq>::max())
    return Status::Error(ErrCode::kBadInput, "Invalid frequency: \"" + std::string(mhz) + "\"");
  out = static_cast<Freq>(scaled);
  return Status::Ok();
}

BandIndex BandOfFreq(Freq f) {
  for (std::size_t i = 0; i < kBands.size(); ++i)
    if (f >= kBands[i].low && f <= kBands[i].high) return static_cast<BandIndex>(i + 1);
  return kBandNone;
}

Freq DefaultFreqOfBand(BandIndex band) {
  if (band == kBandNone) return 0;
  return band > kBandCount ? kBands.back().deflt : kBands[band - 1u].deflt;
}

std::string BandScreenName(BandIndex band) {
  if (band == kBandNone || band > kBandCount) return {};
  return kBands[band - 1u].screen;
}

Freq FreqOfBandName(std::string_view name) {
  for (const auto& b : kBandNames)
    if (b.name == name) return b.freq;
  return 0;
}

Mode ModeOfName(std::string_view name) {
  if (name == "SSB") return Mode::kPhone;
  for (std::size_t i = 1; i < kModeNames.size(); ++i)
    if (kModeNames[i] == name) return ModeOrUnknown(static_cast<long long>(i));
  return Mode::kUnknown;
}

std::string ModeName(Mode mode) {
  const std::size_t i = ModeNumber(mode);
  return i < kModeNames.size() ? std::string(kModeNames[i]) : std::string();
}

Status LocatorPosition(std::string_view locator, Position& out) {
  std::string loc = UpperCase(locator.substr(0, 6));
  auto in = [&](std::size_t i, char lo, char hi) {
    return i < loc.size() && loc[i] >= lo && loc[i] <= hi;
  };
  if (!in(0, 'A', 'R') || !in(1, 'A', 'R') || !in(2, '0', '9') || !in(3, '0', '9') ||
      !in(4, 'A', 'X') || !in(5, 'A', 'X'))
    return Status::Error(ErrCode::kBadInput, "Invalid locator: \"" + std::string(locator) + "\"");
  out.lon = (loc[0] - 'A') * 20 - 180 + 2 * (loc[2] - '0') + ((loc[4] - 'A') * 5 + 2.5) / 60;
  out.lat = (loc[1] - 'A') * 10 - 90 + (loc[3] - '0') + ((loc[5] - 'A') * 2.5 + 1.25) / 60;
  return Status::Ok();
}

double Distance(const Position& p, const Position& q) {
  // The cosine of a zero angle comes out a hair below 1, which acos turns into a few
  // centimetres; the same station must be 0 km away.
  if (p.lon == q.lon && p.lat == q.lat) return 0;
  constexpr double k = 180.0 / 3.14159265358979323846;
  double c = std::sin(p.lat / k) * std::sin(q.lat / k) +
             std::cos(p.lat / k) * std::cos(q.lat / k) * std::cos((q.lon - p.lon) / k);
  // Rounding can push c just past 1 for equal positions, where acos would give NaN.
  c = std::fmax(-1.0, std::fmin(1.0, c));
  return std::acos(c) * k * 111.25;
}

}  // namespace vk
