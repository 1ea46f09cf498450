// What the entry window tells the operator once a call is entered: which multipliers the QSO
// would bring, and on which bands the call is already in the log.
#pragma once

#include <string>
#include <string_view>

#include "log/log_collection.h"
#include "rules/tree_rules.h"

namespace vk {

// The keys of the contest's multiplier and bonus rules that the QSO would add, as "zone 14, DL";
// empty when none.  Nothing is recorded.
std::string NewMultiplierKeys(TTreeRules& rules, std::string_view call, std::string_view rx,
                              std::uint8_t band, Mode mode);

// The bands the call was worked on, lowest first, as "160 40"; empty when it is new.
std::string WorkedBands(const TLogCollection& log, std::string_view call);

}  // namespace vk
