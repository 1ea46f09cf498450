// Where the cluster's windows sit: the band map in the right-hand column below the score
// window (over the multiplier and Repeat windows while it is shown), the console over the log
// window.  Both fit from 80x25 up.
#pragma once

#include "app/screen_layout.h"

namespace vk {

WindowPlace BandMapPlace(int desktopWidth, int desktopHeight, const LayoutNeeds& needs);
WindowPlace ClusterConsolePlace(int desktopWidth, int desktopHeight, const LayoutNeeds& needs);

}  // namespace vk
