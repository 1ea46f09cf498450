#include "app/cluster_setup.h"

namespace vk {

ClusterSettings ReadClusterSetup(const Station& station) {
  return LoadClusterSettings(station.PathOf(kConfigFileName));
}

Status WriteClusterSetup(const Station& station, const ClusterSettings& settings) {
  return SaveClusterSettings(station.PathOf(kConfigFileName), settings);
}

}  // namespace vk
