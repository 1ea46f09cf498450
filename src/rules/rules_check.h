// Checking a rules file before it is trusted.  The loader reads tolerantly (an unknown element
// is skipped, a number it cannot read takes a default), which turns every slip of a contest's
// author into a silent wrong score: 0 multipliers, 0 points, dupe checking off.  The check
// finds those slips and names each by file and line:
//   - XML that is not well-formed, a root that is not contest_rules, a contest without a name;
//   - elements the rules language does not know, and values it cannot read (points, weights,
//     multiplier kinds and conditions, bands, modes, times, repeat values, total formulas,
//     exchange items, continent codes, and with a world list the primary prefixes);
//   - list files named by a rule that are missing or empty;
//   - rules that can never take effect: a score rule after one that always pays, a condition
//     on a band or mode the contest does not have, a domestic multiplier without entries;
//   - a contest without bands, modes or a repeat rule.
// The program refuses to load a contest that fails, and `vorkan rules check` prints them all.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vk {

struct CountryLists;

struct RulesProblem {
  std::string file;  // as given to the check
  int line = 0;      // 1-based; 0 when the problem concerns the whole file
  std::string message;
};

// "file:line: message" (the line left out when 0).
std::string FormatProblem(const RulesProblem& p);

// Every problem of the rules file at `path`, in file order; empty when the file is sound.
// `countries` (nullptr: not checked) supplies the primary prefixes that country selectors and
// scoredxcc lists may name.  List files are looked for beside the rules file.
std::vector<RulesProblem> CheckRulesFile(const std::string& path,
                                         const CountryLists* countries = nullptr);

// The same, limited to the contest elements named `contest` (and the file's own form).
std::vector<RulesProblem> CheckContestRules(const std::string& path, std::string_view contest,
                                            const CountryLists* countries = nullptr);

}  // namespace vk
