// The North American contests and the others that need the worked-station selectors, the
// exchange fields, domestic list files, the once-per-contest repeat, distance points or RTTY.
// Each table is a short log whose points and multipliers are worked out by hand from the
// sponsor's rules; the comment on a QSO names the rule it checks.  The calls are chosen so
// that the world file resolves them by prefix.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "shipped_contest.h"

namespace vk::shipped {
namespace {

std::string ReadText(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

constexpr Mode RY = Mode::kRtty;

// ARRL DX from the USA: W/VE work DX only, 3 points, DXCC entities per band.
TEST_F(ShippedContest, ArrlDxFromTheUsa) {
  Load("ARRL-DX-CW", "K1ZZZ", "MA");
  EXPECT_EQ(tree_.GetTxNr("K1ZZZ"), "599 MA");
  Play({
      {At(0, 1), "DL1ZZZ", "599 100", B20, CW, 3, 1, 0},  // DX: 3 points, Germany new on 20
      {At(0, 2), "JA1ZZZ", "599 KW", B20, CW, 3, 1, 0},
      {At(0, 3), "W6ZZZ", "599 CA", B20, CW, 0, 0, 0},   // W to W does not count
      {At(0, 4), "VE3ZZZ", "599 ON", B20, CW, 0, 0, 0},  // nor W to VE
      {At(0, 5), "DL2ZZZ", "599 100", B20, CW, 3, 0, 0},
      {At(0, 6), "DL1ZZZ", "599 100", B20, CW, 0, 0, 0, 1},  // once per band
      {At(0, 7), "DL1ZZZ", "599 100", B40, CW, 3, 1, 0},     // entities count per band
      {At(0, 8), "KH6ZZZ", "599 100", B20, CW, 3, 1, 0},     // Hawaii takes part as DX
      {At(0, 9), "KL7ZZZ", "599 5", B20, CW, 3, 1, 0},       // and Alaska
      {At(0, 10), "IT9ZZZ", "599 100", B20, CW, 3, 1, 0},    // Sicily is Italy on the DXCC list
      {At(0, 11), "I1ZZZ", "599 100", B20, CW, 3, 0, 0},
      {At(0, 12), "ZS6ZZZ", "599 100", B15, CW, 3, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{27, 7, 0, 27 * 7}));
}

// ARRL DX from Germany: DX works W/VE only; states, DC and provinces per band.
TEST_F(ShippedContest, ArrlDxFromEurope) {
  Load("ARRL-DX-SSB", "DL1ZZZ", "100");
  tree_.SetCurrentMode(PH);
  EXPECT_EQ(tree_.GetTxNr("DL1ZZZ"), "59 100");
  Play({
      {At(0, 1), "K1ZZZ", "59 MA", B20, PH, 3, 1, 0},
      {At(0, 2), "W6ZZZ", "59 CA", B20, PH, 3, 1, 0},
      {At(0, 3), "N1ZZZ", "59 MA", B20, PH, 3, 0, 0},   // Massachusetts known on 20
      {At(0, 4), "VE3ZZZ", "59 ON", B20, PH, 3, 1, 0},  // provinces count like states
      {At(0, 5), "K1ZZZ", "59 MA", B40, PH, 3, 1, 0},   // per band
      {At(0, 6), "DL2ZZZ", "59 100", B20, PH, 0, 0, 0}, // DX to DX does not count
      {At(0, 7), "JA1ZZZ", "59 100", B20, PH, 0, 0, 0},
      {At(0, 8), "KH6ZZZ", "59 100", B20, PH, 0, 0, 0},  // Hawaii is DX
      {At(0, 9), "W1ZZZ", "MA 59", B15, PH, 3, 1, 0},    // fields in any order
      {At(0, 10), "K2ZZZ", "59 XX", B15, PH, 3, 0, 0},   // no state: points, no multiplier
      {At(0, 11), "K3ZZZ", "59 DC", B15, PH, 3, 1, 0},   // DC counts
      {At(0, 12), "VE7ZZZ", "59 BC", B15, PH, 3, 1, 0},
  });
  EXPECT_EQ(log_.At(8)->Rcvd, "59 MA");  // stored in the declared order
  EXPECT_EQ(Claimed(), (Claim{27, 7, 0, 27 * 7}));
}

// Sweepstakes: 2 points, each station once in the contest, each section once.
TEST_F(ShippedContest, SweepstakesCw) {
  Load("ARRL-SS-CW", "K1ZZZ", "A K1ZZZ 75 CT");
  EXPECT_EQ(tree_.GetTxNr("K1ZZZ"), "001 A K1ZZZ 75 CT");
  Play({
      {At(0, 1), "W6ZZZ", "1 A 75 SCV", B20, CW, 2, 1, 0},
      {At(0, 2), "W6ZZZ", "2 A 75 SCV", B40, CW, 0, 0, 0, 1},  // once in the whole contest
      {At(0, 3), "K2ZZZ", "123B 68 NLI", B40, CW, 2, 1, 0},     // serial and precedence joined
      {At(0, 4), "VE3ZZZ", "ONS 12 Q 99", B40, CW, 2, 1, 0},    // any order; numbers keep theirs
      {At(0, 5), "N5ZZZ", "45 U 01 STX", B20, CW, 2, 1, 0},
      {At(0, 6), "K9ZZZ", "7 M 55 IL", B20, CW, 2, 1, 0},
      {At(0, 7), "W9ZZZ", "8 S 80 IL", B15, CW, 2, 0, 0},       // sections once, not per band
      {At(0, 8), "KL7ZZZ", "9 A 77 AK", B15, CW, 2, 1, 0},      // Alaska is a section
      {At(0, 9), "KP4ZZZ", "10 A 88 PR", B10, CW, 2, 1, 0},
      {At(0, 10), "K0ZZZ", "11 A 90 XYZ", B10, CW, 2, 0, 0},    // no such section
      {At(0, 11), "VE7ZZZ", "A 12 90 BC", B10, CW, 2, 1, 0},
  });
  EXPECT_EQ(log_.At(2)->Rcvd, "12 Q 99 ONS");
  EXPECT_EQ(tree_.ExchangeProblem("12 Q 99 ONS"), "");
  EXPECT_EQ(tree_.ExchangeProblem("11 A 90 XYZ"), "missing: sect; not understood: XYZ");
  EXPECT_EQ(log_.At(1)->Rcvd, "123 B 68 NLI");
  EXPECT_EQ(Claimed(), (Claim{20, 8, 0, 20 * 8}));
}

// 160 m from the USA: 2 points for a section station, 5 for DX; sections and entities once.
// From Europe: W/VE only, 2 points, sections.
TEST_F(ShippedContest, Arrl160) {
  Load("ARRL-160", "K1ZZZ", "CT");
  Play({
      {At(22, 1), "W6ZZZ", "599 SCV", B160, CW, 2, 1, 0},
      {At(22, 2), "DL1ZZZ", "599", B160, CW, 5, 1, 0},
      {At(22, 3), "VE3ZZZ", "599 ONS", B160, CW, 2, 1, 0},
      {At(22, 4), "KH6ZZZ", "599 PAC", B160, CW, 2, 1, 0},  // Hawaii is a section here
      {At(22, 5), "KL7ZZZ", "599 AK", B160, CW, 2, 1, 0},
      {At(22, 6), "JA1ZZZ", "599", B160, CW, 5, 1, 0},
      {At(22, 7), "DL2ZZZ", "599", B160, CW, 5, 0, 0},
      {At(22, 8), "W6ZZZ", "599 SCV", B160, CW, 0, 0, 0, 1},
      {At(22, 9), "K6ZZZ", "599 SCV", B160, CW, 2, 0, 0},
      {At(22, 10), "KP4ZZZ", "599 PR", B160, CW, 2, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{27, 7, 0, 27 * 7}));
}

TEST_F(ShippedContest, Arrl160FromEurope) {
  Load("ARRL-160", "DL1ZZZ");
  Play({
      {At(22, 1), "K1ZZZ", "599 CT", B160, CW, 2, 1, 0},
      {At(22, 2), "OK1ZZZ", "599", B160, CW, 0, 0, 0},  // DX to DX does not count
      {At(22, 3), "VE3ZZZ", "599 ONS", B160, CW, 2, 1, 0},
      {At(22, 4), "W1ZZZ", "599 CT", B160, CW, 2, 0, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{6, 2, 0, 12}));
}

// 10 m: 4 points in CW, 2 in phone; everything again in the other mode.
TEST_F(ShippedContest, Arrl10) {
  Load("ARRL-10", "K1ZZZ", "MA");
  EXPECT_TRUE(tree_.Settings().modeChoice);
  Play({
      {At(0, 1), "W6ZZZ", "599 CA", B10, CW, 4, 1, 0},
      {At(0, 2), "W6ZZZ", "59 CA", B10, PH, 2, 1, 0},       // once in each mode
      {At(0, 3), "W6ZZZ", "599 CA", B10, CW, 0, 0, 0, 1},
      {At(0, 4), "XE1ZZZ", "599 JAL", B10, CW, 4, 1, 0},    // Mexican states
      {At(0, 5), "DL1ZZZ", "599 001", B10, CW, 4, 1, 0},    // DX sends a serial
      {At(0, 6), "KH6ZZZ", "599 HI", B10, CW, 4, 1, 0},     // Hawaii is a state here
      {At(0, 7), "DL2ZZZ", "59 015", B10, PH, 2, 1, 0},     // Germany again in phone
      {At(0, 8), "VE3ZZZ", "59 ON", B10, PH, 2, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{22, 7, 0, 22 * 7}));
}

// RTTY Roundup: 1 point, once per band, multipliers once in the contest.
TEST_F(ShippedContest, RttyRoundup) {
  Load("ARRL-RTTY", "K1ZZZ", "MA");
  tree_.SetCurrentMode(RY);
  EXPECT_EQ(tree_.GetTxNr("K1ZZZ"), "599 MA");  // RST in RTTY
  EXPECT_TRUE(tree_.Settings().Allows(RY) && !tree_.Settings().Allows(CW));
  Play({
      {At(18, 1), "W6ZZZ", "599 CA", B20, RY, 1, 1, 0},
      {At(18, 2), "DL1ZZZ", "599 001", B20, RY, 1, 1, 0},
      {At(18, 3), "DL1ZZZ", "599 012", B40, RY, 1, 0, 0},  // multipliers once only
      {At(18, 4), "W6ZZZ", "599 CA", B40, RY, 1, 0, 0},
      {At(18, 5), "W6ZZZ", "599 CA", B40, RY, 0, 0, 0, 4},
      {At(18, 6), "VE3ZZZ", "599 ON", B40, RY, 1, 1, 0},
      {At(18, 7), "KH6ZZZ", "599 005", B15, RY, 1, 1, 0},  // Hawaii is an entity here
      {At(18, 8), "K4ZZZ", "599 DC", B15, RY, 1, 1, 0},
      {At(18, 9), "JA1ZZZ", "599 100", B10, RY, 1, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{8, 6, 0, 48}));
}

// Field Day: class and section; 2 points CW and digital, 1 phone; once per band and mode.
TEST_F(ShippedContest, FieldDay) {
  Load("ARRL-FD", "K1ZZZ", "2A CT");
  EXPECT_EQ(tree_.GetTxNr("K1ZZZ"), "2A CT");
  Play({
      {At(18, 1), "W6ZZZ", "3A SCV", B20, CW, 2, 0, 0},
      {At(18, 2), "W6ZZZ", "3A SCV", B20, PH, 1, 0, 0},
      {At(18, 3), "W6ZZZ", "3A SCV", B20, CW, 0, 0, 0, 1},
      {At(18, 4), "W6ZZZ", "3A SCV", B20, RY, 2, 0, 0},
      {At(18, 5), "VE3ZZZ", "1D ONS", B40, PH, 1, 0, 0},
      {At(18, 6), "DL1ZZZ", "1A DX", B20, CW, 2, 0, 0},  // DX stations send DX
      {At(18, 7), "K2ZZZ", "5F NNJ", B2M, FM, 1, 0, 0},
      {At(18, 8), "N3ZZZ", "EPA 12A", B40, CW, 2, 0, 0},
  });
  EXPECT_EQ(log_.At(6)->Rcvd, "12A EPA");
  EXPECT_EQ(Claimed(), (Claim{11, 0, 0, 11}));
}

// Stew Perry: 1 point and 1 per 500 km between the centres of the squares.
TEST_F(ShippedContest, StewPerry) {
  Load("STEW-PERRY", "K1ZZZ", "FN31");
  Play({
      {At(15, 1), "W1ZZZ", "FN42", B160, CW, 1, 0, 0},    // 199 km
      {At(15, 2), "K4ZZZ", "EM73", B160, CW, 3, 0, 0},    // 1381 km
      {At(15, 3), "DL1ZZZ", "JO31", B160, CW, 12, 0, 0},  // 5914 km
      {At(15, 4), "W6ZZZ", "CM87", B160, CW, 9, 0, 0},    // 4255 km
      {At(15, 5), "UA3ZZZ", "KO85", B160, CW, 15, 0, 0},  // 7383 km
      {At(15, 6), "N1ZZZ", "FN31", B160, CW, 1, 0, 0},    // the same square
      {At(15, 7), "VK2ZZZ", "QF56", B160, CW, 33, 0, 0},  // 16085 km
      {At(15, 8), "W2ZZZ", "599", B160, CW, 1, 0, 0},     // no square: the minimum
      {At(15, 9), "K4ZZZ", "EM73", B160, CW, 0, 0, 0, 2},
  });
  EXPECT_EQ(Claimed(), (Claim{75, 0, 0, 75}));
}

// NAQP: 1 point each; states, provinces and North American entities per band.
TEST_F(ShippedContest, NaqpCw) {
  Load("NAQP-CW", "K1ZZZ", "BOB MA");
  Play({
      {At(18, 1), "W6ZZZ", "JOE CA", B20, CW, 1, 1, 0},
      {At(18, 2), "W6ZZZ", "JOE CA", B40, CW, 1, 1, 0},   // per band
      {At(18, 3), "K2ZZZ", "AL NY", B40, CW, 1, 1, 0},    // a name that is also a state
      {At(18, 4), "KH6ZZZ", "BOB HI", B40, CW, 1, 1, 0},  // Hawaii counts as a state
      {At(18, 5), "XE1ZZZ", "JUAN XE", B40, CW, 1, 1, 0}, // North American entity
      {At(18, 6), "DL1ZZZ", "HANS", B40, CW, 1, 0, 0},    // outside North America: points only
      {At(18, 7), "VE3ZZZ", "JIM ON", B40, CW, 1, 1, 0},
      {At(18, 8), "KP4ZZZ", "JOSE PR", B20, CW, 1, 1, 0}, // Puerto Rico is an entity
      {At(18, 9), "W1ZZZ", "ANN MA", B20, CW, 1, 1, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{9, 8, 0, 72}));
}

// North American Sprint: once per band, multipliers once in the contest.
TEST_F(ShippedContest, NaSprintCw) {
  Load("NA-SPRINT-CW", "K1ZZZ", "BOB MA");
  EXPECT_EQ(tree_.GetTxNr("K1ZZZ"), "001 BOB MA");
  Play({
      {At(0, 1), "W6ZZZ", "12 JOE CA", B20, CW, 1, 1, 0},
      {At(0, 2), "W6ZZZ", "13 JOE CA", B40, CW, 1, 0, 0},
      {At(0, 3), "W6ZZZ", "14 JOE CA", B40, CW, 0, 0, 0, 2},
      {At(0, 4), "VE3ZZZ", "5 JIM ON", B80, CW, 1, 1, 0},
      {At(0, 5), "XE1ZZZ", "JUAN 7 XE", B80, CW, 1, 1, 0},
  });
  EXPECT_EQ(log_.At(3)->Rcvd, "7 JUAN XE");
  EXPECT_EQ(Claimed(), (Claim{4, 3, 0, 12}));
}

// CQ WW RTTY: zones, countries (WAE entries too) and W/VE states, each per band.
TEST_F(ShippedContest, CqWwRtty) {
  Load("CQ-WW-RTTY", "DL1ZZZ");
  tree_.SetCurrentMode(RY);
  EXPECT_EQ(tree_.GetTxNr("DL1ZZZ"), "599 14");
  Play({
      {At(0, 1), "DL2ZZZ", "599 14", B20, RY, 1, 2, 0},      // own country 1; zone 14 + DL
      {At(0, 2), "OK1ZZZ", "599 15", B20, RY, 2, 2, 0},      // own continent 2
      {At(0, 3), "JA1ZZZ", "599 25", B20, RY, 3, 2, 0},      // another continent 3
      {At(0, 4), "K1ZZZ", "599 05 MA", B20, RY, 3, 3, 0},    // zone, country and state
      {At(0, 5), "W6ZZZ", "599 3 CA", B20, RY, 3, 2, 0},
      {At(0, 6), "N1ZZZ", "MA 599 5", B20, RY, 3, 0, 0},     // zone 5 is zone 05
      {At(0, 7), "VE3ZZZ", "599 04 ON", B20, RY, 3, 3, 0},
      {At(0, 8), "K1ZZZ", "599 05 MA", B40, RY, 3, 3, 0},    // again on 40 m
      {At(0, 9), "IT9ZZZ", "599 15", B20, RY, 2, 1, 0},      // Sicily is a country of its own
      {At(0, 10), "DL2ZZZ", "599 14", B20, RY, 0, 0, 0, 1},
      {At(0, 11), "KH6ZZZ", "599 31 HI", B20, RY, 3, 2, 0},  // Hawaii sends no state mult
  });
  EXPECT_EQ(Claimed(), (Claim{26, 20, 0, 520}));
}

// CQ WPX RTTY: 1 / 2 / 3 points on every band, prefixes once.
TEST_F(ShippedContest, CqWpxRtty) {
  Load("CQ-WPX-RTTY", "DL1ZZZ");
  tree_.SetCurrentMode(RY);
  EXPECT_EQ(tree_.GetTxNr("DL1ZZZ"), "599 001");
  Play({
      {At(0, 1), "DL2ZZZ", "599 001", B80, RY, 1, 1, 0},
      {At(0, 2), "OK1ZZZ", "599 002", B80, RY, 2, 1, 0},
      {At(0, 3), "JA1ZZZ", "599 010", B80, RY, 3, 1, 0},  // no double points on 80 m
      {At(0, 4), "JA1ZZZ", "599 011", B20, RY, 3, 0, 0},  // prefixes once
      {At(0, 5), "K1ZZZ", "599 100", B20, RY, 3, 1, 0},
      {At(0, 6), "IT9ZZZ", "599 020", B20, RY, 2, 1, 0},  // Italy on the DXCC list
      {At(0, 7), "DL2ZZZ", "599 003", B80, RY, 0, 0, 0, 1},
  });
  EXPECT_EQ(Claimed(), (Claim{14, 5, 0, 70}));
}

// CWops CWT: 1 point each, every call once as a multiplier, name and number in any order.
TEST_F(ShippedContest, CwopsCwt) {
  Load("CWOPS-CWT", "K1ZZZ", "BOB 123");
  Play({
      {At(13, 1), "W6ZZZ", "JOE 456", B20, CW, 1, 1, 0},
      {At(13, 2), "W6ZZZ", "456 JOE", B40, CW, 1, 0, 0},  // a call counts once
      {At(13, 3), "W6ZZZ", "JOE 456", B40, CW, 0, 0, 0, 2},
      {At(13, 4), "DL1ZZZ", "HANS DL", B40, CW, 1, 1, 0},
      {At(13, 5), "DL1ZZZ/P", "HANS DL", B40, CW, 1, 1, 0},  // a portable call is another call
  });
  EXPECT_EQ(log_.At(1)->Rcvd, "JOE 456");
  EXPECT_EQ(Claimed(), (Claim{4, 3, 0, 12}));
}

// The tutorial of docs/rules.md: the file shipped is the file the page shows, and it scores
// as the page says.
TEST_F(ShippedContest, TutorialContestOfTheRulesReference) {
  const std::string doc = ReadText(VORKAN_SOURCE_DIR "/docs/rules.md");
  const auto begin = doc.find("<!-- tutorial:begin -->\n```xml\n");
  const auto end = doc.find("```\n<!-- tutorial:end -->");
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  const std::string shown = doc.substr(begin + 31, end - begin - 31);
  const std::string file = ReadText(VORKAN_SOURCE_DIR "/data/tutorial.xml");
  EXPECT_NE(file.find(shown), std::string::npos) << "docs/rules.md and data/tutorial.xml differ";
  Load("CLUB-SPRINT", "DL1ZZZ");
  Play({
      {At(19, 1), "DL2ZZZ", "599 001", B40, CW, 1, 2, 0},  // own country; DL on 40, DL2
      {At(19, 2), "OK1ZZZ", "599 002", B40, CW, 2, 2, 0},  // own continent; OK on 40, OK1
      {At(19, 3), "JA1ZZZ", "599 003", B40, CW, 4, 2, 0},  // another continent
      {At(19, 4), "JA1ZZZ", "599 004", B80, CW, 6, 1, 0},  // 6 on 80 m; JA again, JA1 not
      {At(19, 5), "DL2ZZZ", "599 005", B40, CW, 0, 0, 0, 1},
      {At(19, 6), "DL3ZZZ", "599 006", B80, CW, 1, 2, 0},
      {At(19, 7), "OK2ZZZ", "599 007", B80, CW, 2, 2, 0},
  });
  EXPECT_EQ(Claimed(), (Claim{16, 11, 0, 176}));
}

}  // namespace
}  // namespace vk::shipped
