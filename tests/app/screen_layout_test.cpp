// The operating windows on the terminal sizes operators use: every window inside the desktop,
// none over another, the log window taller on a taller screen.
#include "app/screen_layout.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

bool Overlap(const WindowPlace& a, const WindowPlace& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

TEST(ScreenLayout, NoWindowCoversAnotherFromTheClassicScreenUp) {
  struct Case {
    int w, h;  // the terminal; the desktop is two rows lower
    LayoutNeeds needs;
  };
  const Case cases[] = {
      {80, 25, {9, 1, false}},  {80, 25, {6, 2, false}},  {80, 25, {6, 2, true}},
      {80, 25, {6, 3, true}},   {100, 30, {6, 2, false}}, {100, 30, {9, 2, true}},
      {132, 43, {6, 2, false}}, {132, 43, {9, 3, true}},  {200, 60, {9, 2, true}},
  };
  for (const Case& c : cases) {
    const OperatingLayout l = LayOutOperatingWindows(c.w, c.h - 2, c.needs);
    std::vector<WindowPlace> all{l.log, l.entry, l.score};
    if (c.needs.cwWindow) all.push_back(l.cw);
    all.insert(all.end(), l.side.begin(), l.side.end());
    ASSERT_EQ(static_cast<int>(l.side.size()), c.needs.sideWindows);
    for (std::size_t i = 0; i < all.size(); ++i) {
      const WindowPlace& p = all[i];
      EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.Right() <= c.w && p.Bottom() <= c.h - 2)
          << c.w << "x" << c.h << " window " << i;
      EXPECT_GE(p.height, 4) << c.w << "x" << c.h << " window " << i;
      for (std::size_t j = i + 1; j < all.size(); ++j) {
        EXPECT_FALSE(Overlap(p, all[j])) << c.w << "x" << c.h << " windows " << i << ", " << j;
      }
    }
  }
}

TEST(ScreenLayout, ScoreColumnsWhenTheyFitLargerScreensShowMoreLogLines) {
  const LayoutNeeds world{9, 1, false};
  EXPECT_TRUE(LayOutOperatingWindows(80, 23, world).scoreByRows);
  EXPECT_FALSE(LayOutOperatingWindows(132, 41, world).scoreByRows);
  EXPECT_EQ(LayOutOperatingWindows(132, 41, world).score.width, 132 - kLogWidth);
  EXPECT_GT(LayOutOperatingWindows(200, 58, world).log.height,
            LayOutOperatingWindows(80, 23, world).log.height);
}

}  // namespace
}  // namespace vk
