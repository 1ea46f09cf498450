// The rate figures and the statistics tables on small logs with known stamps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "aids/rate_graph.h"
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
  EXPECT_EQ(StatisticsText(TLogCollection{}, {2024, 3, 5, 10, 0, 0}),
            std::vector<std::string>{"No QSOs"});
}

// Eight steps in four rows of full and lower-half blocks; a single QSO is never blank.
TEST(RateGraph, BarsInEightStepsOfTheBestHour) {
  struct Case {
    int count, peak;
    const char* column;  // top row first: F full, H half, . blank
  };
  for (const Case& c : {Case{0, 10, "...."}, Case{1, 80, "...H"}, Case{10, 80, "...H"}, Case{20, 80, "...F"},
                        Case{30, 80, "..HF"}, Case{40, 80, "..FF"}, Case{70, 80, "HFFF"},
                        Case{80, 80, "FFFF"}}) {
    for (int row = 0; row < kRateGraphRows; ++row) {
      const char want = c.column[row] == 'F' ? kFullBlock : c.column[row] == 'H' ? kLowerHalf : ' ';
      EXPECT_EQ(BarCell(c.count, c.peak, row), want) << c.count << "/" << c.peak << " row " << row;
    }
  }
}

// A run of three hours across midnight on 20 m and 40 m: a chart for all bands and one per
// band, the rates in the heading, the axis marking midnight.
TEST(RateGraph, ChartPerBandWithRatesAndHourAxis) {
  TLogCollection log;
  for (int i = 0; i < 8; ++i) {
    log.Append(Qso(140250, Mode::kCw, {2024, 3, 5, 23, static_cast<std::uint16_t>(i * 5), 0}));
  }
  for (int i = 0; i < 4; ++i) {
    log.Append(Qso(70250, Mode::kCw, {2024, 3, 6, 1, static_cast<std::uint16_t>(i * 10), 0}));
  }
  const std::vector<std::string> g = RateGraph(log, {2024, 3, 6, 1, 40, 0});
  const std::string F(1, kFullBlock);
  ASSERT_EQ(g.size(), 20u);  // three charts of a heading, four rows and an axis, two blanks
  EXPECT_EQ(g[0], "All: last 10 QSOs 4/h, last 60 min 4, best hour 8");
  EXPECT_EQ(g[1], "   8 " + F + "  ");
  EXPECT_EQ(g[4], "     " + F + " " + F);
  EXPECT_EQ(g[5], "      00");
  EXPECT_EQ(g[7], "40: last 10 QSOs 6/h, last 60 min 4, best hour 4");
  EXPECT_EQ(g[14], "20: last 10 QSOs 3/h, last 60 min 0, best hour 8");
}

}  // namespace
}  // namespace vk
