// Spot lines as the common node programs and skimmers send them, and what must be refused.
#include "cluster/spot.h"

#include <gtest/gtest.h>

#include <random>

#include "cluster/spot_table.h"

namespace vk {
namespace {

TEST(SpotLine, ReadsTheLinesOfCommonNodesAndSkimmers) {
  struct Case {
    const char* line;
    const char* spotter;
    Freq freq;
    const char* call;
    const char* comment;
    int hhmm;
    int mode;
    int wpm;
    int snr;
  };
  const Case cases[] = {
      {"DX de W3LPL:     14025.0  DL1ABC       CW 24 dB 27 WPM CQ              1234Z", "W3LPL",
       140250, "DL1ABC", "CW 24 dB 27 WPM CQ", 1234, 1, 27, 24},
      {"DX de DK9IP-#:    7012.3  UA9ABC       CW    5 dB  31 WPM  CQ          0001Z JO31",
       "DK9IP-#", 70123, "UA9ABC", "CW    5 dB  31 WPM  CQ", 1, 1, 31, 5},
      {"DX de K1TTT-#:   14080.9  RK3A         RTTY  12 dB  45 BPS CQ           2359Z", "K1TTT-#",
       140809, "RK3A", "RTTY  12 dB  45 BPS CQ", 2359, 4, 0, 12},
      {"DX de ea5wu:    21295  ea8/dl1abc  usb up 5 2100Z", "EA5WU", 212950, "EA8/DL1ABC",
       "usb up 5", 2100, 2, 0, 0},
      {"DX de N0XYZ:  3525.0 K1ABC -3dB", "N0XYZ", 35250, "K1ABC", "-3dB", -1, 0, 0, -3},
      {"DX de OH2BH: 1830.5 4U1UN\r", "OH2BH", 18305, "4U1UN", "", -1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Spot s;
    ASSERT_TRUE(ParseSpotLine(c.line, s));
    EXPECT_EQ(s.spotter, c.spotter);
    EXPECT_EQ(s.freq, c.freq);
    EXPECT_EQ(s.call, c.call);
    EXPECT_EQ(s.comment, c.comment);
    EXPECT_EQ(s.hhmm, c.hhmm);
    EXPECT_EQ(ModeNumber(s.mode), c.mode);
    EXPECT_EQ(s.wpm, c.wpm);
    EXPECT_EQ(s.snr, c.snr);
  }
}

TEST(SpotLine, RefusesWhatIsNoSpot) {
  const char* bad[] = {
      "",
      "WWV de W0MU <18>:   SFI=70, A=5, K=1, No Storms -> No Storms",
      "To ALL de DL1ABC: hello",
      "DX de W3LPL 14025.0 DL1ABC CQ 1234Z",       // no colon
      "DX de W3LPL: 14O25.0 DL1ABC CQ 1234Z",      // letter O in the frequency
      "DX de W3LPL: 14025.0 DL1-ABC CQ 1234Z",     // '-' is no call character
      "DX de W3LPL: 14025.0 ABCDEF CQ 1234Z",      // no digit
      "DX de W3LPL: 0 DL1ABC CQ 1234Z",            // no frequency
      "DX de W3LPL: 99999999999 DL1ABC CQ 1234Z",  // beyond every band
      "DX de : 14025.0 DL1ABC CQ 1234Z",           // no spotter
      "DX de W3LPL: 14025.0",                      // no call
      "DX de W3\x01LPL: 14025.0 DL1ABC 1234Z",     // control byte in the spotter
  };
  for (const char* line : bad) {
    Spot s;
    EXPECT_FALSE(ParseSpotLine(line, s)) << line;
  }
}

TEST(SpotLine, LikelyModeFollowsTheBandPlan) {
  EXPECT_EQ(LikelyModeOfFreq(140250), Mode::kCw);
  EXPECT_EQ(LikelyModeOfFreq(142000), Mode::kPhone);
  EXPECT_EQ(LikelyModeOfFreq(35000), Mode::kCw);
  EXPECT_EQ(LikelyModeOfFreq(37500), Mode::kPhone);
  EXPECT_EQ(LikelyModeOfFreq(1443000), Mode::kUnknown);  // 2 m: nothing guessed
}

// Random bytes and mangled real lines never crash the reader, and whatever it accepts is a
// spot the table can hold.
TEST(SpotLine, TenThousandRandomLines) {
  std::mt19937 rng(18);
  const std::string base = "DX de W3LPL:     14025.0  DL1ABC       CW 24 dB 27 WPM CQ   1234Z";
  SpotTable table(100);
  int accepted = 0;
  for (int i = 0; i < 10000; ++i) {
    std::string line = base;
    const int edits = static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = rng() % (line.size() + 1);
      const char c = static_cast<char>(rng() % 256);
      if (rng() % 2 == 0 && at < line.size()) {
        line[at] = c;
      } else {
        line.insert(at, std::string(rng() % 300 == 0 ? 400 : 1, c));
      }
    }
    if (i % 4 == 0) {  // wholly random lines too
      line.assign(rng() % 400, '\0');
      for (char& c : line) c = static_cast<char>(rng() % 256);
    }
    Spot s;
    if (!ParseSpotLine(line, s)) continue;
    ++accepted;
    EXPECT_TRUE(LooksLikeCall(s.call));
    EXPECT_GT(s.freq, 0);
    EXPECT_LE(s.comment.size(), kMaxClusterLine);
    s.seen = i;
    table.Add(s);
    ASSERT_LE(table.Size(), table.Capacity());
  }
  EXPECT_GT(accepted, 100);  // the mutations kept many lines readable
}

TEST(SpotTable, KeepsTheNewestSpotPerCallAndBandInFrequencyOrder) {
  SpotTable t(10, 30 * 60);
  auto spot = [](const char* call, Freq f, std::int64_t seen) {
    Spot s;
    s.call = call;
    s.freq = f;
    s.seen = seen;
    return s;
  };
  EXPECT_TRUE(t.Add(spot("DL1ABC", 140250, 0)));
  EXPECT_TRUE(t.Add(spot("K1ABC", 140100, 10)));
  EXPECT_TRUE(t.Add(spot("DL1ABC", 140300, 20)));   // moved: replaces the first
  EXPECT_TRUE(t.Add(spot("DL1ABC", 70100, 20)));    // another band: its own
  EXPECT_FALSE(t.Add(spot("DL1ABC", 101200, 20)));  // 30 m: no band index
  EXPECT_FALSE(t.Add(spot("K1ABC", 140200, 5)));    // older than the one kept
  const auto on20 = t.OnBand(4, 20);
  ASSERT_EQ(on20.size(), 2u);
  EXPECT_EQ(on20[0].call, "K1ABC");
  EXPECT_EQ(on20[1].freq, 140300);
  // Age: at 1810 s the spot seen at 10 is past 30 minutes, the others are not.
  EXPECT_EQ(t.OnBand(4, 1811).size(), 1u);
  EXPECT_TRUE(t.Prune(1811));
  EXPECT_EQ(t.Size(), 2u);
}

TEST(SpotTable, AFullTableDropsTheOldestSpot) {
  SpotTable t(3, 3600);
  for (int i = 0; i < 5; ++i) {
    Spot s;
    s.call = "K" + std::to_string(i) + "AB";
    s.freq = 140000 + i * 10;
    s.seen = i;
    t.Add(s);
  }
  EXPECT_EQ(t.Size(), 3u);
  EXPECT_EQ(t.Find("K0AB", 4), nullptr);
  EXPECT_EQ(t.Find("K1AB", 4), nullptr);
  EXPECT_NE(t.Find("K4AB", 4), nullptr);
}

}  // namespace
}  // namespace vk
