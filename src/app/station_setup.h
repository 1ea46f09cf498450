// Options > Station: the own call and the exchange sent, changed during a run without a new
// contest (which would archive the log).  The change is written to vorkan.cfg and takes
// effect at once: the rules score from the new call, TxNr and the menu-bar banner follow.
#pragma once

#include <string>
#include <string_view>

#include "app/shell.h"
#include "app/station.h"
#include "util/result.h"

namespace vk {

// The call shipped in the example configuration; the dialogs offer an empty line instead, so
// that the operator's call is not typed behind it.
inline constexpr std::string_view kPlaceholderCall = "N0CALL";

struct StationForm {
  std::string call;      // CP866, upper case
  std::string exchange;  // the fixed part of the exchange sent (zone, region, age), may be empty
  std::string locator;   // Maidenhead, 4 or 6 characters, may be empty
};

StationForm CurrentStationForm(const Station& station);

// A call sign as amateur radio writes one: prefix, call-area digit and suffix, with optional
// "/"-separated designators (DL/UA9QQQ, EA8/DF4U/P, G4YTK/QRP), 3 to 16 characters.
bool IsCallSign(std::string_view call);

// A Maidenhead locator of 4 or 6 characters that names a place (JO62, KO85UT).
bool IsLocator(std::string_view locator);

// Checks the form (a call that is not a call, or one the country list does not know, and a
// locator that is not one, are refused with the reason), writes the main settings and makes
// the new values current.
Status ApplyStationForm(Station& station, ShellState& state, const StationForm& form);

}  // namespace vk
