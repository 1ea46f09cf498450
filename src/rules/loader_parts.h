// Pieces of the rules loader shared between its files: the contest-wide settings keywords and
// the two side lists (domestic entries, Ermak report groups).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "rules/contest_settings.h"
#include "score/score_context.h"
#include "util/result.h"

namespace vk::rules_loader {

// The text of an element as the rules read it: the value of its first child node (empty for
// an empty element or one whose first child is an element), without the blanks and line
// ends that lay the file out.
std::string ElementText(const pugi::xml_node& e);
// A text without the blanks, tabs and line ends around it.
std::string_view TrimLine(std::string_view s);

// Applies one settings keyword (band, mode, timepr, repqso, scoretotal, cabrilioname,
// timezone, rxmask, rxupdate) with its lower-cased value.  False for any other keyword.
bool ApplySetting(ContestSettings& s, std::string_view keyword, std::string_view value);

// "17:00", "5:00", "05:00:30" -> fraction of a day; nullopt for anything else.
std::optional<double> ReadTimeOfDay(std::string_view text);

// Entries of a `domestic` element: ITEM (one entry) and ITEMS (comma-separated), upper case;
// and with a `file` attribute the entries of that list file in `dataDir`.
void ReadDomestic(const pugi::xml_node& e, ScoreContext& ctx, const std::string& dataDir = {});

}  // namespace vk::rules_loader

namespace vk {

// A list file of domestic entries: one entry per line, its first word (upper-cased), the rest
// of the line a description for the reader; blank lines and lines starting with '#' are
// skipped.  kNotFound when the file cannot be read, kBadInput when it is larger than a list
// file can be (kMaxRulesFileBytes).
Status ReadDomesticFile(const std::string& path, std::vector<std::string>& entries);

}  // namespace vk

namespace vk::rules_loader {

// Groups of an `ermak` element, appended to `groups`.
void ReadErmak(const pugi::xml_node& e, std::vector<ErmakGroup>& groups, Journal* journal);

}  // namespace vk::rules_loader
