// The radio vocabulary shared by the log, the scoring and the reports: frequencies, band
// indexes, band and mode names, Maidenhead locators and great-circle distance.
#pragma once

#include <cstdint>
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
// 1 CW, 2 PH, 3 FM, 4 RTTY, 5 PSK31; 0 unknown.
using ModeCode = std::uint8_t;

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

// "SSB" and "PH" are both phone, so a QSO read as SSB is written back as PH.
ModeCode ModeCodeOfName(std::string_view name);
std::string ModeNameOfCode(ModeCode code);  // empty for unknown codes

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
