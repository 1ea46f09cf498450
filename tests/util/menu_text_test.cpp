#include "util/menu_text.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(MenuTextTest, MarkersBecomeAmpersands) {
  EXPECT_EQ(ToolkitLabel("~F~ile"), "&File");
  EXPECT_EQ(ToolkitLabel("CW ~M~essage"), "CW &Message");
  EXPECT_EQ(ToolkitLabel("O~K~"), "O&K");
  EXPECT_EQ(ToolkitLabel("Change time"), "Change time");
}

TEST(MenuTextTest, AmpersandOfATitleStaysVisible) {
  // A contest title from a rules file; without the added marker its "&" would vanish and
  // "D" would become a hot key.
  EXPECT_EQ(ToolkitLabel("R&D Contest"), "&R&D Contest");
  EXPECT_EQ(ToolkitLabel(" & more"), " & &more");
  EXPECT_EQ(ToolkitLabel("~T~om & Jerry"), "&Tom & Jerry");
}

TEST(MenuTextTest, HintsLineUp) {
  const std::string a = LabelWithHint("&Cabrillo report", "Alt+O");
  const std::string b = LabelWithHint("&Exit", "Alt+X");
  EXPECT_EQ(a, "&Cabrillo report   Alt+O");
  EXPECT_EQ(a.size(), b.size());  // both markers take no column on screen
  EXPECT_EQ(LabelWithHint("A label longer than the column", "X"),
            "A label longer than the columnX");
}

}  // namespace
}  // namespace vk
