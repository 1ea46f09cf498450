#include "cw/morse.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

TEST(Morse, CodesOfTheTable) {
  struct Case {
    char c;
    const char* code;
  } cases[] = {{'A', ".-"},    {'B', "-..."},  {'K', "-.-"},    {'Q', "--.-"},
               {'Y', "-.--"},  {'Z', "--.."},  {'0', "-----"},  {'1', ".----"},
               {'5', "....."}, {'9', "----."}, {'?', "..--.."}, {'/', "-..-."}};
  for (const Case& k : cases) EXPECT_EQ(MorseCode(k.c), k.code) << k.c;
}

TEST(Morse, OnlyUpperCaseLettersDigitsQuestionAndSlashHaveCodes) {
  int withCode = 0;
  for (int c = 0; c < 256; ++c) {
    if (!MorseCode(static_cast<char>(c)).empty()) ++withCode;
  }
  EXPECT_EQ(withCode, 26 + 10 + 2);
  EXPECT_TRUE(MorseCode('a').empty());
  EXPECT_TRUE(MorseCode(' ').empty());
  EXPECT_TRUE(MorseCode('+').empty());
  EXPECT_TRUE(MorseCode('\x8D').empty());  // Cyrillic in CP866
}

TEST(Morse, DotOfTheWordsPerMinute) {
  // PARIS is 50 dots: a dot is 1200 ms / WPM, rounded.
  const std::pair<int, int> cases[] = {{5, 240}, {20, 60}, {24, 50}, {25, 48}, {30, 40},
                                       {31, 39}, {40, 30}, {60, 20},
                                       // Beyond 5-60 the nearest end holds: never a zero wait.
                                       {61, 20}, {200, 20}, {4, 240}, {-5, 240}};
  for (const auto& [wpm, dot] : cases) EXPECT_EQ(DotMs(wpm), dot) << wpm;
}

TEST(CutNumbers, FlagsTouchOnlyTheirDigits) {
  EXPECT_EQ(ApplyCutNumbers("001", 0), "001");
  EXPECT_EQ(ApplyCutNumbers("001", cut::kZeroAsT | cut::kNineAsN), "TT1");
  EXPECT_EQ(ApplyCutNumbers("001", cut::kZeroAsT | cut::kNineAsN | cut::kOneAsA), "TTA");
  EXPECT_EQ(ApplyCutNumbers("1909", cut::kNineAsN | cut::kOneAsA), "AN0N");
  EXPECT_EQ(ApplyCutNumbers("100", cut::kZeroAsO), "1OO");
  // Both zero flags from a hand-edited file: "O" comes first and leaves no zero for "T".
  EXPECT_EQ(ApplyCutNumbers("100", cut::kZeroAsO | cut::kZeroAsT), "1OO");
  EXPECT_EQ(ApplyCutNumbers("", 15), "");
}

TEST(CutNumbers, ZeroKeyCyclesAndKeepsTheOtherFlags) {
  EXPECT_EQ(CycleZeroFlags(0), 1);
  EXPECT_EQ(CycleZeroFlags(1), 2);
  EXPECT_EQ(CycleZeroFlags(2), 0);
  EXPECT_EQ(CycleZeroFlags(3), 0);
  EXPECT_EQ(CycleZeroFlags(12 | 2), 12);
  EXPECT_EQ(CycleZeroFlags(12), 12 | 1);
  EXPECT_EQ(ToggleOneFlag(ToggleOneFlag(9)), 9);
  EXPECT_EQ(ToggleNineFlag(1), 9);
}

}  // namespace
}  // namespace vk
