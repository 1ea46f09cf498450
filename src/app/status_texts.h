// The diagnostic texts of the top and bottom rows, rebuilt on every idle pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/bands.h"
#include "util/key_codes.h"
#include "vorkan_version.h"

namespace vk {

inline constexpr std::string_view kProgramBanner = "Vorkan " VORKAN_VERSION " ";

// Columns counted back from the right edge of the screen.
inline constexpr int kBannerColumnFromRight = 52;
inline constexpr int kClockColumnFromRight = 12;  // "hh:nn:ss UTC"

struct StatusTexts {
  // Shown only when diagnostics are asked for (VORKAN_DIAGNOSTICS=1): the code of the last key
  // the terminal sent, for a keyboard that does not do what it should, and the checksums the
  // group compares.
  std::string lastKey;    // "$" + 4 hex digits
  std::string checksums;  // peer and own log checksum, low 16 bits each, "XXXX:XXXX"
  std::string sync;       // the group's state, empty without a network (SyncStateText)
  std::string cluster;    // the cluster link, empty without one (ClusterStateText)
  std::string banner;     // the menu-bar text
  std::string rig;        // the radio's state, empty without a radio (RigControl::StatusText)
  std::string operating;  // the mode and the keyer's speed (OperatingStateText)
  std::string logFile;    // whether vorkan.adi holds the log (LogFileStateText)
  friend bool operator==(const StatusTexts&, const StatusTexts&) = default;
};

// The lowest `digits` hexadecimal digits of v, upper case, zero-padded.
std::string HexDigits(std::uint64_t v, int digits);

StatusTexts FormatStatusTexts(KeyCode lastKey, std::uint32_t peerCrc, std::uint32_t logCrc,
                              std::string_view ownCall, std::string_view contestDisplayName);

// "CW 24 WPM" while a keyer works in CW, else the mode alone ("CW", "SSB", "FM", "RTTY",
// "PSK"); empty for an unknown mode.
std::string OperatingStateText(Mode mode, int keyerWpm);

// "Log: saved" while vorkan.adi holds every QSO of the log, "Log: NOT SAVED" when a write
// failed (the QSOs stay in the log and the next change or Options > Save writes them again).
std::string LogFileStateText(bool saved);

// The status row right of "Alt-X Exit", `width` columns: the radio's and the cluster link's
// states on the left (LinkStatesText, in the room the others leave), then the group's state,
// the mode and speed, the log file's state and the diagnostics, right-aligned, two blanks
// apart.  `diagnostics` false leaves the last key and the checksums out.
std::string StatusRowText(const StatusTexts& texts, bool diagnostics, std::size_t width);

// The group's state for the operator: empty while the network is off; "Net: waiting" until a
// checksum report of another station was heard; then "Net: in step" when the logs are equal,
// "Net: repairing" while the stations mend a difference by themselves, else "Net: differs".
std::string SyncStateText(bool enabled, bool heard, bool repairing, bool inStep);

// "Cluster: connected" or "Cluster: not connected"; empty when no cluster is used.
std::string ClusterStateText(bool used, bool connected);

// The radio's state and the cluster link's (either may be empty) in at most `room` columns:
// the long forms when they fit, else the radio's frequency as "Rig: on" and the link as
// "DX: not connected", then "DX: off" ("DX: on").  On 80 columns with the group's state shown
// there are 25.
std::string LinkStatesText(std::string_view rig, std::string_view cluster, std::size_t room);

// The menu-bar text fitted to `width` columns: the whole banner when it fits, else without the
// program's name, else with the contest name cut (the closing bracket stays).
std::string FitBanner(std::string_view ownCall, std::string_view contestDisplayName,
                      std::size_t width);

}  // namespace vk
