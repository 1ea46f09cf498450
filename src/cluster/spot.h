// One spot from a DX cluster node or a CW/RTTY skimmer: who was heard, where, and what the
// spotter said about it.  The line format is the one every common node program sends:
//
//   DX de W3LPL:     14025.0  DL1ABC       CW 24 dB 27 WPM CQ              1234Z
//
// The spotter's call ends in ':', the frequency is in kHz, the comment runs to the time (UTC,
// four digits and 'Z'); some nodes add the spotter's locator after the time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/bands.h"

namespace vk {

struct Spot {
  std::string call;     // the station heard, upper case
  std::string spotter;  // "W3LPL" or a skimmer's "DK9IP-#"
  std::string comment;  // printable ASCII only
  Freq freq = 0;        // 100 Hz units
  Mode mode = Mode::kUnknown;  // named in the comment
  int wpm = 0;          // CW speed a skimmer measured; 0 unknown
  int snr = 0;          // signal-to-noise in dB a skimmer measured
  bool hasSnr = false;
  int hhmm = -1;          // the spotter's UTC time as hours * 100 + minutes; -1 without one
  std::int64_t seen = 0;  // when the spot arrived, in seconds of the owner's clock

  bool FromSkimmer() const { return spotter.find("-#") != std::string::npos; }
};

// Longest line of a node that is read at all; the rest of a longer line is cut off.
inline constexpr std::size_t kMaxClusterLine = 255;

// Reads one line (without its line end).  False for anything that is not a well-formed spot
// line: another kind of line, a call with characters no call has, a frequency that is not a
// number or out of range, bytes that are not printable ASCII in the calls.
bool ParseSpotLine(std::string_view line, Spot& out);

// Mode, speed and signal-to-noise from a comment ("CW 24 dB 27 WPM CQ", "RTTY 12 dB 45 BPS",
// "USB up 5"): sets mode, wpm, snr and hasSnr of `spot` where the comment says them.
void ReadSpotComment(std::string_view comment, Spot& spot);

// The mode a spot without one is most likely in, from the usual band plan: the CW end of an
// HF band, phone above it; unknown outside the HF contest bands.
Mode LikelyModeOfFreq(Freq f);

// True for text that can be a call sign: 3-16 characters of A-Z, 0-9 and '/', with at least
// one digit and one letter.
bool LooksLikeCall(std::string_view text);

}  // namespace vk
