// Which earlier QSOs a station's serial number continues from.
//
// One station alone numbers its QSOs in log order.  In a group sharing one log the sponsors
// ask for different sequences by category: one for the whole station (multi-single), one per
// transmitter (multi-two), one per band (multi-multi).  A sequence can also start at a number
// of its own, so that stations of a group numbering side by side never send the same serial
// (one station from 001, the next from 1001).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vk {

enum class SerialScope : std::uint8_t {
  kLog,      // one more than the last QSO of the log, whoever logged it
  kStation,  // one more than the last QSO this station logged (its Guid's station part)
  kBand,     // one more than the last QSO on the current band
};

struct SerialPlan {
  SerialScope scope = SerialScope::kLog;
  int stationPart = 0;  // this station's part of the Guids it mints; 0 outside a group
  long long first = 1;  // the first serial of the sequence; later ones never go below it
};

// "LOG", "STATION", "BAND" in any case; nothing for other text.
std::optional<SerialScope> SerialScopeOf(std::string_view text);
std::string SerialScopeText(SerialScope scope);

// The station part of a Guid minted by a station of a group (bits 24-30); 0 for a Guid minted
// outside one.
int GuidStationPart(std::int32_t guid);

}  // namespace vk
