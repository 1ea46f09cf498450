#include "app/key_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "app/command_table.h"
#include "app/help_text.h"
#include "app/key_translation.h"

namespace vk {
namespace {

constexpr KeyScope kScopes[] = {KeyScope::kAnywhere, KeyScope::kDesktop, KeyScope::kEntry,
                                KeyScope::kLog,      KeyScope::kCw,      KeyScope::kBandMap,
                                KeyScope::kCluster};

TEST(KeyTableTest, KeyNamesAsTheKeyboardLabelsThem) {
  const struct {
    KeyCode key;
    const char* name;
  } cases[] = {
      {0x3B00, "F1"},        {0x4400, "F10"},     {0x8600, "F12"},      {0x6800, "Alt+F1"},
      {0x8C00, "Alt+F12"},   {0x5900, "Shift+F6"}, {0x6200, "Ctrl+F5"}, {0x1E00, "Alt+A"},
      {0x2D00, "Alt+X"},     {0x3200, "Alt+M"},   {0x7800, "Alt+1"},    {0x8100, "Alt+0"},
      {0x8400, "Ctrl+PgUp"}, {0xA100, "Alt+PgDn"}, {0x2B5C, "\\"},      {0x0C2D, "-"},
      {0x0F00, "Shift+Tab"}, {0x9400, "Ctrl+Tab"}, {0x011B, "Esc"},     {0x0000, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeyName(c.key), c.name) << std::hex << c.key;
  }
}

// A key bound twice in one place would be shadowed by its first row, and a menu key that is
// also a keyer key would never reach its command.
TEST(KeyTableTest, EachKeyHasOneMeaningWhereItCounts) {
  for (const KeyBinding& b : KeyBindings()) {
    EXPECT_EQ(FindKey(b.scope, b.key), &b) << std::hex << b.key;
    EXPECT_FALSE(KeyName(b.key).empty()) << std::hex << b.key;
  }
  std::set<KeyCode> commandKeys;
  for (const CommandRow& row : CommandRows()) {
    if (row.key == 0) continue;
    EXPECT_TRUE(commandKeys.insert(row.key).second) << KeyName(row.key);
    EXPECT_EQ(FindKey(KeyScope::kAnywhere, row.key), nullptr) << KeyName(row.key);
  }
}

// Help > Keys split into its parts: for each heading, the key names of its lines.
std::map<std::string, std::set<std::string>> HelpKeyNames(const std::vector<std::string>& lines) {
  std::map<std::string, std::set<std::string>> out;
  std::string heading;
  const std::string indent(20, ' ');
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l.empty()) continue;
    if (l[0] != ' ') {
      heading = l;
      continue;
    }
    if (l.rfind(indent, 0) == 0) continue;  // what the names on the line above do
    const bool namesOnly = i + 1 < lines.size() && lines[i + 1].rfind(indent, 0) == 0;
    std::istringstream names(namesOnly ? l : l.substr(0, 19));
    for (std::string n; names >> n;) out[heading].insert(n);
  }
  return out;
}

TEST(KeyTableTest, HelpKeysListsEveryKeyTheProgramBinds) {
  const std::vector<std::string> lines = HelpKeysLines();
  for (const std::string& l : lines) EXPECT_LE(l.size(), 72u) << l;
  const auto listed = HelpKeyNames(lines);
  for (KeyScope scope : kScopes) {
    const std::string heading(ScopeTitle(scope));
    ASSERT_TRUE(listed.count(heading)) << heading;
    const std::set<std::string>& names = listed.at(heading);
    for (unsigned k = 1; k <= 0xFFFF; ++k) {
      const auto key = static_cast<KeyCode>(k);
      bool bound = FindKey(scope, key) != nullptr;
      // The shell's own translation, which every window sees first.
      if (scope == KeyScope::kAnywhere) {
        bound = TranslateKey(key).kind != KeyTranslation::Kind::kPass ||
                MenuHotKeyCommand(key) != 0;
      }
      if (bound) {
        EXPECT_TRUE(names.count(KeyName(key))) << heading << ": " << KeyName(key);
      }
    }
  }
}

}  // namespace
}  // namespace vk
