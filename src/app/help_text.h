// The texts of the Help topic, Keys and Change time boxes: the keys an operator needs during a
// contest, one screen line each.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace vk {

// Help > Help topic: every key the program binds, place by place, written from the key table
// and the command table, then what Enter sends and the CW message macros.  Each place opens
// with its heading; a key line is at most 72 columns.
std::vector<std::string> HelpKeysLines();
// How the log clock is set: PgUp/PgDn and the Work/Date/Time settings of a new contest.
std::vector<std::string> ClockHelpLines();
// What Options > Save... reports: the count written, or why the file could not be written.
std::string SaveResultText(const Status& saved, int qsoCount);

}  // namespace vk
