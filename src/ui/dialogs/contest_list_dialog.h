// File > New contest: the contests of the rules files in a list that scrolls, so that however
// many there are, every one can be reached on the smallest screen.  Up, Down, PgUp, PgDn, Home,
// End and the first letters move; Enter or OK takes the contest, Esc or Cancel keeps the one
// in use.
#pragma once

#include <final/final.h>

#include <optional>
#include <string>
#include <vector>

namespace vk::ui {

// `cp866Titles`: the contest list's titles, index k for entry k.  The entry chosen, or nothing.
std::optional<int> RunContestListDialog(finalcut::FWidget* desktop,
                                        const std::vector<std::string>& cp866Titles);

}  // namespace vk::ui
