#include "rig/rig_settings.h"

#include <algorithm>

#include "config/ini_file.h"

namespace vk {
namespace {
constexpr std::string_view kRig = "Rig";
}  // namespace

RigSettings ReadRigSettings(const std::string& path) {
  RigSettings rig;
  IniFile ini(path);
  rig.model = std::max(0, ini.GetIntEntry(kRig, "Model", kRigModelNone));
  rig.device = ini.GetEntry(kRig, "Device", "");
  rig.speed = std::max(0, ini.GetIntEntry(kRig, "Speed", 0));
  rig.pollMs = std::clamp(ini.GetIntEntry(kRig, "Poll", kDefaultPollMs), kMinPollMs, kMaxPollMs);
  return rig;
}

bool WriteRigSettings(const RigSettings& rig, const std::string& path) {
  IniFile ini(path);
  ini.SetIntEntry(kRig, "Model", rig.model);
  ini.SetEntry(kRig, "Device", rig.device);
  ini.SetIntEntry(kRig, "Speed", rig.speed);
  ini.SetIntEntry(kRig, "Poll", rig.pollMs);
  return ini.Update();
}

}  // namespace vk
