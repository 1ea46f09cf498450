// Loading a contest from the rules files into the rule tree.
//
// A rules file has the root element `contest_rules`; each element child of the root is one
// contest, named by its first attribute (the display name is the second).  The children of a
// contest element are rule elements: the lower-cased element name is the keyword, the
// lower-cased text the value, the first attribute (unchanged) the argument.  Each becomes a
// node of the tree, a contest-wide setting, or an entry of the domestic list or of the Ermak
// report groups.  Unknown keywords are skipped without a word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "rules/contest_list.h"
#include "rules/tree_rules.h"
#include "util/result.h"

namespace vk {

// Selectors nested deeper than this are not read (their children are skipped and the fault
// journalled): the tree walks recurse, and no contest needs more than a few levels.
inline constexpr int kMaxSelectorDepth = 32;

// Loads contest `contestName` from the file of `list` that holds it, appending to the tree.
// Resets the per-load settings first (caption, txnr count, selector list, time periods, mode
// choice, the country list) and looks the own call up again.  Nothing is loaded when the own call
// is set but not in the world list, or when no file holds the contest (kNotFound).  A malformed
// file keeps what was read before the fault and reports it (kBadInput, with file and line; also in
// the journal).  The tree stays usable in every case.
// The rules are checked first (rules_check.h): a contest that fails is not loaded and the
// status names the first problem as "file:line: message".  kTolerant skips the check and reads
// whatever can be read, for tests of the reader itself.
enum class RulesCheck : std::uint8_t { kRefuse, kTolerant };
Status LoadContest(TTreeRules& tree, const ContestList& list, std::string_view contestName,
                   RulesCheck check = RulesCheck::kRefuse);

// Applies the rule elements among `parent`'s children to the tree's top-level list, as the
// loader does for a contest element.  Exposed for callers that build rules from other DOMs.
// `dataDir` is where list files named by the rules are found.
void ParseRuleElements(TTreeRules& tree, const pugi::xml_node& parent,
                       const std::string& dataDir = {});

}  // namespace vk
