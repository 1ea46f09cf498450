// Tools > Statistics: the contest's tables (QSOs per hour per band and per mode, QSOs, points
// and multipliers per band) in a scrolling view, closed with OK or Esc.
#pragma once

#include <final/final.h>

#include <string>
#include <vector>

namespace vk::ui {

void RunStatisticsDialog(finalcut::FWidget* parent, const std::vector<std::string>& lines);

}  // namespace vk::ui
