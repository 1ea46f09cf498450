// Reading country files: header fields, block numbering, comments, and input that is not a
// country file at all.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "country/country.h"

namespace vk {
namespace {

TEST(CountryFileTest, HeaderFieldsAreTrimmedCutAndNumbered) {
  const CountryList list = CountryList::FromText(
      "# leading comment line\n"
      "Sov Mil Order of Malta:   15:  28:  EU:   41.90:   -12.43:    -1.0:  1A:\r\n"
      "    1A;\r\n"
      "A Name Much Longer Than Twenty-Six Letters: x5: 300: EUROPE: 12.34567: -123.45678: "
      "-12.75: ABCDEFGH:\n"
      "    ZZ;\n"
      "Short: 5\n"  // missing fields are empty
      "    YY;\n");
  ASSERT_EQ(list.Size(), 3u);
  const CountryEntry& shortHeader = list.Entries()[2];
  EXPECT_EQ(shortHeader.cqZone, 5);
  EXPECT_EQ(shortHeader.ituZone, kCountryNoZone);
  EXPECT_EQ(shortHeader.continent, "");
  EXPECT_EQ(shortHeader.primaryPrefix, "");
  EXPECT_EQ(shortHeader.number, 3);
  const CountryEntry& malta = list.Entries()[0];
  EXPECT_EQ(malta.name, "Sov Mil Order of Malta");
  EXPECT_EQ(malta.cqZone, 15);
  EXPECT_EQ(malta.ituZone, 28);
  EXPECT_EQ(malta.continent, "EU");
  EXPECT_EQ(malta.latitude, "41.90");
  EXPECT_EQ(malta.longitude, "-12.43");
  EXPECT_EQ(malta.timeOffset, "-1.");
  EXPECT_EQ(malta.primaryPrefix, "1A");
  EXPECT_EQ(malta.number, 1);
  EXPECT_EQ(malta.prefixText, ",1A;");
  const CountryEntry& odd = list.Entries()[1];
  EXPECT_EQ(odd.name, "A Name Much Longer Than Tw");
  EXPECT_EQ(odd.cqZone, kCountryNoZone);   // not a number
  EXPECT_EQ(odd.ituZone, kCountryNoZone);  // does not fit a byte
  EXPECT_EQ(odd.continent, "EUR");
  EXPECT_EQ(odd.latitude, "12.3456");
  EXPECT_EQ(odd.longitude, "-123.456");
  EXPECT_EQ(odd.primaryPrefix, "ABCDEF");
  CountryInfo info;
  ASSERT_EQ(LookupCountry(list, "ZZ1A", info), 2);
  EXPECT_EQ(info.cqZone, "255");
  EXPECT_EQ(info.ituZone, "255");
}

TEST(CountryFileTest, BlocksWithoutTerminatorKeepTheirNumber) {
  const CountryList list = CountryList::FromText(
      "stray,line,before,any,header\n"
      "One: 1: 1: EU: 0: 0: 0: ONE:\n"
      "  AA,\n"
      "Two: 2: 2: EU: 0: 0: 0: TWO:\n"
      "  BB, # a comment ends this line only\n"
      "  BC;\n"
      "  CC;\n"  // after the terminator: no open block
      "not a record\n"
      "Three: 3: 3: EU: 0: 0: 0: THREE:\n"  // header without any prefix line
      "Four: 4: 4: EU: 0: 0: 0: FOUR:\n"
      "  DD;");  // last line without newline
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(list.Entries()[0].number, 2);
  EXPECT_EQ(list.Entries()[0].prefixText, ",BB,,BC;");
  EXPECT_EQ(list.Entries()[1].number, 4);
  CountryInfo info;
  EXPECT_EQ(LookupCountry(list, "AA1A", info), 0);
  EXPECT_EQ(LookupCountry(list, "BC1A", info), 2);
  EXPECT_EQ(LookupCountry(list, "CC1A", info), 0);
  EXPECT_EQ(LookupCountry(list, "DD1A", info), 4);
}

TEST(CountryFileTest, OverlongLinesAreCutAt255) {
  std::string line(250, 'Q');
  line += ",ABCDEFGH,XY;";  // the cut falls inside ABCDEFGH; XY and ';' are lost
  const CountryList list =
      CountryList::FromText("One: 1: 1: EU: 0: 0: 0: ONE:\n" + line + "\n  ZZ;\n");
  ASSERT_EQ(list.Size(), 1u);
  EXPECT_EQ(list.Entries()[0].prefixText.size(), 1 + 255 + 4);
  CountryInfo info;
  EXPECT_EQ(LookupCountry(list, "XY1A", info), 0);
  EXPECT_EQ(LookupCountry(list, "ABCD", info), 1);
}

TEST(CountryFileTest, AHugeBlockIsKeptWhole) {
  std::string text = "Big: 5: 8: NA: 0: 0: 0: K:\n";
  for (int line = 0; line < 2000; ++line) {
    text += "    ";
    for (int i = 0; i < 10; ++i) text += "=K" + std::to_string(line * 10 + i) + "ZZ,";
    text += "\n";
  }
  text += "    =KLAST(4)[7];\n";
  const CountryList list = CountryList::FromText(text);
  ASSERT_EQ(list.Size(), 1u);
  EXPECT_GT(list.Entries()[0].prefixText.size(), 160000u);
  CountryInfo info;
  ASSERT_EQ(LookupCountry(list, "KLAST", info), 1);
  EXPECT_EQ(info.cqZone, "4");
  EXPECT_EQ(ScanCountry(list, "K19999ZZ", info), 1);
}

// Random bytes, and the real world file cut at arbitrary points: the reader takes what it can
// and the index still answers exactly what the scan answers.
void CheckAgreement(const CountryList& list, std::mt19937& rng) {
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/=,;([<~";
  for (int i = 0; i < 40; ++i) {
    std::string call;
    const int len = static_cast<int>(rng() % 9);
    for (int k = 0; k < len; ++k) call += kAlphabet[rng() % (sizeof kAlphabet - 1)];
    CountryInfo a, b;
    ASSERT_EQ(LookupCountry(list, call, a), ScanCountry(list, call, b)) << call;
    ASSERT_EQ(a, b) << call;
  }
}

TEST(CountryFileTest, RandomBytesNeverBreakTheReader) {
  std::mt19937 rng(12345);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(rng() % 4000, '\0');
    for (char& c : bytes) {
      // Mostly the format's own punctuation, so that headers and blocks do form.
      const unsigned r = rng() % 16;
      c = r < 3 ? ":,;\n"[rng() % 4] : static_cast<char>(rng() % 256);
    }
    const CountryList list = CountryList::FromText(bytes);
    for (const CountryEntry& e : list.Entries()) {
      EXPECT_LE(e.name.size(), kCountryNameWidth);
      EXPECT_LE(e.primaryPrefix.size(), kCountryPrefixWidth);
    }
    CheckAgreement(list, rng);
  }
}

TEST(CountryFileTest, TruncatedWorldFileStillReads) {
  std::ifstream in(VORKAN_SYSTEM_CTY, std::ios::binary);
  if (!in) GTEST_SKIP() << "no world file installed";
  std::stringstream whole;
  whole << in.rdbuf();
  const std::string text = whole.str();
  std::mt19937 rng(777);
  for (int round = 0; round < 12; ++round) {
    const std::size_t cut = rng() % text.size();
    const CountryList list = CountryList::FromText(std::string_view(text).substr(0, cut));
    CheckAgreement(list, rng);
  }
}

}  // namespace
}  // namespace vk
