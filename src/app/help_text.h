// The texts of the Help topic and Change time boxes: the keys an operator needs during a
// contest, one screen line each.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace vk {

// The operating keys, at most 15 lines of at most 60 columns, so the box fits an 80x25 screen.
std::vector<std::string> HelpTopicLines();
// How the log clock is set: PgUp/PgDn and the Work/Date/Time settings of a new contest.
std::vector<std::string> ClockHelpLines();
// What Options > Save... reports: the count written, or why the file could not be written.
std::string SaveResultText(const Status& saved, int qsoCount);

}  // namespace vk
