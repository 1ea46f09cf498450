#include "app/views/cluster_layout.h"

#include <algorithm>

namespace vk {

namespace {

// A frame and five spots: below that the band map climbs over the score window.
constexpr int kMinBandMapRows = 8;

}  // namespace

WindowPlace BandMapPlace(int desktopWidth, int desktopHeight, const LayoutNeeds& needs) {
  const OperatingLayout l = LayOutOperatingWindows(desktopWidth, desktopHeight, needs);
  const int bottom = needs.cwWindow ? l.cw.y : std::max(desktopHeight, l.entry.Bottom());
  int top = l.score.Bottom();
  if (bottom - top < kMinBandMapRows) top = std::max(bottom - kMinBandMapRows, 0);
  return WindowPlace{l.score.x, top, l.score.width, bottom - top};
}

WindowPlace ClusterConsolePlace(int desktopWidth, int desktopHeight, const LayoutNeeds& needs) {
  return LayOutOperatingWindows(desktopWidth, desktopHeight, needs).log;
}

}  // namespace vk
