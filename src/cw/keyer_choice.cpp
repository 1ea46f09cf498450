#include "cw/keyer_choice.h"

#include "config/ini_file.h"
#include "util/strings.h"

namespace vk {

namespace {
constexpr std::string_view kMorze = "Morze";
}  // namespace

std::string_view KeyerKindName(KeyerKind kind) {
  switch (kind) {
    case KeyerKind::kCwdaemon:
      return "cwdaemon";
    case KeyerKind::kRig:
      return "rig";
    case KeyerKind::kSerial:
      break;
  }
  return "serial";
}

KeyerChoice ReadKeyerChoice(const std::string& path) {
  KeyerChoice c;
  IniFile ini(path);
  const std::string kind = LowerCase(Trim(ini.GetEntry(kMorze, "Keyer", "serial")));
  if (kind == "cwdaemon") c.kind = KeyerKind::kCwdaemon;
  if (kind == "rig") c.kind = KeyerKind::kRig;
  const std::string address = Trim(ini.GetEntry(kMorze, "Cwdaemon", ""));
  if (!address.empty()) c.cwdaemon = address;
  return c;
}

bool WriteKeyerChoice(const KeyerChoice& choice, const std::string& path) {
  IniFile ini(path);
  // A station that never chose another keyer keeps a file without these lines.
  const bool chosenBefore = ini.SearchEntry(kMorze, "Keyer") != nullptr;
  if (chosenBefore || choice.kind != KeyerKind::kSerial) {
    ini.SetEntry(kMorze, "Keyer", KeyerKindName(choice.kind));
  }
  if (chosenBefore || choice.kind == KeyerKind::kCwdaemon) {
    ini.SetEntry(kMorze, "Cwdaemon", choice.cwdaemon);
  }
  return ini.Update();
}

}  // namespace vk
