#include <gtest/gtest.h>

#include <string>

#include "util/strings.h"

namespace vk {
namespace {

TEST(Cp866Test, EveryByteRoundTripsThroughUnicodeAndUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(UnicodeToCp866(Cp866ToUnicode(all)), all);
  EXPECT_EQ(Utf8ToCp866(Cp866ToUtf8(all)), all);
  EXPECT_EQ(WideToCp866(Cp866ToWide(all)), all);
  for (int b = 0; b < 0x80; ++b) EXPECT_EQ(Cp866CharToUnicode(static_cast<unsigned char>(b)), char32_t(b));
}

TEST(Cp866Test, KnownCharacters) {
  struct Case {
    unsigned char byte;
    char32_t u;
  } cases[] = {
      {0x80, U'А'}, {0x9F, U'Я'}, {0xA0, U'а'}, {0xAF, U'п'}, {0xE0, U'р'},
      {0xEF, U'я'}, {0xF0, U'Ё'}, {0xF1, U'ё'}, {0xB3, U'│'}, {0xC4, U'─'},
      {0xC9, U'╔'}, {0xDB, U'█'}, {0xF8, U'°'}, {0xFC, U'№'}, {0xFF, 0x00A0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp866CharToUnicode(c.byte), c.u) << int(c.byte);
    EXPECT_EQ(UnicodeToCp866Char(c.u), c.byte) << int(c.byte);
  }
  EXPECT_EQ(Cp866ToUtf8("\x8C\xAE\xE1\xAA\xA2\xA0"), "Москва");
  EXPECT_EQ(Utf8ToCp866("Москва"), "\x8C\xAE\xE1\xAA\xA2\xA0");
}

TEST(Cp866Test, CharactersWithoutACp866FormBecomeQuestionMarks) {
  EXPECT_EQ(UnicodeToCp866Char(U'€'), -1);
  EXPECT_EQ(UnicodeToCp866Char(0x1F600), -1);
  EXPECT_EQ(UnicodeToCp866(U"a€b"), "a?b");
  EXPECT_EQ(Utf8ToCp866("a\xE2\x82\xAC" "b"), "a?b");
}

TEST(Cp866Test, MalformedUtf8BecomesOneQuestionMarkPerBadSequence) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"\x80", "?"},                  // stray continuation byte
      {"a\xD0", "a?"},                // truncated at the end
      {"\xE2\x82z", "?z"},            // truncated in the middle
      {"\xC0\xAF", "??"},             // overlong '/': C0 is never a lead byte
      {"\xE0\x80\xAF", "???"},        // overlong three-byte form
      {"\xED\xA0\x80", "???"},        // UTF-16 surrogate
      {"\xF4\x90\x80\x80", "????"},   // beyond U+10FFFF
      {"\xF0\x9F\x98\x80", "?"},      // valid, but no CP866 form
      {"\xFF\xFE", "??"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToCp866(c.in), c.out) << c.in;
}

TEST(Cp866Test, Windows1251Conversion) {
  // "Москва Ёё" in Windows-1251 and in CP866.
  const std::string w1251 = "\xCC\xEE\xF1\xEA\xE2\xE0 \xA8\xB8";
  const std::string cp866 = "\x8C\xAE\xE1\xAA\xA2\xA0 \xF0\xF1";
  EXPECT_EQ(Win1251ToCp866(w1251), cp866);
  EXPECT_EQ(Cp866ToWin1251(cp866), w1251);
  for (int b = 0xC0; b <= 0xFF; ++b) {
    std::string one(1, static_cast<char>(b));
    EXPECT_EQ(Cp866ToWin1251(Win1251ToCp866(one)), one) << b;
  }
  // Bytes outside the letter ranges are kept as they are.
  EXPECT_EQ(Win1251ToCp866("UA3AAA 599"), "UA3AAA 599");
  EXPECT_EQ(Cp866ToWin1251("\xB3\xC4"), "\xB3\xC4");
}

}  // namespace
}  // namespace vk
