// Whether a received exchange fits what the contest expects: a CQ zone 1-40, an ITU zone 1-90,
// a region or society of the contest's list (or a serial number where the list does not
// apply), a serial number where the contest exchanges serials.  An exchange that does not fit
// would be logged without its multiplier, so the entry window asks once before logging it.
#pragma once

#include <string>
#include <string_view>

#include "rules/tree_rules.h"

namespace vk {

// Empty when the exchange fits; otherwise what is wrong, for the message line ("CQ zone 55 is
// not 1-40").  `rx` is the RxNr text in upper case, as typed; `ownTx` the exchange sent.
std::string ExchangeProblem(TTreeRules& rules, std::string_view call, std::string_view rx,
                            std::string_view ownTx);

}  // namespace vk
