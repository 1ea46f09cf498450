// The operating windows on the terminal sizes operators use: every window inside the desktop,
// none over another, none narrower or lower than its contents need (the side windows share a
// place instead), the log window taller on a taller screen.
#include "app/screen_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace vk {
namespace {

bool Overlap(const WindowPlace& a, const WindowPlace& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

struct Named {
  std::string name;
  WindowPlace place;
  int minWidth, minHeight;
};

// Every window with the least its contents need.
std::vector<Named> Windows(const OperatingLayout& l, const LayoutNeeds& needs) {
  std::vector<Named> all{{"log", l.log, kLogWidth, 10}, {"entry", l.entry, kEntryWidth, 10}};
  const int scoreWidth =
      l.scoreForm == ScoreForm::kColumns ? ScoreWidthByColumns(needs.scoreBands) : kMinSideWidth;
  const int scoreHeight = l.scoreForm == ScoreForm::kColumns ? ScoreHeightByColumns()
                          : l.scoreForm == ScoreForm::kRows  ? ScoreHeightByRows(needs.scoreBands)
                                                             : ScoreHeightTotals();
  all.push_back({"score", l.score, scoreWidth, scoreHeight});
  if (needs.cwWindow) all.push_back({"cw", l.cw, kCwWidth, kCwHeight});
  if (needs.checkWindow) all.push_back({"check", l.check, kMinSideWidth, kMinCheckRows});
  // A shared place is one window on the screen.
  const std::size_t shown = l.sideShared ? std::min<std::size_t>(l.side.size(), 1) : l.side.size();
  for (std::size_t i = 0; i < shown; ++i) {
    all.push_back({"side " + std::to_string(i), l.side[i], kMinSideWidth,
                   l.sideShared ? kMinSharedRows : kMinSideRows});
  }
  return all;
}

TEST(ScreenLayout, EveryWindowReadableNoneCoversAnotherFromTheClassicScreenUp) {
  struct Contest {
    const char* name;
    int bands, side;  // side: multipliers (+ Repeat), needed multipliers, dupe sheet
  };
  const Contest contests[] = {{"CQ WW", 6, 4}, {"World", 9, 3}, {"RDA with periods", 6, 5}};
  const int terminals[][2] = {{80, 25}, {100, 30}, {132, 43}, {200, 60}};
  for (const Contest& c : contests) {
    for (const auto& t : terminals) {
      for (const bool cw : {false, true}) {
        for (const bool check : {false, true}) {
          const LayoutNeeds needs{c.bands, c.side, cw, check};
          const OperatingLayout l = LayOutOperatingWindows(t[0], t[1] - 2, needs);
          const std::string at = std::string(c.name) + " " + std::to_string(t[0]) + "x" +
                                 std::to_string(t[1]) + (cw ? " cw" : "") +
                                 (check ? " check" : "");
          ASSERT_EQ(static_cast<int>(l.side.size()), c.side) << at;
          if (l.sideShared) {
            for (const WindowPlace& p : l.side) EXPECT_EQ(p, l.side[0]) << at;
          }
          const std::vector<Named> all = Windows(l, needs);
          for (std::size_t i = 0; i < all.size(); ++i) {
            const Named& n = all[i];
            const WindowPlace& p = n.place;
            EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.Right() <= t[0] && p.Bottom() <= t[1] - 2)
                << at << " " << n.name;
            EXPECT_GE(p.width, n.minWidth) << at << " " << n.name;
            EXPECT_GE(p.height, n.minHeight) << at << " " << n.name;
            for (std::size_t j = i + 1; j < all.size(); ++j) {
              EXPECT_FALSE(Overlap(p, all[j].place)) << at << " " << n.name << ", " << all[j].name;
            }
          }
        }
      }
    }
  }
}

TEST(ScreenLayout, SideWindowsShareAPlaceOnlyWhenTheyCannotAllBeRead) {
  const LayoutNeeds cqww{6, 4, true, true};
  const OperatingLayout classic = LayOutOperatingWindows(80, 23, cqww);
  EXPECT_TRUE(classic.sideShared);
  EXPECT_EQ(classic.scoreForm, ScoreForm::kTotals);
  const OperatingLayout large = LayOutOperatingWindows(132, 41, cqww);
  EXPECT_FALSE(large.sideShared);
  EXPECT_EQ(large.scoreForm, ScoreForm::kColumns);
  EXPECT_EQ(large.score.width, 132 - kLogWidth);
  EXPECT_GT(LayOutOperatingWindows(200, 58, cqww).log.height, classic.log.height);
}

}  // namespace
}  // namespace vk
