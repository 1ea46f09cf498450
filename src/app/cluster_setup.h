// The cluster's settings as the station keeps them: read from and written to the configuration
// file here, for the session that runs the link and the setup dialog that changes it.
#pragma once

#include "app/station.h"
#include "cluster/cluster_settings.h"
#include "util/result.h"

namespace vk {

ClusterSettings ReadClusterSetup(const Station& station);
Status WriteClusterSetup(const Station& station, const ClusterSettings& settings);

}  // namespace vk
