// The station's keyer as the configuration chooses it: the serial key line, cwdaemon, or the
// radio's own keyer through the station's rig.
#pragma once

#include <memory>
#include <string>

#include "app/station.h"
#include "cw/keyer.h"

namespace vk {

// `programPort` as for MakeProgramKeyer; `withoutHardware` puts a fake line under the serial
// keyer (the other keyers are network or radio clients and need no hardware of their own).
std::unique_ptr<Keyer> MakeStationKeyer(Station& station, std::string& programPort,
                                        bool withoutHardware);

}  // namespace vk
