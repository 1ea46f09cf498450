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
      FormatStatusTexts(0x3B00, 0x1A2B3C, 0xDEADBEEF, 0x0000FACE, "RA3AAA", "The World Contest");
  EXPECT_EQ(t.lastKey, "$3B00");
  EXPECT_EQ(t.memory, "$001A2B3C");
  EXPECT_EQ(t.checksums, "BEEF:FACE");
  EXPECT_EQ(t.banner, "Vork 4.0.19-8 RA3AAA [The World Contest]");
  EXPECT_EQ(FormatStatusTexts(0, 0, 0, 0, "", "").banner, "Vork 4.0.19-8  []");
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
  EXPECT_EQ(FitBanner("DL1ABC", "The World Contest", 41),
            "Vork 4.0.19-8 DL1ABC [The World Contest]");
  EXPECT_EQ(FitBanner("DL1ABC", "The World Contest", 39), "DL1ABC [The World Contest]");
  EXPECT_EQ(FitBanner("DL1ABC", "The World Contest", 16), "DL1ABC [The Wor]");
}

TEST(StatusTextsTest, MemoryInUseFollowsTheHeap) {
  const std::size_t before = MemoryInUse();
  auto block = std::make_unique<char[]>(4 << 20);
  block[0] = 1;
  const std::size_t after = MemoryInUse();
  // Sanitizer builds replace malloc and report nothing; only a real count must grow.
  if (before != 0 || after != 0) {
    EXPECT_GE(after, before + (4u << 20));
  }
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
