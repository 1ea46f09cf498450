// The station's keyer as the configuration chooses it: the serial key line, cwdaemon, or the
// radio's own keyer through the station's rig.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/station.h"
#include "cw/keyer.h"

namespace vk {

// The keyer of the running program, on the serial port it names.  `withoutHardware` puts it
// on a line that opens any name but "BAD" (which reports a wrong name) and "DEAD" (which
// refuses its settings) and keys nothing, with the real timing: for running the whole program
// where no serial port exists.
std::unique_ptr<Keyer> MakeProgramKeyer(std::string& programPort, const std::string& configPath,
                                        bool withoutHardware, Journal* journal = nullptr);
// The ports the system reports for keying, in its own order.
std::vector<std::string> ListKeyerPorts(bool withoutHardware);
// What the CW setup offers: the system's ports last one first, then "Null" for no keying.
std::vector<std::string> CwSetupChoices(std::vector<std::string> systemPorts);

// `programPort` as for MakeProgramKeyer; `withoutHardware` puts a fake line under the serial
// keyer (the other keyers are network or radio clients and need no hardware of their own).
std::unique_ptr<Keyer> MakeStationKeyer(Station& station, std::string& programPort,
                                        bool withoutHardware);

// The CW setup's two entries beside the serial ports.
inline constexpr std::string_view kCwdaemonChoice = "cwdaemon";
inline constexpr std::string_view kRigKeyerChoice = "Rig keyer";

// The CW setup's list: the serial ports (and "Null") as `portChoices` gives them, then the two
// keyers that need no port.
std::vector<std::string> KeyerChoices(std::vector<std::string> portChoices);
// What the CW setup chose, written to vorkan.cfg: cwdaemon or the radio's keyer (the serial
// port setting stays), or the serial keyer on a port (the port becomes the program's).
// `cwdaemon` (empty: as stored) is cwdaemon's host:port.
void ApplyKeyerChoice(Station& station, const std::string& choice,
                      const std::string& cwdaemon = {});
// The CW setup's entry for what keys now: "cwdaemon", "Rig keyer" or the serial port.
std::string CurrentKeyerEntry(Station& station);

}  // namespace vk
