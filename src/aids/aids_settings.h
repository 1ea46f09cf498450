// The operator aids' lines of vorkan.cfg:
//
//   [AIDS]
//   ScpFile=/usr/share/hamradio-files/MASTER.SCP      ; "none": no check-partial database
//   HistoryFile=/usr/share/hamradio-files/WAG_call_history.txt   ; "none": no history file
//   ScpWindow=1                                       ; 0: the check-partial list starts hidden
//   RateLine=1                                        ; 0: the rate line starts hidden
//   [HISTORYFIELD]
//   WAG=1                                             ; contest name = field that prefills
//
// A contest with no line under [HISTORYFIELD] gets no history prefill: for a contest with
// serial numbers an old exchange would be wrong.  The field is a number from 1 (the first after
// the call) or a column name of the history file's "!!Order!!" line.  Alt+S and Alt+R write
// ScpWindow and RateLine back, so the choice survives a restart.
#pragma once

#include <string>
#include <string_view>

namespace vk {

inline constexpr std::string_view kDefaultScpFile = "/usr/share/hamradio-files/MASTER.SCP";
inline constexpr std::string_view kDefaultHistoryFile =
    "/usr/share/hamradio-files/WAG_call_history.txt";
inline constexpr std::string_view kNoFile = "none";

struct AidsSettings {
  std::string scpFile{kDefaultScpFile};          // empty: none
  std::string historyFile{kDefaultHistoryFile};  // empty: none
  std::string historyField;                      // of the current contest; empty: no prefill
  bool scpShown = true;
  bool rateShown = true;
};

AidsSettings ReadAidsSettings(const std::string& configPath, std::string_view contest);
// Only the two shown flags; false when the file could not be written.
bool WriteAidsShown(const std::string& configPath, bool scpShown, bool rateShown);

}  // namespace vk
