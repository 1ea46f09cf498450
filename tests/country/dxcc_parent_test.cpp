// WAE-only entries of the world list fold into their DXCC entity.
#include "country/dxcc_parent.h"

#include <gtest/gtest.h>

#include "country/country.h"

namespace vk {
namespace {

TEST(DxccParentTest, WaeOnlyEntriesFoldIntoTheirParent) {
  EXPECT_EQ(DxccParentPrefix("*4U1V"), "OE");
  EXPECT_EQ(DxccParentPrefix("*GM/s"), "GM");
  EXPECT_EQ(DxccParentPrefix("*GM/S"), "GM");
  EXPECT_EQ(DxccParentPrefix("*IT9"), "I");
  EXPECT_EQ(DxccParentPrefix("*IG9"), "I");
  EXPECT_EQ(DxccParentPrefix("*JW/b"), "JW");
  EXPECT_EQ(DxccParentPrefix("*TA1"), "TA");
  for (const char* own : {"UA9", "K", "GM", "IT9", "", "*", "*XX9", "3D2/r"})
    EXPECT_EQ(DxccParentPrefix(own), own);
}

TEST(DxccParentTest, EveryWaeOnlyEntryOfTheWorldFileHasAParentThere) {
  const CountryList world = CountryList::FromFile(VORKAN_SYSTEM_CTY);
  if (world.Empty()) GTEST_SKIP() << "no world file installed";
  auto listed = [&](std::string_view prefix) {
    for (const CountryEntry& e : world.Entries())
      if (e.primaryPrefix == prefix) return true;
    return false;
  };
  int waeOnly = 0;
  for (const CountryEntry& e : world.Entries()) {
    if (e.primaryPrefix.empty() || e.primaryPrefix[0] != '*') continue;
    ++waeOnly;
    const std::string_view parent = DxccParentPrefix(e.primaryPrefix);
    EXPECT_NE(parent, e.primaryPrefix) << e.name << " has no parent";
    EXPECT_TRUE(listed(parent)) << e.name << " -> " << parent;
  }
  EXPECT_GE(waeOnly, 6);
  CountryInfo sicily;
  ASSERT_NE(LookupCountry(world, "IT9ABC", sicily), 0);
  EXPECT_EQ(DxccParentPrefix(sicily.primaryPrefix), "I");
}

}  // namespace
}  // namespace vk
