// Where the score, multiplier and Repeat windows sit on desktops of the sizes the program
// supports (80 x 25 and up, so a desktop of 80 x 23 between the bars) and on smaller ones.
#include "ui/windows/side_place.h"

#include <gtest/gtest.h>

#include "app/views/multi_window_model.h"

namespace vk::ui {
namespace {

TEST(SidePlace, ClassicPlacesGrowOneRowAndKeepTheirInterior) {
  const WindowPlace score = PlaceOnDesktop(kScoreWindowBounds, 80, 23);
  EXPECT_EQ(score, (WindowPlace{0, 0, 46, 13}));
  // The classic interiors: 44 x 10 for the score table, 30 x 10 for the key list.
  EXPECT_EQ(InteriorWidth(score), 44);
  EXPECT_EQ(InteriorHeight(score), 10);
  const WindowPlace multi = PlaceOnDesktop(MultiWindowBounds(0), 80, 23);
  EXPECT_EQ(multi, (WindowPlace{47, 0, 32, 13}));
  EXPECT_EQ(InteriorWidth(multi), 30);
  EXPECT_EQ(InteriorHeight(multi), 10);
}

TEST(SidePlace, WindowsPastTheBottomAreCutThenMovedUp) {
  struct Case {
    Rect classic;
    int width, height;
    WindowPlace expected;
  } cases[] = {
      // The second side window on 80 x 25 loses its last rows, not its place.
      {MultiWindowBounds(1), 80, 23, {47, 12, 32, 11}},
      {MultiWindowBounds(1), 132, 41, {47, 12, 32, 13}},
      // The Repeat window grows with its index: 28 rows (+1) from row 12.
      {RepeatWindowBounds(1), 80, 23, {54, 12, 25, 11}},
      {RepeatWindowBounds(1), 132, 48, {54, 12, 25, 29}},
      {RepeatWindowBounds(0), 100, 28, {54, 0, 25, 21}},
      // A window that would start below the desktop keeps its title and one row in view.
      {MultiWindowBounds(3), 80, 23, {47, 19, 32, 4}},
      {MultiWindowBounds(5), 80, 23, {47, 19, 32, 4}},
      // A desktop narrower than the classic one.
      {MultiWindowBounds(0), 60, 23, {47, 0, 13, 13}},
      {MultiWindowBounds(0), 50, 23, {40, 0, 10, 13}},
      // Smaller than a frame: the whole desktop, never a negative size.
      {kScoreWindowBounds, 6, 2, {0, 0, 6, 2}},
      // No desktop yet: the classic place as it stands.
      {kScoreWindowBounds, 0, 0, {0, 0, 46, 13}},
  };
  for (const Case& c : cases) {
    const WindowPlace p = PlaceOnDesktop(c.classic, c.width, c.height);
    EXPECT_EQ(p, c.expected) << c.classic.left << "," << c.classic.top << " on " << c.width
                             << "x" << c.height;
    if (c.width > 0) {
      EXPECT_GE(p.x, 0);
      EXPECT_LE(p.x + p.width, c.width);
      EXPECT_GE(p.y, 0);
      EXPECT_LE(p.y + p.height, c.height);
    }
  }
}

TEST(SidePlace, InteriorNeverNegative) {
  EXPECT_EQ(InteriorWidth(WindowPlace{0, 0, 1, 1}), 0);
  EXPECT_EQ(InteriorHeight(WindowPlace{0, 0, 1, 2}), 0);
}

}  // namespace
}  // namespace vk::ui
