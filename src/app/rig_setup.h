// Options > Rig: the radio's settings checked, written to [Rig] of vorkan.cfg and put in force
// at once (the old poll thread ends, a new one opens the radio).
#pragma once

#include <string>
#include <vector>

#include "app/station.h"
#include "rig/hamlib_radio.h"
#include "rig/rig_settings.h"

namespace vk {

// The settings in force: those of vorkan.cfg.
RigSettings CurrentRigSettings(const Station& station);

// Refuses a model Hamlib does not know and a poll interval outside 100-1000 ms, with the
// reason; otherwise writes the settings and restarts the station's radio.
Status ApplyRigSettings(Station& station, const RigSettings& settings);

// The model list as the dialog shows it: "No radio" first, then every Hamlib model as
// "Maker Model (number)"; `models` is what HamlibLibrary::Models() gave.
std::vector<std::string> RigModelLabels(const std::vector<RigModelInfo>& models);

}  // namespace vk
