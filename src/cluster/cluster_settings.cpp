#include "cluster/cluster_settings.h"

#include "config/ini_file.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr int kMaxAgeLimitMinutes = 24 * 60;

}  // namespace

std::vector<std::string> ClusterSettings::CommandList() const {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= commands.size()) {
    std::size_t end = commands.find('|', start);
    if (end == std::string::npos) end = commands.size();
    std::string c = Trim(std::string_view(commands).substr(start, end - start));
    if (!c.empty()) out.push_back(std::move(c));
    start = end + 1;
  }
  return out;
}

ClusterSettings ReadClusterSettings(const IniFile& ini) {
  ClusterSettings s;
  s.host = Trim(ini.GetEntry(kClusterSection, "Host", ""));
  const int port = ini.GetIntEntry(kClusterSection, "Port", s.port);
  if (port > 0 && port < 65536) s.port = static_cast<std::uint16_t>(port);
  s.loginCall = UpperCase(Trim(ini.GetEntry(kClusterSection, "Call", "")));
  s.password = ini.GetEntry(kClusterSection, "Password", "");
  s.commands = ini.GetEntry(kClusterSection, "Commands", "");
  const int age = ini.GetIntEntry(kClusterSection, "MaxAge", s.maxAgeMinutes);
  if (age > 0 && age <= kMaxAgeLimitMinutes) s.maxAgeMinutes = age;
  s.assisted = ini.GetIntEntry(kClusterSection, "Assisted", 1) != 0;
  return s;
}

void WriteClusterSettings(IniFile& ini, const ClusterSettings& s) {
  ini.SetEntry(kClusterSection, "Host", s.host);
  ini.SetIntEntry(kClusterSection, "Port", s.port);
  ini.SetEntry(kClusterSection, "Call", s.loginCall);
  ini.SetEntry(kClusterSection, "Password", s.password);
  ini.SetEntry(kClusterSection, "Commands", s.commands);
  ini.SetIntEntry(kClusterSection, "MaxAge", s.maxAgeMinutes);
  ini.SetIntEntry(kClusterSection, "Assisted", s.assisted ? 1 : 0);
}

ClusterSettings LoadClusterSettings(const std::string& path) {
  const IniFile ini(path);
  return ReadClusterSettings(ini);
}

Status SaveClusterSettings(const std::string& path, const ClusterSettings& s) {
  IniFile ini(path);
  WriteClusterSettings(ini, s);
  if (!ini.Update()) return ini.LastError();
  return Status::Ok();
}

}  // namespace vk
