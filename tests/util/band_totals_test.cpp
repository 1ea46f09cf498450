#include "util/band_totals.h"

#include <gtest/gtest.h>

#include <limits>

namespace vk {
namespace {

TEST(BandTotalsTest, ClaimedTotalByEachFormula) {
  struct Case {
    std::uint8_t selector;
    std::uint32_t claimed;
  } cases[] = {
      {0, 0}, {1, 2 + 5}, {2, 2 + 1 + 5}, {3, 2 * 1}, {4, 2 * (1 + 5)}, {5, 0}, {255, 0},
  };
  for (const auto& c : cases) {
    BandTotals t;
    t.SetFormula(c.selector);
    t.Add(4, 2, 1, 5);
    EXPECT_EQ(t.Claimed(), c.claimed) << int(c.selector);
  }
  BandTotals t;
  t.SetFormula(3);
  t.Add(4, 2, 1, 0);
  EXPECT_EQ(t.Claimed(), 2u);
}

TEST(BandTotalsTest, SumsRunOverAllNineBands) {
  BandTotals t;
  t.SetFormula(4);
  t.Add(1, 3, 1, 0);
  t.Add(1, 3, 0, 0);
  t.Add(9, 10, 2, 1);
  t.Add(5, 1, 0, 2);
  EXPECT_EQ(t.Sum(BandQuantity::kQsos), 4u);
  EXPECT_EQ(t.Sum(BandQuantity::kPoints), 17u);
  EXPECT_EQ(t.Sum(BandQuantity::kMulti), 3u);
  EXPECT_EQ(t.Sum(BandQuantity::kBonus), 3u);
  EXPECT_EQ(t.Claimed(), 17u * (3 + 3));
  EXPECT_EQ(t.Row(1).qsos, 2);
  EXPECT_EQ(t.Row(1).points, 6u);
  EXPECT_EQ(t.Row(9).bonus, 1u);
  EXPECT_EQ(t.Row(2).qsos, 0);
  t.SetFormula(1);  // a new formula applies to what is already there
  EXPECT_EQ(t.Claimed(), 17u + 3);
}

TEST(BandTotalsTest, QsosOutsideTheBandsAreCountedApart) {
  BandTotals t;
  t.SetFormula(2);
  t.Add(0, 4, 1, 1);    // a 30 m QSO
  t.Add(10, 7, 1, 1);   // an index no band has
  t.Add(255, 1, 1, 1);
  EXPECT_EQ(t.Claimed(), 0u);
  EXPECT_EQ(t.Sum(BandQuantity::kQsos), 0u);
  EXPECT_EQ(t.Outside().qsos, 3);
  EXPECT_EQ(t.Outside().points, 12u);
  EXPECT_EQ(&t.Row(0), &t.Outside());
  EXPECT_EQ(&t.Row(10), &t.Outside());
  for (BandIndex b = 1; b <= 9; ++b) EXPECT_EQ(t.Row(b).qsos, 0) << int(b);
}

TEST(BandTotalsTest, ClearEmptiesEverythingButTheFormula) {
  BandTotals t;
  t.SetFormula(3);
  t.Add(2, 5, 2, 0);
  t.Add(0, 5, 2, 0);
  t.Clear();
  EXPECT_EQ(t.Claimed(), 0u);
  EXPECT_EQ(t.Sum(BandQuantity::kPoints), 0u);
  EXPECT_EQ(t.Outside().qsos, 0);
  EXPECT_EQ(t.Formula(), 3);
  t.Add(2, 5, 2, 0);
  EXPECT_EQ(t.Claimed(), 10u);
}

TEST(BandTotalsTest, LargeTotalsSaturateInsteadOfWrapping) {
  BandTotals t;
  t.SetFormula(4);
  for (int i = 0; i < 70000; ++i) t.Add(3, 65535, 65535, 65535);
  EXPECT_EQ(t.Row(3).qsos, std::numeric_limits<std::uint16_t>::max());
  EXPECT_EQ(t.Row(3).points, std::numeric_limits<std::uint32_t>::max());
  EXPECT_EQ(t.Claimed(), std::numeric_limits<std::uint32_t>::max());
  t.SetFormula(2);
  EXPECT_EQ(t.Claimed(), std::numeric_limits<std::uint32_t>::max());
}

}  // namespace
}  // namespace vk
