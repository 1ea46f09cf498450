#include "aids/aids_settings.h"

#include "config/ini_file.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::string_view kSection = "AIDS";
constexpr std::string_view kFieldSection = "HISTORYFIELD";

std::string FileSetting(const IniFile& ini, std::string_view key, std::string_view fallback) {
  const std::string v = Trim(ini.GetEntry(kSection, key, fallback));
  return UpperCase(v) == "NONE" ? std::string() : v;
}

}  // namespace

AidsSettings ReadAidsSettings(const std::string& configPath, std::string_view contest) {
  const IniFile ini(configPath);
  AidsSettings s;
  s.scpFile = FileSetting(ini, "ScpFile", kDefaultScpFile);
  s.historyFile = FileSetting(ini, "HistoryFile", kDefaultHistoryFile);
  if (!contest.empty()) s.historyField = Trim(ini.GetEntry(kFieldSection, contest, ""));
  s.scpShown = ini.GetIntEntry(kSection, "ScpWindow", 1) != 0;
  s.rateShown = ini.GetIntEntry(kSection, "RateLine", 1) != 0;
  return s;
}

bool WriteAidsShown(const std::string& configPath, bool scpShown, bool rateShown) {
  IniFile ini(configPath);
  ini.SetIntEntry(kSection, "ScpWindow", scpShown ? 1 : 0);
  ini.SetIntEntry(kSection, "RateLine", rateShown ? 1 : 0);
  return !ini.IsModified() || ini.Update();
}

}  // namespace vk
