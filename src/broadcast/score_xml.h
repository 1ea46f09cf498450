// SPDX-License-Identifier: GPL-3.0-or-later
// The claimed score as the online scoreboards take it and as N1MM-style score listeners hear
// it: one <dynamicresults> document with the entry's call, category and location, the totals,
// a breakdown by band and mode, the score and the time it was made.
#pragma once

#include <string>
#include <vector>

#include "util/datetime.h"

namespace vk {

struct ScoreLine {
  std::string band;  // "160" ... "10", "2", "70CM"; "total" for the whole log
  std::string mode;  // "CW", "PH", "FM", "RY", "DG"; "ALL" for the whole log
  long long qsos = 0, points = 0, mults = 0;
};

struct ScoreDocument {
  std::string contest;  // the Cabrillo name
  std::string call, ops, club;
  // The Cabrillo categories, as the class element's attributes.
  std::string power = "HIGH", assisted = "NON-ASSISTED", transmitter = "ONE",
              operators = "SINGLE-OP", bands = "ALL", mode = "MIXED", overlay;
  std::string soft = "Vorkan", version;
  std::string country, cqZone, ituZone, section, state, grid;
  ScoreLine total{"total", "ALL"};
  std::vector<ScoreLine> lines;
  long long score = 0;
  DateTime stamp;  // UTC
};

std::string DynamicResultsXml(const ScoreDocument& d);

}  // namespace vk
