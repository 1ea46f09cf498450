// The installed world file: every call of the installed call-sign database through the index
// and the scan, and the two faults the real data shows.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "country/country.h"

namespace vk {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t kScpStride = 16;  // the scan is slow under the sanitizers: a sample
#else
constexpr std::size_t kScpStride = 1;
#endif

class WorldFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    world_ = new CountryList(CountryList::FromFile(VORKAN_SYSTEM_CTY));
  }
  static void TearDownTestSuite() {
    delete world_;
    world_ = nullptr;
  }
  void SetUp() override {
    if (world_->Empty()) GTEST_SKIP() << "no world file installed";
  }

  static std::string PrefixOf(std::string_view call) {
    CountryInfo info;
    LookupCountry(*world_, call, info);
    return info.primaryPrefix;
  }

  static CountryList* world_;
};

CountryList* WorldFileTest::world_ = nullptr;

TEST_F(WorldFileTest, EveryScpCallGivesTheSameAnswerByIndexAndScan) {
  std::ifstream in(VORKAN_SYSTEM_SCP);
  if (!in) GTEST_SKIP() << "no call-sign database installed";
  std::vector<std::string> calls;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] != '#') calls.push_back(line);
  }
  ASSERT_GT(calls.size(), 10000u);
  std::size_t found = 0, checked = 0;
  for (std::size_t i = 0; i < calls.size(); i += kScpStride) {
    CountryInfo indexed, scanned;
    const auto a = LookupCountry(*world_, calls[i], indexed);
    const auto b = ScanCountry(*world_, calls[i], scanned);
    ASSERT_EQ(a, b) << calls[i];
    ASSERT_EQ(indexed, scanned) << calls[i];
    found += a != 0;
    ++checked;
  }
  EXPECT_GT(found, checked * 99 / 100);
}

TEST_F(WorldFileTest, BlocksAndTheirSizes) {
  EXPECT_GE(world_->Size(), 300u);
  std::size_t largest = 0;
  for (const CountryEntry& e : world_->Entries()) {
    EXPECT_EQ(e.prefixText.back(), ';') << e.name;  // every block read to its end
    largest = std::max(largest, e.prefixText.size());
  }
  EXPECT_GT(largest, 40960u);  // the USA block, kept whole
}

TEST_F(WorldFileTest, WellKnownCalls) {
  EXPECT_EQ(PrefixOf("K1ABC"), "K");
  EXPECT_EQ(PrefixOf("W6XYZ"), "K");
  EXPECT_EQ(PrefixOf("UA3AAA"), "UA");
  EXPECT_EQ(PrefixOf("UA9AAA"), "UA9");
  EXPECT_EQ(PrefixOf("UA2FAA"), "UA2");
  EXPECT_EQ(PrefixOf("DL1ABC"), "DL");
  EXPECT_EQ(PrefixOf("DL1ABC/P"), "DL");
  EXPECT_EQ(PrefixOf("F5XX/P"), "F");
  EXPECT_EQ(PrefixOf("JA1ABC"), "JA");
  CountryInfo info;
  ASSERT_NE(LookupCountry(*world_, "UA0CAA", info), 0);
  EXPECT_EQ(info.cqZone, "19");  // UA0C(19)[34]: the token's marks beat the block's 17 and 30
  EXPECT_EQ(info.ituZone, "34");
  EXPECT_EQ(info.name, "Asiatic Russia");
}

TEST_F(WorldFileTest, PortableCallsStayInTheirOwnCountry) {
  // The world file lists calls such as =EA/FT5YK (South Shetland) and =RA9YA/6; the exact-call
  // key of EA or RA9YA must not stop at those longer tokens.
  EXPECT_EQ(PrefixOf("EA/F5XX"), "EA");
  EXPECT_EQ(PrefixOf("LU/F5XX"), "LU");
  EXPECT_EQ(PrefixOf("SM/F5XX"), "SM");
  EXPECT_EQ(PrefixOf("RA9YA"), "UA9");
  CountryInfo info, scanned;
  LookupCountry(*world_, "EA/F5XX", info);
  ScanCountry(*world_, "EA/F5XX", scanned);
  EXPECT_EQ(info, scanned);
}

}  // namespace
}  // namespace vk
