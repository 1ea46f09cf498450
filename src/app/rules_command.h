// `vorkan rules check`: the rules files checked without a terminal, before a contest weekend
// or after editing one.
//
//   vorkan rules check [--data DIR] [--cty FILE] [FILE|CONTEST...]
//
// Without names every rules file of DIR (default "data") is checked; a name that is a file is
// checked whole, any other name is a contest, checked in the file that holds it.  Country
// selectors and scoredxcc lists are checked against FILE (default DIR/cty_wt.dat) when it
// exists.  Each problem is printed as "file:line: message"; the exit status is 0 when there
// is none and 2 when there are problems or the arguments make no command.
#pragma once

#include <iosfwd>
#include <span>

namespace vk {

inline constexpr int kRulesCheckFailed = 2;

// The arguments after "rules".
int RunRulesCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err);

}  // namespace vk
