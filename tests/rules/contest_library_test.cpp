// The library of national and DX contests in data/: each contest loaded from the repository
// and a hand-made log played through it.  Every expected figure is worked out from the
// sponsor's published rules (named in the head of each rules file); the comment on a QSO says
// which rule gives its points and multipliers.  A step with a position in its last column is a
// repeat of that earlier QSO and is not logged.
#include "rules/shipped_contest.h"

namespace vk {
namespace {

using namespace vk::test;

// Ukrainian DX from Germany: 10 points for Ukraine, countries and oblasts once per band.
TEST_F(ShippedContest, UkrainianDxFromAbroad) {
  Load("UR-DX", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(12, 1), "UR4QQQ", "599/KI", B20, CW, 10, 2, 0},   // Ukraine 10; Ukraine + KI
      {At(12, 2), "DL1ABC", "599/001", B20, CW, 1, 1, 0},   // own country 1
      {At(12, 3), "OH2BH", "599/002", B20, CW, 2, 1, 0},    // own continent 2
      {At(12, 4), "JA1ABC", "599/003", B20, CW, 3, 1, 0},   // other continent 3
      {At(12, 5), "UT7QQQ", "599/KI", B20, CW, 10, 0, 0},   // Ukraine and KI known on 20 m
      {At(12, 6), "UT7QQQ", "59/KI", B20, PH, 10, 0, 0},    // SSB is another QSO; mults per band
      {At(12, 7), "UT7QQQ", "599/KI", B20, CW, 0, 0, 0, 5},  // once per band and mode
      {At(12, 8), "UR4QQQ", "599/KI", B40, CW, 10, 2, 0},   // both again on 40 m
      {At(12, 9), "UT5UAA", "599/OD", B40, CW, 10, 1, 0},   // a new oblast
      {At(12, 10), "IT9ABC", "599/010", B40, CW, 2, 1, 0},  // Sicily is a WAE country
      {At(12, 11), "I2ABC", "599/011", B40, CW, 2, 1, 0},   // and Italy another
      {At(12, 12), "UR4QQQ", "599/KIX", B15, CW, 10, 1, 0},  // Ukraine on 15 m; KIX no oblast
      {At(12, 13), "K1ABC", "59/012", B15, PH, 3, 1, 0},
      {At(12, 14), "DL5XX/MM", "599/013", B15, CW, 0, 0, 0},  // at sea: no country, no points
  });
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 014");
  EXPECT_EQ(Claimed(), (Claim{73, 12, 0, 73 * 12}));
}

// Ukrainian DX from Ukraine: the oblast is sent, only countries count as multipliers.
TEST_F(ShippedContest, UkrainianDxFromUkraine) {
  Load("UR-DX", "UT2XYZ", "KI");
  EXPECT_EQ(tree_.GetTxNr("UT2XYZ"), "599 KI");
  EXPECT_EQ(tree_.GetTxNr("UR4QQQ"), "599/");
  EXPECT_EQ(tree_.Settings().caption, "Oblast:");
  Play({
      {At(12, 1), "UR4QQQ", "599/OD", B20, CW, 1, 1, 0},   // own country 1; Ukraine, no oblast
      {At(12, 2), "DL1ABC", "599/001", B20, CW, 2, 1, 0},  // own continent 2
      {At(12, 3), "JA1ABC", "599/002", B20, CW, 3, 1, 0},  // other continent 3
      {At(12, 4), "UT7QQQ", "599/KI", B20, CW, 1, 0, 0},
      {At(12, 5), "UA9QQQ", "599/003", B40, CW, 3, 1, 0},  // Asiatic Russia: other continent
      {At(12, 6), "UR4QQQ", "59/OD", B40, PH, 1, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{11, 5, 0, 11 * 5}));
}

}  // namespace
}  // namespace vk
