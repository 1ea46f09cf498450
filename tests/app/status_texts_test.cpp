#include "app/status_texts.h"

#include <gtest/gtest.h>

#include <memory>

namespace vk {
namespace {

TEST(StatusTextsTest, HexDigitsKeepTheLowestDigitsInUpperCase) {
  EXPECT_EQ(HexDigits(0xABC, 4), "0ABC");
  EXPECT_EQ(HexDigits(0x123456789ULL, 8), "23456789");
  EXPECT_EQ(HexDigits(0, 4), "0000");
  EXPECT_EQ(HexDigits(0xFFFFFFFFu, 4), "FFFF");
}

TEST(StatusTextsTest, Layout) {
  const StatusTexts t =
      FormatStatusTexts(0x3B00, 0xDEADBEEF, 0x0000FACE, "RA3AAA", "The World Contest");
  EXPECT_EQ(t.lastKey, "$3B00");
  EXPECT_EQ(t.checksums, "BEEF:FACE");
  EXPECT_EQ(t.banner, "Vorkan 4.0.19-8 RA3AAA [The World Contest]");
  EXPECT_EQ(FormatStatusTexts(0, 0, 0, "", "").banner, "Vorkan 4.0.19-8  []");
}

// The group's state as the status line shows it: nothing without a network.
TEST(StatusTextsTest, SyncStateFollowsTheGroup) {
  EXPECT_EQ(SyncStateText(false, true, true, false), "");
  EXPECT_EQ(SyncStateText(true, false, false, false), "Net: waiting");
  EXPECT_EQ(SyncStateText(true, true, false, true), "Net: in step");
  EXPECT_EQ(SyncStateText(true, true, true, false), "Net: repairing");
  EXPECT_EQ(SyncStateText(true, true, false, false), "Net: differs");
}

TEST(StatusTextsTest, BannerGivesUpTheProgramNameThenTheContestsEnd) {
  EXPECT_EQ(FitBanner("DL1ABC", "The World Contest", 42),
            "Vorkan 4.0.19-8 DL1ABC [The World Contest]");
  EXPECT_EQ(FitBanner("DL1ABC", "The World Contest", 41), "DL1ABC [The World Contest]");
  EXPECT_EQ(FitBanner("DL1ABC", "The World Contest", 16), "DL1ABC [The Wor]");
}

// What the operator reads on the bottom row: the mode and speed, the log file, the group and
// the links, never a debug figure unless diagnostics are asked for; on 80 columns (68 right of
// the Exit key) the busiest row still fits.
TEST(StatusTextsTest, RowShowsTheOperatorsStates) {
  EXPECT_EQ(OperatingStateText(Mode::kCw, 24), "CW 24 WPM");
  EXPECT_EQ(OperatingStateText(Mode::kCw, 0), "CW");
  EXPECT_EQ(OperatingStateText(Mode::kPhone, 24), "SSB");
  EXPECT_EQ(OperatingStateText(Mode::kUnknown, 24), "");
  EXPECT_EQ(LogFileStateText(true), "Log: saved");
  EXPECT_EQ(LogFileStateText(false), "Log: NOT SAVED");

  StatusTexts t = FormatStatusTexts(0x3B00, 0xBEEF, 0xFACE, "DL1ABC", "CQ-WW-CW");
  t.rig = "Rig: 14025.0";
  t.cluster = "Cluster: not connected";
  t.sync = "Net: repairing";
  t.operating = "CW 60 WPM";
  t.logFile = "Log: NOT SAVED";
  struct Case {
    bool diagnostics;
    std::size_t width;
    const char* row;
  } const cases[] = {
      {false, 68, "Rig: on DX: not connected  Net: repairing  CW 60 WPM  Log: NOT SAVED"},
      {false, 90,
       "Rig: 14025.0 Cluster: not connected              Net: repairing  CW 60 WPM  Log: NOT SAVED"},
      {true, 68, "Rig: on  Net: repairing  CW 60 WPM  Log: NOT SAVED  BEEF:FACE  $3B00"},
      {false, 20, " WPM  Log: NOT SAVED"},
  };
  for (const Case& c : cases) EXPECT_EQ(StatusRowText(t, c.diagnostics, c.width), c.row);
  EXPECT_EQ(StatusRowText(StatusTexts{}, true, 5), "     ");
}

// The radio's and the cluster's states share the room right of the Exit key: on 80 columns
// beside the group's state (25 columns) the worst pair still fits, in the shorter forms.
TEST(StatusTexts, LinkStatesFitTheirRoom) {
  EXPECT_EQ(LinkStatesText("Rig: 14025.0", "Cluster: not connected", 42),
            "Rig: 14025.0 Cluster: not connected");
  EXPECT_EQ(LinkStatesText("Rig: 14025.0", "Cluster: not connected", 25),
            "Rig: on DX: not connected");
  EXPECT_EQ(LinkStatesText("Rig: no answer", "Cluster: not connected", 25),
            "Rig: no answer DX: off");
  EXPECT_EQ(LinkStatesText("Rig: no answer", "Cluster: connected", 25), "Rig: no answer DX: on");
  EXPECT_EQ(LinkStatesText("", "Cluster: not connected", 25), "Cluster: not connected");
  EXPECT_EQ(LinkStatesText("Rig: 7025.0", "", 25), "Rig: 7025.0");
  EXPECT_EQ(LinkStatesText("", "", 25), "");
  EXPECT_EQ(LinkStatesText("Rig: no answer", "", 4), "Rig:");
}

}  // namespace
}  // namespace vk
