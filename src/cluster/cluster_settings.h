// The [Cluster] section of vorkan.cfg: which node, who logs in, what is sent after the login,
// how long spots live, and whether the entry is assisted at all.
//
//   [Cluster]
//   Host=dxc.example.org
//   Port=7300
//   Call=DL1ABC
//   Password=
//   Commands=set/skimmer|set/nofilter
//   MaxAge=30
//   Assisted=1
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/result.h"

namespace vk {

class IniFile;

inline constexpr std::string_view kClusterSection = "Cluster";

struct ClusterSettings {
  std::string host;
  std::uint16_t port = 7300;
  std::string loginCall;  // empty: the station's own call
  std::string password;   // sent only when the node asks for one
  std::string commands;   // sent after the login, separated by '|' (';' starts a comment)
  int maxAgeMinutes = 30;
  // Unassisted entries may not use spots: false keeps the cluster off entirely, and the
  // Cabrillo report says NON-ASSISTED.
  bool assisted = true;

  // The cluster is used: assisted and a node named.
  bool Enabled() const { return assisted && !host.empty(); }
  std::vector<std::string> CommandList() const;
  friend bool operator==(const ClusterSettings&, const ClusterSettings&) = default;
};

// A section that is missing or partly missing gives the defaults for what it lacks; a port or
// age that is not a number in range gives the default too.
ClusterSettings ReadClusterSettings(const IniFile& ini);
void WriteClusterSettings(IniFile& ini, const ClusterSettings& s);
// The section read from or written to the configuration file at `path`.
ClusterSettings LoadClusterSettings(const std::string& path);
Status SaveClusterSettings(const std::string& path, const ClusterSettings& s);

}  // namespace vk
