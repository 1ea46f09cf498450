#include "app/key_translation.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

using Kind = KeyTranslation::Kind;

TEST(KeyTranslationTest, MessageKeysBecomeKeyerMessageCommands) {
  const KeyCode keys[] = {0x0C2D, 0x0D3D, 0x1A5B, 0x1B5D, 0x332C, 0x342E, 0x2B5C, 0x2B7C,
                          0x3B00, 0x3F00, 0x4000, 0x4400, 0x5200, 0x8500, 0x8600};
  for (KeyCode k : keys) {
    EXPECT_EQ(TranslateKey(k), (KeyTranslation{Kind::kKeyer, cm::kKeyerMessageKey, k}))
        << std::hex << k;
  }
}

TEST(KeyTranslationTest, KeyerHotKeys) {
  const struct {
    KeyCode key;
    CommandId command;
  } cases[] = {
      {0x011B, 0x4014}, {0x6E00, 0x4013}, {0x6F00, 0x4012}, {0x7800, 0x4016},
      {0x8000, 0x4017}, {0x8100, 0x4015}, {0x8B00, 0x4010}, {0x8C00, 0x4011},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TranslateKey(c.key), (KeyTranslation{Kind::kKeyer, c.command, c.key}))
        << std::hex << c.key;
  }
}

TEST(KeyTranslationTest, AltF10StandsInForF10) {
  EXPECT_EQ(TranslateKey(kb::kAltF10), (KeyTranslation{Kind::kReplace, 0, kb::kF10}));
}

TEST(KeyTranslationTest, OtherKeysPassUnchanged) {
  // Letters, Enter, arrows, Tab, Alt+X, Alt+F3, Ctrl+F5, Shift+F6, Alt+2, shifted "_" and "+":
  // neighbours of the translated keys that must still reach the windows and the status line.
  const KeyCode keys[] = {0x1E61, 0x1C0D, 0x4800, 0x5000, 0x0F09, 0x2D00, 0x6A00, 0x6200, 0x5900,
                          0x7900, 0x0C5F, 0x0D2B, 0x1A7B, 0x5300, 0x4500, 0x8700, 0x7000, 0x0000};
  for (KeyCode k : keys) {
    EXPECT_EQ(TranslateKey(k), (KeyTranslation{Kind::kPass, 0, k})) << std::hex << k;
  }
}

TEST(KeyTranslationTest, MenuHotKeys) {
  EXPECT_EQ(MenuHotKeyCommand(kb::kAltO), cm::kCabrillo);
  EXPECT_EQ(MenuHotKeyCommand(kb::kAltM), cm::kCwMessage);
  EXPECT_EQ(MenuHotKeyCommand(kb::kAltS), cm::kToggleScp);
  EXPECT_EQ(MenuHotKeyCommand(kb::kAltR), cm::kToggleRate);
  EXPECT_EQ(MenuHotKeyCommand(kb::kAltX), cm::kQuit);
  EXPECT_EQ(MenuHotKeyCommand(kb::kAltB), cm::kBandMap);
  EXPECT_EQ(MenuHotKeyCommand(0x186F), 0);  // a plain "o"
}

TEST(KeyCodesTest, PrintableCharactersGetTheirUsKeyboardScanCode) {
  EXPECT_EQ(KeyCodeForChar('-'), 0x0C2D);
  EXPECT_EQ(KeyCodeForChar('_'), 0x0C5F);
  EXPECT_EQ(KeyCodeForChar('['), 0x1A5B);
  EXPECT_EQ(KeyCodeForChar('\\'), 0x2B5C);
  EXPECT_EQ(KeyCodeForChar('|'), 0x2B7C);
  EXPECT_EQ(KeyCodeForChar(','), 0x332C);
  EXPECT_EQ(KeyCodeForChar('.'), 0x342E);
  EXPECT_EQ(KeyCodeForChar('a'), 0x1E61);
  EXPECT_EQ(KeyCodeForChar('Q'), 0x1051);
  EXPECT_EQ(KeyCodeForChar('0'), 0x0B30);
  EXPECT_EQ(KeyCodeForChar(' '), 0x3920);
  EXPECT_EQ(KeyCodeForChar('\r'), 0x1C0D);
  EXPECT_EQ(KeyCodeForChar(0x1B), 0x011B);
  EXPECT_EQ(KeyCodeForChar(0x01), 0x1E01);  // Ctrl+A
  EXPECT_EQ(KeyCodeForChar(0xA9), 0x00A9);  // CP866 byte of a Cyrillic letter
}

TEST(KeyCodesTest, AltCombinations) {
  EXPECT_EQ(AltKeyCodeForChar('x'), kb::kAltX);
  EXPECT_EQ(AltKeyCodeForChar('X'), kb::kAltX);
  EXPECT_EQ(AltKeyCodeForChar('o'), kb::kAltO);
  EXPECT_EQ(AltKeyCodeForChar('m'), kb::kAltM);
  EXPECT_EQ(AltKeyCodeForChar('1'), kb::kAlt1);
  EXPECT_EQ(AltKeyCodeForChar('9'), kb::kAlt9);
  EXPECT_EQ(AltKeyCodeForChar('0'), kb::kAlt0);
  EXPECT_EQ(AltKeyCodeForChar('!'), 0);
}

}  // namespace
}  // namespace vk
