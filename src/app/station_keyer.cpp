#include "app/station_keyer.h"

#include "app/views/cw_window_model.h"
#include "cw/cwdaemon_keyer.h"
#include "cw/keyer_choice.h"
#include "rig/rig_keyer.h"

namespace vk {

std::unique_ptr<Keyer> MakeStationKeyer(Station& station, std::string& programPort,
                                        bool withoutHardware) {
  const std::string path = station.PathOf(kConfigFileName);
  const KeyerChoice choice = ReadKeyerChoice(path);
  switch (choice.kind) {
    case KeyerKind::kCwdaemon:
      return std::make_unique<Keyer>(ReadKeyerSettings(programPort, path),
                                     std::make_unique<CwdaemonKeyer>(choice.cwdaemon), nullptr,
                                     station.journal());
    case KeyerKind::kRig:
      return std::make_unique<Keyer>(ReadKeyerSettings(programPort, path),
                                     std::make_unique<RigKeyer>(station.Rig()), nullptr,
                                     station.journal());
    case KeyerKind::kSerial:
      break;
  }
  return MakeProgramKeyer(programPort, path, withoutHardware, station.journal());
}

std::vector<std::string> KeyerChoices(std::vector<std::string> portChoices) {
  portChoices.emplace_back(kCwdaemonChoice);
  portChoices.emplace_back(kRigKeyerChoice);
  return portChoices;
}

void ApplyKeyerChoice(Station& station, const std::string& choice) {
  const std::string path = station.PathOf(kConfigFileName);
  KeyerChoice c = ReadKeyerChoice(path);
  if (choice == kCwdaemonChoice) {
    c.kind = KeyerKind::kCwdaemon;
  } else if (choice == kRigKeyerChoice) {
    c.kind = KeyerKind::kRig;
  } else {
    c.kind = KeyerKind::kSerial;
    station.Settings().main.port = choice;
    (void)SaveKeyerPort(choice, path, station.journal());
  }
  (void)WriteKeyerChoice(c, path);
}

}  // namespace vk
