#include "util/strings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace vk {
namespace {

TEST(StringsTest, TrimRemovesSpacesOnly) {
  EXPECT_EQ(Trim("  UA3AAA  "), "UA3AAA");
  EXPECT_EQ(Trim("\tUA3 AAA\t"), "\tUA3 AAA\t");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(TrimLeft("  a b  "), "a b  ");
  EXPECT_EQ(TrimRight("  a b  "), "  a b");
}

TEST(StringsTest, CaseTouchesAsciiLettersOnly) {
  const std::string cyr = "\x80\xA0\xE0\xF1";  // CP866 letters must survive
  EXPECT_EQ(UpperCase("ua3aaa/p" + cyr), "UA3AAA/P" + cyr);
  EXPECT_EQ(LowerCase("UA3AAA/P" + cyr), "ua3aaa/p" + cyr);
  EXPECT_EQ(UpperCase("az@[`{"), "AZ@[`{");
}

TEST(StringsTest, IntegerToText) {
  struct Case {
    long long n;
    int width;
    const char* spaces;
    const char* zeros;
  } cases[] = {
      {5, 2, " 5", "05"},      {-7, 3, " -7", "-07"},   {12345, 3, "12345", "12345"},
      {0, 0, "0", "0"},        {42, -3, "42", "42"},    {-2147483648LL, 1, "-2147483648", "-2147483648"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IntToStrPad(c.n, c.width), c.spaces) << c.n;
    EXPECT_EQ(IntToStrZero(c.n, c.width), c.zeros) << c.n;
  }
  EXPECT_EQ(IntToStr(-15), "-15");
}

TEST(StringsTest, PaddingWidthsAndCuts) {
  EXPECT_EQ(FixedWidth("ABCDEFG", 5), "ABCDE");
  EXPECT_EQ(FixedWidth("AB", 5), "AB   ");
  EXPECT_EQ(FixedWidth("AB", 0), "");
  EXPECT_EQ(FixedWidth("AB", -1), "");
  EXPECT_EQ(PadLeft("AB", 4), "  AB");
  EXPECT_EQ(PadLeft("ABCDE", 4), "ABCDE");
  EXPECT_EQ(Rightmost("UA3AAA", 3), "AAA");
  EXPECT_EQ(Rightmost("UA", 3), "UA");
  EXPECT_EQ(Rightmost("UA", 0), "");
  EXPECT_EQ(RepeatChar('-', 3), "---");
  EXPECT_EQ(RepeatChar('-', 0), "");
  EXPECT_EQ(RepeatChar('-', -5), "");
  EXPECT_EQ(RepeatChar('-', 1000).size(), 255u);
}

TEST(StringsTest, TextToInteger) {
  struct Case {
    const char* text;
    int def0;
    int defM1;
    std::size_t errPos;
  } cases[] = {
      {"599", 599, 599, 0},    {"  -12", -12, -12, 0}, {"+7", 7, 7, 0},
      {"", 0, -1, 1},          {"12a", 0, -1, 3},     {"12 ", 0, -1, 3},
      {"-", 0, -1, 2},         {"abc", 0, -1, 1},     {"2147483647", 2147483647, 2147483647, 0},
      {"2147483648", 0, -1, 10}, {"99999999999999999999", 0, -1, 19},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrToIntDef0(c.text), c.def0) << c.text;
    EXPECT_EQ(StrToIntDefM1(c.text), c.defM1) << c.text;
    std::size_t errPos = 99;
    EXPECT_EQ(StrToInt(c.text, &errPos).value_or(-1), c.defM1) << c.text;
    EXPECT_EQ(errPos, c.errPos) << c.text;
  }
  long long v = 0;
  EXPECT_TRUE(TryStrToInt("-9223372036854775808", v));
  EXPECT_EQ(v, std::numeric_limits<long long>::min());
  EXPECT_FALSE(TryStrToInt("9223372036854775808", v));
}

TEST(StringsTest, RealToText) {
  EXPECT_EQ(RealToStr(14.025, 3), "14.025");
  EXPECT_EQ(RealToStr(3.14159, 2), "3.14");
  EXPECT_EQ(RealToStr(-0.5, 1), "-0.5");
  EXPECT_EQ(RealToStr(7, 0), "7");
  EXPECT_EQ(RealToStr(1e300, 0).size(), 301u);
}

TEST(StringsTest, ReplaceAllRestartsFromTheStart) {
  EXPECT_EQ(ReplaceAll("a,b,,c", ",", ";"), "a;b;;c");
  // After "ab"->"a" the text "aab" becomes "ab", which is found again.
  EXPECT_EQ(ReplaceAll("aaab", "ab", "b"), "b");
  EXPECT_EQ(ReplaceAll("xyz", "", "q"), "xyz");
  EXPECT_EQ(ReplaceAll("aXa", "a", "aa"), "aXa");  // refused: would never end
  EXPECT_EQ(ReplaceAll("aab", "ab", "ba"), "baa");
  EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

TEST(StringsTest, LargerSmallerAndCStrings) {
  EXPECT_EQ(Larger(-3, 2), 2);
  EXPECT_EQ(Smaller(-3, 2), -3);
  EXPECT_EQ(FromCStr(nullptr), "");
  EXPECT_EQ(FromCStr("R1A"), "R1A");
}

TEST(StringsTest, PathDelimiter) {
  EXPECT_EQ(AddPathDelimiter("data"), "data/");
  EXPECT_EQ(AddPathDelimiter("data/"), "data/");
  EXPECT_EQ(AddPathDelimiter(""), "");
  EXPECT_EQ(AddPathDelimiter("/"), "/");
}

TEST(StringsTest, FileExistsSeesOrdinaryFilesOnly) {
  char tmpl[] = "/tmp/vk_stringsXXXXXX";
  std::string dir = ::mkdtemp(tmpl);
  std::string file = dir + "/vorkan.adi";
  EXPECT_FALSE(FileExists(file));
  std::FILE* f = std::fopen(file.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_FALSE(FileExists(""));
  std::remove(file.c_str());
  ::rmdir(dir.c_str());
}

}  // namespace
}  // namespace vk
