// The terminal's keys as the PC codes the shell and the models work with: converted once, here.
// GoogleTest first: the toolkit's headers bring in <linux/keyboard.h>, whose macros would break
// the <sys/wait.h> that GoogleTest includes.
#include <gtest/gtest.h>

// then the kit
#include "tui/key_map.h"

namespace vk::ui {
namespace {

using finalcut::FKey;

TEST(KeyMap, FunctionKeysInEveryModifierState) {
  struct Case {
    FKey key;
    KeyCode code;
  } cases[] = {
      {FKey::F1, kb::kF1},
      {FKey::F10, kb::kF10},
      {FKey::F11, kb::kF11},
      {FKey::F13, kb::kShiftF1},
      {FKey::F25, kb::kCtrlF1},
      {FKey::Meta_f1, kb::kAltF1},
      {FKey::Meta_f12, kb::kAltF12},
      // Alt+F1 under the xterm family of terminfo entries
      {FKey::F49, kb::kAltF1},
      {FKey::F60, kb::kAltF12},
  };
  for (const Case& c : cases) EXPECT_EQ(PcKeyCode(c.key), c.code) << static_cast<int>(c.key);
  EXPECT_EQ(NormalizeKey(FKey::F49), FKey::Meta_f1);
  EXPECT_EQ(NormalizeKey(FKey::F1), FKey::F1);
}

TEST(KeyMap, LettersCyrillicAltAndEditingKeys) {
  EXPECT_EQ(PcKeyCode(FKey::Meta_x), kb::kAltX);
  EXPECT_EQ(PcKeyCode(FKey::Enter), kb::kEnter);
  EXPECT_EQ(PcKeyCode(FKey::Up), kb::kUp);
  EXPECT_EQ(PcKeyCode(static_cast<FKey>(0x0410)), 0x80);  // Cyrillic A, CP866 byte, no scan code
  EXPECT_EQ(PcKeyCode(static_cast<FKey>(0x4E2D)), 0);     // no CP866 byte
  EXPECT_EQ(PcKeyCode(FKey::X11mouse), 0);
}

TEST(KeyMap, OnlyTheFunctionKeysGoBackToTheToolkit) {
  EXPECT_EQ(ToolkitKey(kb::kF10), FKey::F10);
  EXPECT_EQ(ToolkitKey(kb::kF1), FKey::F1);
  EXPECT_EQ(ToolkitKey(kb::kAltX), FKey::None);
}

}  // namespace
}  // namespace vk::ui
