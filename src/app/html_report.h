// SPDX-License-Identifier: GPL-3.0-or-later
// The post-contest report: one self-contained HTML page (no scripts, no outside files) with the
// score summary as `vorkan score` prints it, QSOs and points per band, the rate per hour and
// per ten minutes, continents and multipliers over the contest, the QSO that brought each
// multiplier, and the dupes and corrected QSOs.  The plots are inline SVG drawn here.
#pragma once

#include <string>

#include "country/country.h"
#include "log/log_collection.h"
#include "rules/log_scoring.h"
#include "util/band_totals.h"
#include "util/result.h"

namespace vk {

struct HtmlReportInput {
  const TLogCollection& log;  // scored
  const BandTotals& totals;
  const RescoreStats& stats;
  const CountryLists* countries = nullptr;  // continents and countries; may be null
  std::string contest;  // as the title shows it
  std::string call;
  std::string made;     // when the page was made, UTC text
};

// Rate charts cover at most this many hours, the last of the log.
inline constexpr int kReportMaxHours = 240;

std::string HtmlReport(const HtmlReportInput& in);
// Written atomically: a report the operator opens is never half a page.
Status WriteHtmlReport(const HtmlReportInput& in, const std::string& path);

class Station;
// Tools > Report: the running log's page as "<call>-report.html" in the station's folder
// (a '/' of the call written '_'); `path` is where it went.
Status WriteStationHtmlReport(Station& station, std::string& path);

}  // namespace vk
