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

namespace vk::rules_loader {

// The text of an element as the rules read it: the value of its first child node (empty for
// an empty element or one whose first child is an element), without the blanks and line
// ends that lay the file out.
std::string ElementText(const pugi::xml_node& e);

// Applies one settings keyword (band, mode, timepr, repqso, scoretotal, cabrilioname,
// timezone, rxmask, rxupdate) with its lower-cased value.  False for any other keyword.
bool ApplySetting(ContestSettings& s, std::string_view keyword, std::string_view value);

// "17:00", "5:00", "05:00:30" -> fraction of a day; nullopt for anything else.
std::optional<double> ReadTimeOfDay(std::string_view text);

// Entries of a `domestic` element: ITEM (one entry) and ITEMS (comma-separated), upper case.
void ReadDomestic(const pugi::xml_node& e, ScoreContext& ctx);

// Groups of an `ermak` element, appended to `groups`.
void ReadErmak(const pugi::xml_node& e, std::vector<ErmakGroup>& groups, Journal* journal);

}  // namespace vk::rules_loader
