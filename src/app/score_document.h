// SPDX-License-Identifier: GPL-3.0-or-later
// The claimed score with its breakdown by band and mode, as the scoreboards take it: made from
// the scored log, the band totals (the same figures as the score window and `vorkan score`),
// the Cabrillo categories the operator chose last, and the station's own call and location.
#pragma once

#include <string>

#include "broadcast/score_xml.h"
#include "country/country.h"
#include "log/log_collection.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"

namespace vk {

struct ScoreSource {
  const TLogCollection& log;
  const BandTotals& totals;
  const TTreeRules& rules;
  const CountryLists* countries = nullptr;  // for the own country and zones; may be null
  std::string ownCall;
  std::string locator;
  std::string configPath;  // the [Cabrillo] choices; empty: the defaults
};

// Band rows "160" ... "10", "2", "70CM", "23CM" (the log's ADIF names without the M); modes
// CW, PH, FM, RY, DG.  Repeats count nowhere.
ScoreDocument MakeScoreDocument(const ScoreSource& s, const DateTime& utcNow);

}  // namespace vk
