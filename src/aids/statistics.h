// The contest in figures for the operator's soapbox: QSOs per clock hour on each band and in
// each mode, and QSOs, points and multipliers per band with the totals.  Plain text tables,
// one string a row, columns right-aligned; only the bands and modes worked get a column.
#pragma once

#include <string>
#include <vector>

#include "log/log_collection.h"
#include "util/datetime.h"

namespace vk {

// "Hour" then one column per band worked, then "All"; a row per clock hour with a QSO
// ("03-05 09" for 09:00-09:59 UTC on 5 March), then the totals.
std::vector<std::string> HourByBandTable(const TLogCollection& log);
// The same with one column per mode worked.
std::vector<std::string> HourByModeTable(const TLogCollection& log);
// "Band QSOs Dupes Points Mult", a row per band worked, then the totals.
std::vector<std::string> BandSummaryTable(const TLogCollection& log);
// The rate charts (rate_graph.h) up to `now` and the three tables, each part under its title
// with a blank row between them; "No QSOs" on an empty log.
std::vector<std::string> StatisticsText(const TLogCollection& log, const DateTime& now);

}  // namespace vk
