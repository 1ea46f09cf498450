// SPDX-License-Identifier: GPL-3.0-or-later
#include "broadcast/broadcast_settings.h"

#include "config/ini_file.h"
#include "net/udp_socket.h"
#include "util/strings.h"

namespace vk {

std::vector<Destination> ParseDestinations(std::string_view text, std::vector<std::string>& bad) {
  std::vector<Destination> out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find_first_of(" ,\t", at);
    const std::string part(text.substr(at, end == std::string_view::npos ? end : end - at));
    at = end == std::string_view::npos ? text.size() : end + 1;
    if (part.empty()) continue;
    const auto colon = part.rfind(':');
    const auto port = colon == std::string::npos ? std::nullopt : ParseNetPort(part.substr(colon + 1));
    if (!port || colon == 0) {
      bad.push_back(part + ": host:port expected");
      continue;
    }
    out.push_back({part.substr(0, colon), *port});
  }
  return out;
}

BroadcastSettings LoadBroadcastSettings(const std::string& path, std::vector<std::string>& bad) {
  const IniFile ini(path);
  BroadcastSettings s;
  s.contacts = ParseDestinations(ini.GetEntry(kBroadcastSection, "Contacts", ""), bad);
  s.radio = ParseDestinations(ini.GetEntry(kBroadcastSection, "Radio", ""), bad);
  s.score = ParseDestinations(ini.GetEntry(kBroadcastSection, "Score", ""), bad);
  const int every = ini.GetIntEntry(kBroadcastSection, "ScoreEvery", s.scoreEverySeconds);
  if (every >= 10 && every <= 3600) s.scoreEverySeconds = every;
  s.stationName = Trim(ini.GetEntry(kBroadcastSection, "StationName", ""));
  return s;
}

}  // namespace vk
