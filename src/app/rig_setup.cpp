#include "app/rig_setup.h"

#include "rig/rig_control.h"

namespace vk {

RigSettings CurrentRigSettings(const Station& station) {
  return ReadRigSettings(station.PathOf(kConfigFileName));
}

Status ApplyRigSettings(Station& station, const RigSettings& settings) {
  if (settings.model < 0 ||
      (settings.model > 0 && station.Hamlib().ModelName(settings.model).empty())) {
    return Status::Error(ErrCode::kBadInput,
                         "Hamlib knows no radio model " + std::to_string(settings.model));
  }
  if (settings.pollMs < kMinPollMs || settings.pollMs > kMaxPollMs) {
    return Status::Error(ErrCode::kBadInput, "poll every 100 to 1000 ms");
  }
  if (settings.speed < 0 || settings.speed > 115200) {
    return Status::Error(ErrCode::kBadInput, "serial speed 0 (the model's own) to 115200");
  }
  if (!WriteRigSettings(settings, station.PathOf(kConfigFileName))) {
    return Status::Error(ErrCode::kIo, "vorkan.cfg could not be written");
  }
  station.SetRig(StartRig(station.Hamlib(), settings, station.journal()));
  return Status::Ok();
}

std::vector<std::string> RigModelLabels(const std::vector<RigModelInfo>& models) {
  std::vector<std::string> out{"No radio"};
  for (const RigModelInfo& m : models) {
    out.push_back(m.maker + " " + m.name + " (" + std::to_string(m.model) + ")");
  }
  return out;
}

}  // namespace vk
