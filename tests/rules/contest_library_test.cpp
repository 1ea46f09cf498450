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

// LZ DX from Germany: 10 points for Bulgaria, ITU zones and districts once per band.
TEST_F(ShippedContest, LzDxFromAbroad) {
  Load("LZ-DX", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 28");  // own ITU zone from the country file
  EXPECT_EQ(tree_.GetTxNr("LZ1ABC"), "599/");    // a district is typed
  EXPECT_EQ(tree_.GetTxNr("JA1ABC"), "599/45");  // a zone is proposed
  Play({
      {At(12, 1), "LZ1ABC", "599/SF", B20, CW, 10, 1, 0},    // Bulgaria 10; district SF
      {At(12, 2), "DL1ABC", "599/28", B20, CW, 1, 1, 0},     // own country counts as continent 1
      {At(12, 3), "JA1ABC", "599/45", B20, CW, 3, 1, 0},     // other continent 3; zone 45
      {At(12, 4), "LZ2XYZ", "599/SF", B20, CW, 10, 0, 0},
      {At(12, 5), "LZ2XYZ", "59/SF", B20, PH, 10, 0, 0},     // SSB is another QSO
      {At(12, 6), "LZ2XYZ", "599/SF", B20, CW, 0, 0, 0, 4},  // once per band and mode
      {At(12, 7), "LZ2XYZ", "599/PD", B40, CW, 10, 1, 0},
      {At(12, 8), "OH2BH", "599/18", B40, CW, 1, 1, 0},
      {At(12, 9), "K1ABC", "599/08", B40, CW, 3, 1, 0},      // zone 8
      {At(12, 10), "W2ABC", "599/8", B40, CW, 3, 0, 0},      // zone 8 again
      {At(12, 11), "LZ3AAA", "599/SFX", B15, CW, 10, 0, 0},  // SFX is no district
      {At(12, 12), "LZ3AAA", "59/VN", B10, PH, 10, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{71, 7, 0, 71 * 7}));
}

// LZ DX from Bulgaria: the district is sent; other Bulgarians are worth 1.
TEST_F(ShippedContest, LzDxFromBulgaria) {
  Load("LZ-DX", "LZ2XYZ", "SF");
  EXPECT_EQ(tree_.GetTxNr("LZ2XYZ"), "599 SF");
  Play({
      {At(12, 1), "LZ1ABC", "599/PD", B20, CW, 1, 1, 0},  // Bulgaria to Bulgaria 1
      {At(12, 2), "DL1ABC", "599/28", B20, CW, 1, 1, 0},
      {At(12, 3), "JA1ABC", "599/45", B20, CW, 3, 1, 0},
      {At(12, 4), "K1ABC", "59/8", B20, PH, 3, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{8, 4, 0, 8 * 4}));
}

// Helvetia from Germany: 10 points for Switzerland, cantons and DXCC countries per band.
TEST_F(ShippedContest, HelvetiaFromAbroad) {
  Load("HELVETIA", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  EXPECT_EQ(tree_.GetTxNr("HB9ABC"), "599/");
  Play({
      {At(13, 1), "HB9ABC", "599/ZH", B20, CW, 10, 2, 0},    // Switzerland 10; HB + ZH
      {At(13, 2), "DL1ABC", "599/001", B20, CW, 1, 1, 0},    // own continent 1
      {At(13, 3), "K1ABC", "599/002", B20, CW, 3, 1, 0},     // other continent 3
      {At(13, 4), "HB9XYZ", "599/BE", B20, CW, 10, 1, 0},    // a new canton
      {At(13, 5), "HB9XYZ", "59/BE", B20, PH, 10, 0, 0},     // SSB is another QSO
      {At(13, 6), "HB9XYZ", "599/BE", B20, CW, 0, 0, 0, 4},  // once per band and mode
      {At(13, 7), "HB0ABC", "599/003", B20, CW, 1, 1, 0},    // Liechtenstein is not Switzerland
      {At(13, 8), "IT9ABC", "599/004", B40, CW, 1, 1, 0},    // DXCC list: Sicily is Italy
      {At(13, 9), "I2ABC", "599/005", B40, CW, 1, 0, 0},
      {At(13, 10), "HB9ABC", "599/ZHX", B40, CW, 10, 1, 0},  // HB on 40 m; ZHX no canton
      {At(13, 11), "HB9ABC", "599/GE", B15, CW, 10, 2, 0},
  });
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 011");
  EXPECT_EQ(Claimed(), (Claim{57, 10, 0, 57 * 10}));
}

// Helvetia from Switzerland: the canton is sent; Swiss stations are worth 10 here too.
TEST_F(ShippedContest, HelvetiaFromSwitzerland) {
  Load("HELVETIA", "HB9XYZ", "ZH");
  EXPECT_EQ(tree_.GetTxNr("HB9XYZ"), "599 ZH");
  Play({
      {At(13, 1), "HB9ABC", "599/BE", B20, CW, 10, 2, 0},
      {At(13, 2), "DL1ABC", "599/001", B20, CW, 1, 1, 0},
      {At(13, 3), "JA1ABC", "599/002", B20, CW, 3, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{14, 4, 0, 14 * 4}));
}

// SP DX from Germany: 3 points for every Polish station, voivodeships once per band.
TEST_F(ShippedContest, SpDxFromAbroad) {
  Load("SPDX", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(15, 1), "SP5ABC", "599/U", B20, CW, 3, 1, 0},     // Poland 3; voivodeship U
      {At(15, 2), "SQ9XYZ", "599/K", B20, CW, 3, 1, 0},
      {At(15, 3), "SQ9XYZ", "59/K", B20, PH, 3, 0, 0},      // phone is another QSO
      {At(15, 4), "SQ9XYZ", "599/K", B20, CW, 0, 0, 0, 2},  // once per band and mode
      {At(15, 5), "DL1ABC", "599/001", B20, CW, 0, 0, 0},   // not Polish: nothing
      {At(15, 6), "SP5ABC", "599/U", B40, CW, 3, 1, 0},     // voivodeships per band
      {At(15, 7), "SO4XYZ", "599/W", B40, CW, 3, 1, 0},
      {At(15, 8), "SP3AAA", "599/UX", B15, CW, 3, 0, 0},    // UX is no voivodeship
      {At(15, 9), "SP3AAA", "59/P", B15, PH, 3, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{21, 5, 0, 21 * 5}));
}

// SP DX from Poland: 1 point in Europe, 3 outside, DXCC countries once per band.
TEST_F(ShippedContest, SpDxFromPoland) {
  Load("SPDX", "SP5XYZ", "U");
  EXPECT_EQ(tree_.GetTxNr("SP5XYZ"), "599 U");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "599/");
  Play({
      {At(15, 1), "DL1ABC", "599/001", B20, CW, 1, 1, 0},  // Europe 1
      {At(15, 2), "K1ABC", "599/002", B20, CW, 3, 1, 0},   // outside Europe 3
      {At(15, 3), "UA9QQQ", "599/003", B40, CW, 3, 1, 0},  // Asiatic Russia is outside Europe
      {At(15, 4), "IT9ABC", "59/004", B40, PH, 1, 1, 0},   // DXCC list: Italy
      {At(15, 5), "I2ABC", "599/005", B40, CW, 1, 0, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{9, 4, 0, 9 * 4}));
}

// European HF Championship: 1 point for every European station, licence years per band.
TEST_F(ShippedContest, EuropeanHfChampionship) {
  Load("EUHFC", "DL2XYZ", "85");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 85");
  EXPECT_EQ(tree_.GetTxNr("OK1ABC"), "599/");
  Play({
      {At(12, 1), "OK1ABC", "599/82", B20, CW, 1, 1, 0},    // Europe 1; year 82
      {At(12, 2), "OK2XYZ", "599/82", B20, CW, 1, 0, 0},    // 82 known on 20 m
      {At(12, 3), "OK2XYZ", "59/82", B20, PH, 1, 0, 0},     // SSB is another QSO
      {At(12, 4), "OK2XYZ", "599/82", B20, CW, 0, 0, 0, 2},  // once per band and mode
      {At(12, 5), "OH2BH", "599/70", B40, CW, 1, 1, 0},
      {At(12, 6), "OK1ABC", "599/82", B40, CW, 1, 1, 0},    // years count per band
      {At(12, 7), "DL1ABC", "599/01", B40, CW, 1, 1, 0},    // the own country is Europe too
      {At(12, 8), "IT9ABC", "59/95", B15, PH, 1, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{7, 5, 0, 7 * 5}));
}

// JIDX CW from Germany: Japanese stations by band, prefecture numbers once per band.
TEST_F(ShippedContest, JidxCwFromAbroad) {
  Load("JIDX-CW", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 14");  // own CQ zone
  EXPECT_EQ(tree_.GetTxNr("JA1ABC"), "599/");    // the prefecture is typed
  Play({
      {At(7, 1), "JA1ABC", "599/10", B20, CW, 1, 1, 0},     // 20 m 1; prefecture 10
      {At(7, 2), "JA2XYZ", "599/10", B20, CW, 1, 0, 0},
      {At(7, 3), "JA2XYZ", "599/10", B20, CW, 0, 0, 0, 2},  // once per band
      {At(7, 4), "JA2XYZ", "599/17", B40, CW, 1, 1, 0},     // 40 m 1
      {At(7, 5), "JA3AAA", "599/25", B80, CW, 2, 1, 0},     // 80 m 2
      {At(7, 6), "JA3AAA", "599/25", B160, CW, 4, 1, 0},    // 160 m 4
      {At(7, 7), "JA3AAA", "599/25", B10, CW, 2, 1, 0},     // 10 m 2
      {At(7, 8), "JA1ABC", "599/1", B15, CW, 1, 0, 0},      // one digit: no prefecture
      {At(7, 9), "JA1ABC", "599/01", B10, CW, 2, 1, 0},
      {At(7, 10), "JD1ABC", "599/48", B20, CW, 1, 1, 0},    // Ogasawara is worked too
  });
  EXPECT_EQ(Claimed(), (Claim{15, 7, 0, 15 * 7}));
}

// JIDX SSB from Japan: DXCC entities and CQ zones once per band, nothing on 160 m.
TEST_F(ShippedContest, JidxSsbFromJapan) {
  Load("JIDX-SSB", "JA1XYZ", "10");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("JA1XYZ"), "59 10");
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "59/14");  // the zone is proposed
  EXPECT_FALSE(tree_.Settings().bands[1]);
  Play({
      {At(7, 1), "DL1ABC", "59/14", B20, PH, 1, 2, 0},  // DL + zone 14
      {At(7, 2), "K1ABC", "59/05", B20, PH, 1, 2, 0},   // K + zone 5
      {At(7, 3), "W6ABC", "59/3", B20, PH, 1, 1, 0},    // zone 3
      {At(7, 4), "DL1ABC", "59/14", B80, PH, 2, 2, 0},  // 80 m 2, mults again
      {At(7, 5), "VK2ABC", "59/30", B10, PH, 2, 2, 0},  // 10 m 2
      {At(7, 6), "DL1ABC", "59/14", B20, PH, 0, 0, 0, 1},
  });
  EXPECT_EQ(Claimed(), (Claim{7, 9, 0, 7 * 9}));
}

// Hungarian DX from Germany: 6 points for Hungary, counties once per band.
TEST_F(ShippedContest, HungarianDxFromAbroad) {
  Load("HA-DX", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(12, 1), "HA5ABC", "599/BP", B20, CW, 6, 1, 0},    // Hungary 6; county BP
      {At(12, 2), "HA8XYZ", "599/CS", B20, CW, 6, 1, 0},
      {At(12, 3), "HA8XYZ", "59/CS", B20, PH, 6, 0, 0},     // SSB is another QSO
      {At(12, 4), "HA8XYZ", "599/CS", B20, CW, 0, 0, 0, 2},  // once per band and mode
      {At(12, 5), "DL1ABC", "599/001", B20, CW, 1, 0, 0},   // own country 1
      {At(12, 6), "OH2BH", "599/002", B20, CW, 1, 0, 0},    // own continent 1
      {At(12, 7), "K1ABC", "599/003", B20, CW, 3, 0, 0},    // other continent 3
      {At(12, 8), "HA5ABC", "599/BP", B40, CW, 6, 1, 0},    // counties per band
      {At(12, 9), "HA0AAA", "599/HBX", B15, CW, 6, 0, 0},   // HBX is no county
      {At(12, 10), "HA0AAA", "599/HB", B10, CW, 6, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{41, 4, 0, 41 * 4}));
}

// Hungarian DX from Hungary: the county is sent; Hungarian stations are worth 6 here too.
TEST_F(ShippedContest, HungarianDxFromHungary) {
  Load("HA-DX", "HA5XYZ", "BP");
  EXPECT_EQ(tree_.GetTxNr("HA5XYZ"), "599 BP");
  Play({
      {At(12, 1), "HA8XYZ", "599/CS", B20, CW, 6, 1, 0},
      {At(12, 2), "DL1ABC", "599/001", B20, CW, 1, 0, 0},
      {At(12, 3), "JA1ABC", "599/002", B20, CW, 3, 0, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{10, 1, 0, 10 * 1}));
}

// CWT: name and member number, 1 point a QSO, every call once as a multiplier.
TEST_F(ShippedContest, CwopsTest) {
  Load("CWOPS-CWT", "DL2XYZ", "ALEX 1234");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "ALEX 1234");
  EXPECT_EQ(tree_.Settings().caption, "Name and number:");
  Play({
      {At(13, 1), "K1ABC", "JOHN/123", B20, CW, 1, 1, 0},     // a new call
      {At(13, 2), "DL1ABC", "HANS/456", B20, CW, 1, 1, 0},
      {At(13, 3), "K1ABC", "JOHN/123", B40, CW, 1, 0, 0},     // another band; the call is known
      {At(13, 4), "K1ABC", "JOHN/123", B20, CW, 0, 0, 0, 1},  // once per band
      {At(13, 5), "JA1ABC", "TAKA/JA", B15, CW, 1, 1, 0},     // a non-member sends his country
      {At(13, 6), "K1ABC/4", "JOHN/123", B15, CW, 1, 1, 0},   // a portable call is another call
  });
  EXPECT_EQ(Claimed(), (Claim{5, 4, 0, 5 * 4}));
}

// CW Open: serial number and name, the serial read back from the last QSO sent.
TEST_F(ShippedContest, CwopsCwOpen) {
  Load("CWOPS-CWO", "DL2XYZ", "ALEX");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "001 ALEX");
  Play({
      {At(12, 1), "K1ABC", "015/JOHN", B20, CW, 1, 1, 0},
      {At(12, 2), "DL1ABC", "101/HANS", B40, CW, 1, 1, 0},
      {At(12, 3), "DL1ABC", "102/HANS", B20, CW, 1, 0, 0},
  });
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "004 ALEX");
  EXPECT_EQ(Claimed(), (Claim{3, 2, 0, 3 * 2}));
}

}  // namespace
}  // namespace vk
