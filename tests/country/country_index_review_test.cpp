// The hash index must answer every call exactly as the plain scan over the blocks does, also
// for lists that no country file would hold: tokens full of marks and separators, exact calls
// that are prefixes of one another, the same prefix twice in a block, calls holding marks.
// The world-file test checks real data when it is installed; this one needs none.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "country/country.h"

namespace vk {
namespace {

std::string RandomList(std::mt19937& rng, std::string_view alphabet) {
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::string text;
  for (int b = pick(1, 6); b > 0; --b) {
    text += "Block " + std::to_string(b) + ": " + std::to_string(pick(1, 40)) + ": " +
            std::to_string(pick(1, 90)) + ": EU: 55.0: -37.0: -3.0: P" + std::to_string(b) +
            ":\n";
    for (int l = pick(0, 3); l > 0; --l) {
      std::string line = "    ";
      for (int n = pick(0, 40); n > 0; --n) line += alphabet[pick(0, alphabet.size() - 1)];
      text += line + (pick(0, 1) ? "," : "") + "\n";
    }
    if (pick(0, 5) != 0) text += "    UA,=UA9A(17),K" + std::to_string(pick(0, 9)) + ";\n";
  }
  return text;
}

TEST(CountryIndexReviewTest, IndexAndScanAgreeOnHostileLists) {
  std::mt19937 rng(6161);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  int found = 0;
  for (std::string_view alphabet : {"UAK19=(),;[]<>/~#:W ", "UAK1=(),;[/~<>"}) {
    for (int round = 0; round < 400; ++round) {
      const std::string text = RandomList(rng, alphabet);
      const CountryList list = CountryList::FromText(text);
      for (int c = 0; c < 40; ++c) {
        std::string call;
        for (int n = pick(0, 10); n > 0; --n) call += alphabet[pick(0, alphabet.size() - 1)];
        CountryInfo byIndex, byScan;
        const std::uint16_t a = list.Lookup(call, byIndex);
        const std::uint16_t b = ScanCountry(list, call, byScan);
        ASSERT_EQ(a, b) << "call [" << call << "] in\n" << text;
        ASSERT_EQ(byIndex, byScan) << "call [" << call << "] in\n" << text;
        found += a != 0;
      }
    }
  }
  EXPECT_GT(found, 1000) << "the lists must give the index something to find";
}

}  // namespace
}  // namespace vk
