// SPDX-License-Identifier: GPL-3.0-or-later
// QSOs of WSJT-X taken into the log as typed ones: scored, saved, the second announcement of
// the same QSO taken once, and FT8 logged in the contest's digital mode.
#include "app/digital_link.h"

#include <gtest/gtest.h>

#include "station_fixture.h"

namespace vk::test {
namespace {

DigitalQso Ft8(const char* call, const char* state, std::uint16_t minute = 30) {
  DigitalQso q;
  q.timeOff = {2024, 3, 5, 18, minute, 41};
  q.call = call;
  q.freqHz = 14080500;
  q.mode = "FT8";
  q.rstSent = "599";
  q.rstRcvd = "579";
  q.exchSent = "001";
  q.exchRcvd = state;
  return q;
}

class DigitalLinkTest : public StationFixture {
 protected:
  Station& StartRoundup() {
    for (const char* f : {"arrl.xml", "us-states-48.dat", "ve-provinces.dat"}) ShipRules(f);
    WriteConfig("Contest=ARRL-RTTY\r\nCall=DL1ABC\r\n");
    Station& s = Start();
    EXPECT_TRUE(s.LoadLog().ok());
    return s;
  }
};

TEST_F(DigitalLinkTest, AQsoIsLoggedScoredAndSavedOnceThoughAnnouncedTwice) {
  Station& s = StartRoundup();
  DigitalLink link(s);
  EXPECT_TRUE(link.Take(Ft8("W1AW", "CT")));
  DigitalQso adifCopy = Ft8("W1AW", "CT");
  adifCopy.mode = "MFSK";
  adifCopy.submode = "FT8";
  adifCopy.timeOff.second = 0;
  EXPECT_FALSE(link.Take(adifCopy));  // the same QSO's Logged ADIF
  EXPECT_TRUE(link.Take(Ft8("W1AW", "CT", 45)));  // worked again: a real repeat
  ASSERT_EQ(s.Log().Count(), 2);
  const QsoRecord& q = *s.Log().At(0);
  EXPECT_EQ(q.Stamp, (DateTime{2024, 3, 5, 18, 30, 0}));
  EXPECT_EQ(q.Freq, 140805);
  EXPECT_EQ(q.Mode, Mode::kRtty);  // the Roundup is an RTTY contest: FT8 counts as RY
  EXPECT_EQ(q.Sent, "599 001");
  EXPECT_EQ(q.Rcvd, "579 CT");
  EXPECT_EQ(q.Score, 1);
  EXPECT_GT(q.Multi, 0);
  EXPECT_TRUE(s.Log().At(1)->Dupe);
  EXPECT_NE(ReadWholeFile(LogPath()).find("W1AW"), std::string::npos);
}

TEST_F(DigitalLinkTest, AQsoWithoutABandIsRefusedAndTheLogKept) {
  Station& s = StartRoundup();
  DigitalLink link(s);
  ASSERT_TRUE(link.Take(Ft8("W1AW", "CT")));
  DigitalQso q = Ft8("K1ABC", "MA");
  q.freqHz = 0;
  EXPECT_FALSE(link.Take(q));
  q.band = "40M";
  EXPECT_TRUE(link.Take(q));
  EXPECT_EQ(s.Log().Count(), 2);
}

TEST(DigitalModeTest, DigitalModesBecomeTheContestsDigitalMode) {
  const struct {
    const char* mode;
    Mode digital;
    Mode logged;
  } cases[] = {
      {"FT8", Mode::kPsk31, Mode::kPsk31}, {"FT4", Mode::kRtty, Mode::kRtty},
      {"MFSK", Mode::kPsk31, Mode::kPsk31}, {"RTTY", Mode::kPsk31, Mode::kRtty},
      {"CW", Mode::kPsk31, Mode::kCw},     {"USB", Mode::kPsk31, Mode::kPhone},
      {"SSB", Mode::kRtty, Mode::kPhone},  {"FM", Mode::kPsk31, Mode::kFm},
  };
  for (const auto& c : cases) {
    DigitalQso q;
    q.mode = c.mode;
    EXPECT_EQ(DigitalLogMode(q, c.digital), c.logged) << c.mode;
  }
}

}  // namespace
}  // namespace vk::test
