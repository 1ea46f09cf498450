// SPDX-License-Identifier: GPL-3.0-or-later
// The report page's own figures: an empty log still makes a page, the rate counts each QSO in
// its hour and ten minutes (dupes not), and dupes and corrected QSOs are listed.
#include "app/html_report.h"

#include <gtest/gtest.h>

#include "logbook_access.h"

namespace vk::test {
namespace {

QsoRecord Qso(const char* call, std::uint16_t hour, std::uint16_t minute, bool dupe = false,
              std::int32_t mark = 1) {
  QsoRecord q;
  q.Stamp = {2026, 11, 28, hour, minute, 0};
  q.Freq = 140250;
  q.Mode = Mode::kCw;
  q.Call = call;
  q.Dupe = dupe;
  q.Mark = mark;
  q.Multi = dupe ? 0 : 1;
  return q;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(HtmlReportTest, AnEmptyLogStillMakesAWholePage) {
  TLogCollection log;
  BandTotals totals;
  RescoreStats stats;
  const std::string page = HtmlReport({log, totals, stats, nullptr, "CQ-WW-CW", "DL1ABC", "now"});
  EXPECT_NE(page.find("<strong id=\"score\">0</strong>"), std::string::npos);
  EXPECT_NE(page.find("</html>"), std::string::npos);
}

TEST(HtmlReportTest, RatesCountEachQsoInItsHourAndDupesAndEditsAreListed) {
  TLogCollection log;
  for (const QsoRecord& q : {Qso("K1ABC", 12, 1), Qso("K1ABC", 12, 2, true), Qso("W1AW", 12, 59, false, 3),
                             Qso("JA1XYZ", 14, 30)}) {
    ASSERT_TRUE(log.InsertAt(log.Count(), q));
  }
  BandTotals totals;
  RescoreStats stats{4, 1, 0};
  const std::string page = HtmlReport({log, totals, stats, nullptr, "TEST", "DL1ABC", "now"});
  // Hours 12, 13 and 14: two QSOs, none, one.
  EXPECT_NE(page.find("<title>12: 2.0</title>"), std::string::npos);
  EXPECT_NE(page.find("<title>13: 0.0</title>"), std::string::npos);
  EXPECT_NE(page.find("<title>14: 1.0</title>"), std::string::npos);
  EXPECT_NE(page.find("1 logged, scored nothing"), std::string::npos);
  EXPECT_NE(page.find("1 QSOs edited after they were logged"), std::string::npos);
  EXPECT_EQ(Count(page, "<td>W1AW</td>"), 2);  // a new multiplier, and corrected
}

}  // namespace
}  // namespace vk::test
