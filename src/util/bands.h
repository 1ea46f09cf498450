// The radio vocabulary shared by the log, the scoring and the reports: frequencies, band
// indexes, band and mode names, Maidenhead locators and great-circle distance.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

// Frequency in units of 100 Hz: 14.025 MHz is 140250.
using Freq = std::int32_t;
// 1-9 for 160 m, 80 m, 40 m, 20 m, 15 m, 10 m, 2 m, 70 cm, 23 cm; 0 outside all of them
// (there is no index for 30 m or the other WARC bands).
using BandIndex = std::uint8_t;
inline constexpr BandIndex kBandNone = 0;
inline constexpr BandIndex kBandCount = 9;
// The modes the log knows.  The numbers are fixed: the QSO checksum sums them, and a contest's
// rules and the bus carry them.  Files and messages name a mode by its text instead.
enum class Mode : std::uint8_t {
  kUnknown = 0,
  kCw = 1,
  kPhone = 2,
  kFm = 3,
  kRtty = 4,
  kPsk31 = 5
};
inline constexpr int kModeCount = 5;  // kCw .. kPsk31

// The number a mode is summed, stored and carried as.
constexpr std::uint8_t ModeNumber(Mode m) {
  return static_cast<std::uint8_t>(m);
}
// The mode of a number read from outside; nullopt for a number that names no mode.
constexpr std::optional<Mode> ModeFromNumber(long long n) {
  if (n < 0 || n > kModeCount) return std::nullopt;
  return static_cast<Mode>(n);
}
// The same where a number that names no mode stands for an unknown one.
constexpr Mode ModeOrUnknown(long long n) {
  return ModeFromNumber(n).value_or(Mode::kUnknown);
}

// Text in MHz with '.' as the decimal separator, rounded to the nearest 100 Hz.  Text that
// is not a number, or lies beyond the range of Freq, is an error and `out` is left unchanged.
Status FreqFromText(std::string_view mhz, Freq& out);
BandIndex BandOfFreq(Freq f);
// The frequency a new QSO gets on a band: 0 for index 0, the 23 cm one above 9.
Freq DefaultFreqOfBand(BandIndex band);
// Three characters, right-aligned ("160", " 80", "1.2"); empty for 0 and above 9.
std::string BandScreenName(BandIndex band);
// ADIF BAND names ("160M" ... "23CM", and "30M"), exact and case-sensitive; others give 0.
Freq FreqOfBandName(std::string_view name);

// "SSB" and "PH" are both phone, so a QSO read as SSB is written back as PH.  Any other text
// is an unknown mode.
Mode ModeOfName(std::string_view name);
std::string ModeName(Mode mode);  // "CW", "PH", "FM", "RTTY", "PSK31"; empty for unknown

// Degrees, east and north positive.
struct Position {
  double lon = 0;
  double lat = 0;
};

// Centre of a six-character Maidenhead sub-square (cut to 6 characters, any case).  Field
// letters must be A-R, square digits 0-9 and sub-square letters A-X; anything else (or fewer
// than 6 characters) is an error and `out` is left unchanged.  A four-character square with
// "AA" appended gives the centre of its south-west sub-square.
Status LocatorPosition(std::string_view locator, Position& out);
// Great-circle distance in km, at 111.25 km per degree of central angle.  Pure: the caller
// writes any journal line it wants.  Equal positions give 0.
double Distance(const Position& p, const Position& q);

}  // namespace vk
