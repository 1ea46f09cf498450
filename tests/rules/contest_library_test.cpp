// The library of national and DX contests in data/: each contest loaded from the repository
// and a hand-made log played through it.  Every expected figure is worked out from the
// sponsor's published rules (named in the head of each rules file); the comment on a QSO says
// which rule gives its points and multipliers.  A step with a position in its last column is a
// repeat of that earlier QSO and is not logged.
#include <gtest/gtest.h>

#include "shipped_contest.h"

namespace vk {
namespace {

using namespace shipped;  // NOLINT: the fixture's names are the tables' vocabulary

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
      {At(13, 12), "HB9ABC", "599/GE", B15, Mode::kRtty, 10, 0, 0},  // RTTY is another QSO
  });
  tree_.SetCurrentMode(CW);
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 012");
  EXPECT_EQ(Claimed(), (Claim{67, 10, 0, 67 * 10}));
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
      {At(15, 6), "SP6AAA", "599/D", B40, CW, 0, 0, 0},    // Poland to Poland: nothing
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
      {At(12, 9), "UA9QQQ", "599/77", B15, CW, 0, 0, 0},    // Asia: neither point nor year
      {At(12, 10), "EA8ABC", "59/78", B15, PH, 0, 0, 0},    // the Canary Islands are Africa
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
      {At(7, 11), "OH2BH", "599/15", B20, CW, 0, 0, 0},     // outside Japan: zone 15 no prefecture
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
      {At(7, 7), "JA2XYZ", "59/17", B20, PH, 0, 0, 0},   // Japan to Japan: nothing
      {At(7, 8), "JD1ABC", "59/48", B20, PH, 0, 0, 0},   // Ogasawara is Japan here
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

// ARI DX from Germany: 10 points for Italy, provinces and countries other than Italy per band.
TEST_F(ShippedContest, AriDxFromAbroad) {
  Load("ARI-DX", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  EXPECT_EQ(tree_.GetTxNr("I2ABC"), "599/");
  Play({
      {At(12, 1), "I2ABC", "599/MI", B20, CW, 10, 1, 0},    // Italy 10; MI, Italy no country
      {At(12, 2), "IT9ABC", "599/PA", B20, CW, 10, 1, 0},   // Sicily is Italy too
      {At(12, 3), "IS0ABC", "599/CA", B20, CW, 10, 1, 0},   // and Sardinia
      {At(12, 4), "DL1ABC", "599/001", B20, CW, 0, 1, 0},   // own country 0, DL still counts
      {At(12, 5), "OH2BH", "599/002", B20, CW, 1, 1, 0},    // own continent 1
      {At(12, 6), "K1ABC", "599/003", B20, CW, 3, 1, 0},    // other continent 3
      {At(12, 7), "I2ABC", "59/MI", B20, PH, 10, 0, 0},     // SSB is another QSO
      {At(12, 8), "I2ABC", "599/MI", B20, CW, 0, 0, 0, 1},  // once per band and mode
      {At(12, 9), "I2ABC", "599/MI", B40, CW, 10, 1, 0},    // provinces per band
      {At(12, 10), "I5XYZ", "599/ROMA", B40, CW, 10, 0, 0},  // ROMA is typed RM
      {At(12, 11), "I2ABC", "599/MI", B40, Mode::kRtty, 10, 0, 0},  // RTTY is a third QSO
  });
  EXPECT_EQ(Claimed(), (Claim{74, 7, 0, 74 * 7}));
}

// ARI DX from Italy: Italian stations are the own country, 0 points but their provinces.
TEST_F(ShippedContest, AriDxFromItaly) {
  Load("ARI-DX", "I2XYZ", "MI");
  EXPECT_EQ(tree_.GetTxNr("I2XYZ"), "599 MI");
  Play({
      {At(12, 1), "I5ABC", "599/FI", B20, CW, 0, 1, 0},    // own country 0; FI
      {At(12, 2), "DL1ABC", "599/001", B20, CW, 1, 1, 0},  // own continent 1; DL
      {At(12, 3), "JA1ABC", "599/002", B20, CW, 3, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{4, 3, 0, 4 * 3}));
}

// YO DX from Germany: 8 points for Romania, counties and countries other than Romania.
TEST_F(ShippedContest, YoDxFromAbroad) {
  Load("YO-DX-HF", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(12, 1), "YO3ABC", "599/BU", B20, CW, 8, 1, 0},    // Romania 8; county BU
      {At(12, 2), "YO8XYZ", "599/IS", B20, CW, 8, 1, 0},
      {At(12, 3), "DL1ABC", "599/001", B20, CW, 1, 1, 0},   // own country 1
      {At(12, 4), "OH2BH", "599/002", B20, CW, 2, 1, 0},    // own continent 2
      {At(12, 5), "JA1ABC", "599/003", B20, CW, 4, 1, 0},   // other continent 4
      {At(12, 6), "YO8XYZ", "59/IS", B20, PH, 8, 0, 0},     // SSB is another QSO
      {At(12, 7), "YO8XYZ", "599/IS", B20, CW, 0, 0, 0, 2},  // once per band and mode
      {At(12, 8), "YO3ABC", "599/BU", B40, CW, 8, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{39, 6, 0, 39 * 6}));
}

// YO DX from Romania: another Romanian station scores nothing.
TEST_F(ShippedContest, YoDxFromRomania) {
  Load("YO-DX-HF", "YO3XYZ", "BU");
  EXPECT_EQ(tree_.GetTxNr("YO3XYZ"), "599 BU");
  Play({
      {At(12, 1), "DL1ABC", "599/001", B20, CW, 2, 1, 0},
      {At(12, 2), "JA1ABC", "599/002", B20, CW, 4, 1, 0},
      {At(12, 3), "YO8XYZ", "599/IS", B20, CW, 0, 0, 0},  // Romania to Romania: nothing
  });
  EXPECT_EQ(Claimed(), (Claim{6, 2, 0, 6 * 2}));
}

// CQ 160 CW from Germany: states and provinces for the USA and Canada, countries for the rest.
TEST_F(ShippedContest, Cq160CwFromAbroad) {
  Load("CQ-160-CW", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 14");  // own CQ zone
  EXPECT_EQ(tree_.GetTxNr("K1ABC"), "599/");     // a state is typed
  EXPECT_EQ(tree_.GetTxNr("JA1ABC"), "599/25");  // a zone is proposed
  Play({
      {At(22, 1), "K1ABC", "599/MA", B160, CW, 10, 1, 0},     // other continent 10; MA, no country
      {At(22, 2), "W6ABC", "599/CA", B160, CW, 10, 1, 0},
      {At(22, 3), "VE3XYZ", "599/ON", B160, CW, 10, 1, 0},    // a province
      {At(22, 4), "DL1ABC", "599/14", B160, CW, 2, 1, 0},     // own country 2; DL
      {At(22, 5), "OH2BH", "599/15", B160, CW, 5, 1, 0},      // own continent 5
      {At(22, 6), "KL7ABC", "599/1", B160, CW, 10, 1, 0},     // Alaska is a country
      {At(22, 7), "KH6ABC", "599/31", B160, CW, 10, 1, 0},    // and Hawaii
      {At(22, 8), "IT9ABC", "599/15", B160, CW, 5, 1, 0},     // Sicily is a WAE country
      {At(22, 9), "DL5XX/MM", "599/14", B160, CW, 5, 0, 0},   // maritime mobile 5, no multiplier
      {At(22, 10), "K1ABC", "599/MA", B160, CW, 0, 0, 0, 1},  // every station once
      {At(22, 11), "W1ABC", "599/MAX", B160, CW, 10, 0, 0},   // MAX is no state
      {At(22, 12), "VO2ABC", "599/LB", B160, CW, 10, 1, 0},   // Labrador counts on its own
  });
  EXPECT_EQ(Claimed(), (Claim{87, 9, 0, 87 * 9}));
}

// CQ 160 SSB from the USA: the state is sent; other states and provinces, then countries.
TEST_F(ShippedContest, Cq160SsbFromUsa) {
  Load("CQ-160-SSB", "K1XYZ", "MA");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("K1XYZ"), "59 MA");
  Play({
      {At(22, 1), "W6ABC", "59/CA", B160, PH, 2, 1, 0},    // own country 2; CA
      {At(22, 2), "VE3XYZ", "59/ON", B160, PH, 5, 1, 0},   // own continent 5; ON
      {At(22, 3), "XE1ABC", "59/6", B160, PH, 5, 1, 0},    // Mexico is a country
      {At(22, 4), "DL1ABC", "59/14", B160, PH, 10, 1, 0},  // other continent 10
      {At(22, 5), "K2ABC", "59/CA", B160, PH, 2, 0, 0},    // CA known
  });
  EXPECT_EQ(Claimed(), (Claim{24, 4, 0, 24 * 4}));
}

// Oceania DX CW from Germany: Oceania stations only, points by band, prefixes per band.
TEST_F(ShippedContest, OceaniaDxCwFromAbroad) {
  Load("OCEANIA-DX-CW", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(8, 1), "VK2ABC", "599/001", B20, CW, 1, 1, 0},     // 20 m 1; VK2
      {At(8, 2), "ZL1ABC", "599/002", B40, CW, 5, 1, 0},     // 40 m 5; ZL1
      {At(8, 3), "VK2XYZ", "599/003", B80, CW, 10, 1, 0},    // 80 m 10; VK2 on 80 m
      {At(8, 4), "VK2XYZ", "599/004", B160, CW, 20, 1, 0},   // 160 m 20
      {At(8, 5), "YB0ABC", "599/005", B15, CW, 2, 1, 0},     // 15 m 2
      {At(8, 6), "KH6ABC", "599/006", B10, CW, 3, 1, 0},     // 10 m 3; Hawaii is Oceania
      {At(8, 7), "JA1ABC", "599/007", B20, CW, 0, 0, 0},     // Asia: neither points nor prefix
      {At(8, 8), "VK2ABC", "599/008", B20, CW, 0, 0, 0, 1},  // once per band
      {At(8, 9), "VK3ABC", "599/009", B20, CW, 1, 1, 0},
      {At(8, 10), "VK2QQQ", "599/010", B20, CW, 1, 0, 0},    // VK2 known on 20 m
  });
  EXPECT_EQ(Claimed(), (Claim{43, 7, 0, 43 * 7}));
}

// Oceania DX SSB from Australia: every station counts.
TEST_F(ShippedContest, OceaniaDxSsbFromOceania) {
  Load("OCEANIA-DX-SSB", "VK2XYZ");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("VK2XYZ"), "59 001");
  Play({
      {At(8, 1), "ZL1ABC", "59/001", B20, PH, 1, 1, 0},
      {At(8, 2), "JA1ABC", "59/002", B20, PH, 1, 1, 0},  // outside Oceania counts here
      {At(8, 3), "DL1ABC", "59/003", B40, PH, 5, 1, 0},
      {At(8, 4), "VK3ABC", "59/004", B20, PH, 1, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{8, 4, 0, 8 * 4}));
}

// REF CW from Germany: French stations only, departments and overseas prefixes per band.
TEST_F(ShippedContest, RefCwFromAbroad) {
  Load("REF-CW", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  EXPECT_EQ(tree_.GetTxNr("F5ABC"), "599/");
  Play({
      {At(6, 1), "F5ABC", "599/75", B20, CW, 1, 1, 0},     // France, own continent 1; 75
      {At(6, 2), "F6XYZ", "599/13", B20, CW, 1, 1, 0},
      {At(6, 3), "TK5ABC", "599/2A", B20, CW, 1, 1, 0},    // Corsica is French
      {At(6, 4), "FM5ABC", "599/FM", B20, CW, 3, 1, 0},    // Martinique: other continent 3
      {At(6, 5), "DL1ABC", "599/001", B20, CW, 0, 0, 0},   // not French: nothing
      {At(6, 6), "F5ABC", "599/75", B20, CW, 0, 0, 0, 1},  // once per band
      {At(6, 7), "F5ABC", "599/75", B40, CW, 1, 1, 0},     // departments per band
      {At(6, 8), "F6REF", "599/00", B40, CW, 1, 1, 0},     // the REF headquarters: 00
      {At(6, 9), "FR5ABC", "599/FR", B15, CW, 3, 1, 0},    // Reunion is Africa
      {At(6, 10), "F8AAA", "599/20", B15, CW, 1, 0, 0},    // 20 is no department
  });
  EXPECT_EQ(Claimed(), (Claim{12, 7, 0, 12 * 7}));
}

// REF SSB from France: French stations 6 or 15, the rest of the world 1 or 2 and its countries.
TEST_F(ShippedContest, RefSsbFromFrance) {
  Load("REF-SSB", "F5XYZ", "75");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("F5XYZ"), "59 75");
  Play({
      {At(6, 1), "F6ABC", "59/13", B20, PH, 6, 1, 0},     // French, own continent 6; 13
      {At(6, 2), "FM5ABC", "59/FM", B20, PH, 15, 1, 0},   // French, other continent 15; FM
      {At(6, 3), "DL1ABC", "59/001", B20, PH, 1, 1, 0},   // own continent 1; DL
      {At(6, 4), "JA1ABC", "59/002", B20, PH, 2, 1, 0},   // other continent 2; JA
      {At(6, 5), "F6ABC", "59/13", B40, PH, 6, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{30, 5, 0, 30 * 5}));
}

// WAE CW from Germany: non-European stations only, countries and the call areas of eight
// countries per band, each multiplier weighted 4 on 80 m, 3 on 40 m, 2 elsewhere.
TEST_F(ShippedContest, WaeCwFromEurope) {
  Load("WAE-CW", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(0, 1), "K1ABC", "599/001", B20, CW, 1, 2, 0},    // 1 point; call area K1, 20 m x2
      {At(0, 2), "W1AW", "599/002", B20, CW, 1, 0, 0},     // W1 is area 1 as well
      {At(0, 3), "N2XX", "599/003", B20, CW, 1, 2, 0},     // area 2
      {At(0, 4), "JA1ABC", "599/004", B20, CW, 1, 2, 0},   // JA1
      {At(0, 5), "OH2BH", "599/005", B20, CW, 0, 0, 0},    // Europe to Europe: nothing
      {At(0, 6), "K1ABC", "599/006", B80, CW, 1, 4, 0},    // K1 on 80 m weighs 4
      {At(0, 7), "K1ABC", "599/007", B20, CW, 0, 0, 0, 1},  // once per band
      {At(0, 8), "VK2ABC", "599/008", B40, CW, 1, 3, 0},   // on 40 m 3
      {At(0, 9), "UA9ABC", "599/009", B40, CW, 1, 3, 0},   // Asiatic Russia, area 9
      {At(0, 10), "UA0ABC", "599/010", B40, CW, 1, 3, 0},  // and area 0
      {At(0, 11), "RA9ABC", "599/011", B40, CW, 1, 0, 0},  // area 9 known on 40 m
      {At(0, 12), "4X1AB", "599/012", B15, CW, 1, 2, 0},   // Israel, a country
      {At(0, 13), "VE3ABC", "599/013", B15, CW, 1, 2, 0},  // VE3
      {At(0, 14), "VO1ABC", "599/014", B15, CW, 1, 2, 0},  // VO1 counts as VE1
      {At(0, 15), "VE1ABC", "599/015", B15, CW, 1, 0, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{13, 25, 0, 13 * 25}));
}

// WAE SSB from the USA: European stations only, WAE countries per band, weighted.
TEST_F(ShippedContest, WaeSsbFromOutsideEurope) {
  Load("WAE-SSB", "K1XYZ");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("K1XYZ"), "59 001");
  Play({
      {At(0, 1), "DL1ABC", "59/001", B20, PH, 1, 2, 0},   // Germany, 20 m x2
      {At(0, 2), "DL2ABC", "59/002", B20, PH, 1, 0, 0},
      {At(0, 3), "IT9ABC", "59/003", B20, PH, 1, 2, 0},   // Sicily is a WAE country
      {At(0, 4), "I2ABC", "59/004", B20, PH, 1, 2, 0},    // and Italy another
      {At(0, 5), "JA1ABC", "59/005", B20, PH, 0, 0, 0},   // outside Europe: nothing
      {At(0, 6), "DL1ABC", "59/006", B80, PH, 1, 4, 0},   // 80 m x4
      {At(0, 7), "DL1ABC", "59/007", B40, PH, 1, 3, 0},   // 40 m x3
      {At(0, 8), "GM3ABC", "59/008", B40, PH, 1, 3, 0},
      {At(0, 9), "TA1ABC", "59/009", B15, PH, 1, 2, 0},   // European Turkey
      {At(0, 10), "DL1ABC", "59/010", B80, PH, 0, 0, 0, 6},
      {At(0, 11), "VE3ABC", "59/011", B15, PH, 0, 0, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{8, 18, 0, 8 * 18}));
}

// WAG from England: 3 points for every German station, districts (first letters of the
// DOK) once per band whatever the mode.
TEST_F(ShippedContest, WagFromAbroad) {
  Load("WAG", "G3XYZ");
  EXPECT_EQ(tree_.GetTxNr("G3XYZ"), "599 001");
  Play({
      {At(15, 1), "DL1ABC", "599/B36", B20, CW, 3, 1, 0},   // district B
      {At(15, 2), "DL2ABC", "599/B01", B20, CW, 3, 0, 0},
      {At(15, 3), "DL2ABC", "59/B01", B20, PH, 3, 0, 0},    // SSB is another QSO, same band
      {At(15, 4), "DL2ABC", "599/B01", B20, CW, 0, 0, 0, 2},  // once per band and mode
      {At(15, 5), "DL3ABC", "599/NM", B20, CW, 3, 0, 0},    // a non-member: no district
      {At(15, 6), "DF1ABC", "599/R01", B40, CW, 3, 1, 0},
      {At(15, 7), "DL1ABC", "599/B36", B40, CW, 3, 1, 0},   // districts per band
      {At(15, 8), "OH2BH", "599/001", B40, CW, 0, 0, 0},    // not German: nothing
      {At(15, 9), "DK0XX", "599/Z99", B40, CW, 3, 1, 0},
      {At(15, 10), "DL5ABC", "599/50A", B15, CW, 3, 0, 0},  // a digit first: no district
  });
  EXPECT_EQ(Claimed(), (Claim{24, 4, 0, 24 * 4}));
}

// WAG from Germany: 1, 3 or 5 points, DXCC/WAE countries once per band whatever the mode.
TEST_F(ShippedContest, WagFromGermany) {
  Load("WAG", "DL2XYZ", "B36");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 B36");
  Play({
      {At(15, 1), "DL1ABC", "599/R01", B20, CW, 1, 1, 0},  // Germany 1; Germany counts
      {At(15, 2), "OH2BH", "599/001", B20, CW, 3, 1, 0},   // Europe 3
      {At(15, 3), "K1ABC", "599/002", B20, CW, 5, 1, 0},   // outside Europe 5
      {At(15, 4), "OH2BH", "59/003", B20, PH, 3, 0, 0},    // Finland known on 20 m
      {At(15, 5), "IT9ABC", "599/004", B40, CW, 3, 1, 0},  // Sicily, a WAE country
      {At(15, 6), "I2ABC", "599/005", B40, CW, 3, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{18, 5, 0, 18 * 5}));
}

// All Asian CW from Japan: points by band and by Asia or not, entities but the own per band.
TEST_F(ShippedContest, AllAsianCwFromAsia) {
  Load("AA-CW", "JA1XYZ", "45");
  EXPECT_EQ(tree_.GetTxNr("JA1XYZ"), "599 45");
  Play({
      {At(0, 1), "JA2ABC", "599/30", B20, CW, 0, 0, 0},    // the own entity: nothing
      {At(0, 2), "BY1AA", "599/40", B20, CW, 1, 1, 0},     // Asia on 20 m 1; China
      {At(0, 3), "DL1ABC", "599/50", B20, CW, 3, 1, 0},    // outside Asia on 20 m 3
      {At(0, 4), "DL1ABC", "599/50", B160, CW, 9, 1, 0},   // on 160 m 9
      {At(0, 5), "K1ABC", "599/60", B80, CW, 6, 1, 0},     // on 80 m 6
      {At(0, 6), "HL1ABC", "599/00", B10, CW, 2, 1, 0},    // Asia on 10 m 2
      {At(0, 7), "HL2XYZ", "599/35", B10, CW, 2, 0, 0},
      {At(0, 8), "IT9ABC", "599/41", B15, CW, 3, 1, 0},    // DXCC list: Italy
      {At(0, 9), "I2ABC", "599/42", B15, CW, 3, 0, 0},
      {At(0, 10), "BY1AA", "599/40", B20, CW, 0, 0, 0, 2},  // once per band
      {At(0, 11), "UA9ABC", "599/33", B40, CW, 1, 1, 0},   // Asiatic Russia is Asia
  });
  EXPECT_EQ(Claimed(), (Claim{30, 7, 0, 30 * 7}));
}

// All Asian phone from Germany: Asian stations only, their WPX prefixes per band.
TEST_F(ShippedContest, AllAsianSsbFromOutsideAsia) {
  Load("AA-SSB", "DL2XYZ", "52");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "59 52");
  Play({
      {At(0, 1), "JA1ABC", "59/30", B20, PH, 1, 1, 0},   // 20 m 1; JA1
      {At(0, 2), "JA1XYZ", "59/31", B20, PH, 1, 0, 0},
      {At(0, 3), "JA1XYZ", "59/31", B40, PH, 1, 1, 0},   // prefixes per band
      {At(0, 4), "JH1ABC", "59/32", B40, PH, 1, 1, 0},
      {At(0, 5), "BY1AA", "59/40", B160, PH, 3, 1, 0},   // 160 m 3
      {At(0, 6), "HL1ABC", "59/00", B80, PH, 2, 1, 0},   // 80 m 2
      {At(0, 7), "VU2ABC", "59/33", B10, PH, 2, 1, 0},   // 10 m 2
      {At(0, 8), "K1ABC", "59/60", B20, PH, 0, 0, 0},    // outside Asia: nothing
      {At(0, 9), "OH2BH", "59/61", B20, PH, 0, 0, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{11, 6, 0, 11 * 6}));
}

// OK-OM DX CW from Germany and from the USA: Czech and Slovak stations only, 1 point in
// Europe, 3 across continents, districts once per band.  Any district text counts.
TEST_F(ShippedContest, OkOmDxFromAbroad) {
  Load("OKOM-CW", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(12, 1), "OK1ABC", "599/BPZ", B20, CW, 1, 1, 0},   // Europe 1; district BPZ
      {At(12, 2), "OM3XYZ", "599/BBN", B20, CW, 1, 1, 0},   // Slovakia too
      {At(12, 3), "OK2ABC", "599/BPZ", B20, CW, 1, 0, 0},
      {At(12, 4), "OK1ABC", "599/BPZ", B20, CW, 0, 0, 0, 1},  // once per band
      {At(12, 5), "OK1ABC", "599/BPZ", B40, CW, 1, 1, 0},   // districts per band
      {At(12, 6), "DL1ABC", "599/001", B40, CW, 0, 0, 0},   // neither Czech nor Slovak
      {At(12, 7), "OL5Y", "599/APH", B15, CW, 1, 1, 0},     // OL is Czechia
      {At(12, 8), "OK1XX", "599/015", B15, CW, 1, 0, 0},    // a serial is no district
  });
  EXPECT_EQ(Claimed(), (Claim{6, 4, 0, 6 * 4}));
}

TEST_F(ShippedContest, OkOmDxFromOutsideEurope) {
  Load("OKOM-CW", "K1XYZ");
  Play({
      {At(12, 1), "OK1ABC", "599/BPZ", B20, CW, 3, 1, 0},  // across continents 3
      {At(12, 2), "OM3XYZ", "599/BBN", B40, CW, 3, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{6, 2, 0, 6 * 2}));
}

// OK-OM DX CW from Czechia: stations outside only, WPX prefixes once per band.
TEST_F(ShippedContest, OkOmDxFromCzechia) {
  Load("OKOM-CW", "OK1XYZ", "APH");
  EXPECT_EQ(tree_.GetTxNr("OK1XYZ"), "599 APH");
  Play({
      {At(12, 1), "DL1ABC", "599/001", B20, CW, 1, 1, 0},  // Europe 1; DL1
      {At(12, 2), "DL2ABC", "599/002", B20, CW, 1, 1, 0},  // DL2
      {At(12, 3), "DL1XYZ", "599/003", B20, CW, 1, 0, 0},
      {At(12, 4), "K1ABC", "599/004", B20, CW, 3, 1, 0},   // another continent 3; K1
      {At(12, 5), "DL1ABC", "599/005", B40, CW, 1, 1, 0},  // prefixes per band
      {At(12, 6), "OM3XYZ", "599/BBN", B40, CW, 0, 0, 0},  // Slovakia: nothing
      {At(12, 7), "OK2ABC", "599/BPZ", B40, CW, 0, 0, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{7, 4, 0, 7 * 4}));
}

// PACC from Germany: Dutch stations only, 1 point, provinces once per band whatever the mode.
TEST_F(ShippedContest, PaccFromAbroad) {
  Load("PACC", "DL2XYZ");
  EXPECT_EQ(tree_.GetTxNr("DL2XYZ"), "599 001");
  Play({
      {At(12, 1), "PA3ABC", "599/NH", B20, CW, 1, 1, 0},     // 1 point; Noord-Holland
      {At(12, 2), "PD0XYZ", "599/ZH", B20, CW, 1, 1, 0},
      {At(12, 3), "PA3ABC", "59/NH", B20, PH, 0, 0, 0, 1},   // once per band, whatever the mode
      {At(12, 4), "PE1ABC", "599/NH", B20, CW, 1, 0, 0},
      {At(12, 5), "PA3ABC", "599/NH", B40, CW, 1, 1, 0},     // provinces per band
      {At(12, 6), "DL1ABC", "599/001", B40, CW, 0, 0, 0},    // not Dutch: nothing
      {At(12, 7), "PA0XX", "599/NHX", B80, CW, 1, 0, 0},     // NHX is no province
      {At(12, 8), "PA0XX", "59/FL", B10, PH, 1, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{6, 4, 0, 6 * 4}));
}

}  // namespace
}  // namespace vk
