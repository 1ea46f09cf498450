// The rate figures and the statistics tables on small logs with known stamps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/rate_meter.h"
#include "aids/statistics.h"

namespace vk {
namespace {

QsoRecord Qso(Freq f, Mode m, DateTime t, std::int16_t score = 1, std::int16_t multi = 0) {
  QsoRecord q;
  q.Call = "DL1ABC";
  q.Freq = f;
  q.Mode = m;
  q.Stamp = t;
  q.Score = score;
  q.Multi = multi;
  return q;
}

TEST(RateMeter, LastTenLastHourClockHourAndSinceLast) {
  TLogCollection log;
  EXPECT_EQ(MeasureRate(log, {2024, 3, 5, 10, 0, 0}, kBandNone), (RateFigures{0, 0, 0, -1}));
  // Ten QSOs on 20 m at 09:40 .. 09:58 (every two minutes), one on 40 m at 10:05.
  for (int i = 0; i < 10; ++i) {
    log.Append(Qso(140250, Mode::kCw, {2024, 3, 5, 9, static_cast<std::uint16_t>(40 + 2 * i), 0}));
  }
  log.Append(Qso(70250, Mode::kCw, {2024, 3, 5, 10, 5, 0}));
  const DateTime now{2024, 3, 5, 10, 10, 0};
  // All bands: the newest ten span 09:42 .. now, 28 minutes: 10 * 60 / 28 = 21 an hour.
  EXPECT_EQ(MeasureRate(log, now, kBandNone), (RateFigures{21, 11, 1, 5}));
  // 20 m only: 09:40 .. now is 30 minutes; nothing this clock hour; last QSO 12 minutes ago.
  EXPECT_EQ(MeasureRate(log, now, 4), (RateFigures{20, 10, 0, 12}));
  // Across midnight the minutes still count on.
  TLogCollection night;
  night.Append(Qso(140250, Mode::kCw, {2024, 3, 31, 23, 59, 0}));
  EXPECT_EQ(MeasureRate(night, {2024, 4, 1, 0, 1, 0}, kBandNone).sinceLast, 2);
  EXPECT_EQ(RateText({120, 45, 12, 65}), "120/h 45 12 1:05");
}

TEST(Statistics, HourTablesAndBandSummary) {
  TLogCollection log;
  log.Append(Qso(140250, Mode::kCw, {2024, 3, 5, 9, 7, 0}, 3, 1));
  log.Append(Qso(140250, Mode::kPhone, {2024, 3, 5, 9, 30, 0}, 2, 1));
  log.Append(Qso(70250, Mode::kCw, {2024, 3, 5, 10, 1, 0}, 1, 0));
  EXPECT_EQ(
      HourByBandTable(log),
      (std::vector<std::string>{"Hour         40    20   All", "03-05 09      0     2     2",
                                "03-05 10      1     0     1", "Total         1     2     3"}));
  EXPECT_EQ(HourByModeTable(log)[0], "Hour         CW    PH   All");
  EXPECT_EQ(BandSummaryTable(log),
            (std::vector<std::string>{
                "Band       QSOs Dupes  Points  Mult", "40            1     0       1     0",
                "20            2     0       5     2", "Total         3     0       6     2"}));
  EXPECT_EQ(StatisticsText(TLogCollection{}), std::vector<std::string>{"No QSOs"});
}

}  // namespace
}  // namespace vk
