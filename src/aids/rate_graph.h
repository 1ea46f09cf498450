// The run at a glance: QSOs per clock hour as bar charts, one for all bands and one per band
// worked, each under a line with the band's rates (the last ten QSOs projected to an hour and
// the QSOs of the last sixty minutes) and its best hour.  The bars are drawn with the code
// page's full and lower-half blocks, four rows high: eight steps, the band's best hour the
// tallest bar, and an hour with any QSO never left blank.
#pragma once

#include <string>
#include <vector>

#include "log/log_collection.h"
#include "util/datetime.h"

namespace vk {

inline constexpr int kRateGraphRows = 4;
inline constexpr char kFullBlock = '\xDB';   // CP866
inline constexpr char kLowerHalf = '\xDC';   // CP866

// The charts for the hours from the first QSO to `now`, at most `maxHours` (the newest); an
// axis row under each chart marks every sixth hour of the day.  Empty for an empty log.
std::vector<std::string> RateGraph(const TLogCollection& log, const DateTime& now,
                                   int maxHours = 66);

// The bar of `count` QSOs in a chart whose tallest bar is `peak`: the character of row `row`
// (0 the top of kRateGraphRows).
char BarCell(int count, int peak, int row);

}  // namespace vk
