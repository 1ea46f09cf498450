// Opening the operating windows, without a terminal: the models of the score window, the log
// window (whose opening loads the log file), the entry window, the multiplier windows and the
// Repeat window, built in the order the desktop shows them.  The terminal's windows are built
// on these models and only show and edit what they hold.
#pragma once

#include <memory>
#include <vector>

#include "app/station.h"
#include "app/views/entry_window_model.h"
#include "app/views/esm_model.h"
#include "app/views/log_window_model.h"
#include "app/views/multi_window_model.h"
#include "app/views/repeat_window_model.h"
#include "app/views/score_window_model.h"
#include "app/views/side_list_models.h"
#include "util/result.h"

namespace vk {

struct OperatingModels {
  std::unique_ptr<ScoreModel> score;
  std::unique_ptr<LogViewModel> log;
  std::unique_ptr<EntryModel> entry;
  std::unique_ptr<EsmModel> esm;  // what Enter sends in the entry window
  // One per top-level multiplier or bonus rule, in rule order.
  std::vector<std::unique_ptr<MultiListModel>> multipliers;
  std::unique_ptr<RepeatModel> repeat;  // only when the contest has time periods
  std::unique_ptr<NeededModel> needed;  // when the contest has a multiplier
  std::unique_ptr<DupeSheetModel> dupes;
  bool cwWindow = false;  // the CW window opens too (a keyer port is configured)
  Status logLoad;         // what reading vorkan.adi reported
  AdifLoadStats loadStats;
};

// Builds the models on the station: score, then log (loading the log file), then the entry
// window at the start point, then the side windows; finally broadcasts log changed so every
// window shows the loaded log.  The terminal then selects the entry window.  Nothing is built
// without a contest (nullptr).
std::unique_ptr<OperatingModels> OpenOperatingModels(Station& station);

}  // namespace vk
