// Calls written with '/' on the installed world file: real calls for each portable rule, and
// every such call of the installed call-sign database against what the rules expect, worked
// out from the file's own exact calls and the lookup of calls without '/'.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "country/country.h"

namespace vk {
namespace {

class PortableCallTest : public ::testing::Test {
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

  // Both lookups, which must agree.
  static CountryInfo Resolve(std::string_view call) {
    CountryInfo indexed, scanned;
    LookupCountry(*world_, call, indexed);
    ScanCountry(*world_, call, scanned);
    EXPECT_EQ(indexed, scanned) << call;
    return indexed;
  }

  static CountryList* world_;
};

CountryList* PortableCallTest::world_ = nullptr;

TEST_F(PortableCallTest, RealCallsFollowTheWorldFilesConventions) {
  struct Case {
    const char* call;
    const char* prefix;  // primary prefix of the entry, "" for none
    const char* cq;      // "" when not checked
    const char* itu;
  } const cases[] = {
      // listed as a whole, '/' included
      {"FO/SP5EAQ", "FO/a", "", ""},
      {"RA/DL5WW", "UA2", "", ""},
      {"R2ET/9", "UA9", "18", "31"},
      {"3D2AG/P", "3D2/r", "", ""},
      {"LU1AW/X", "LU", "13", "16"},
      // a call-area digit moves the home call
      {"UA9ABC/3", "UA", "16", "29"},
      {"UA3ABC/9", "UA9", "17", "30"},
      {"EA4ABC/8", "EA8", "", ""},
      {"IT9GAK/2", "I", "", ""},
      {"9A3XM/1", "9A", "", ""},
      {"UA9QCP/3/P", "UA", "", ""},
      {"K1ABC/4", "K", "5", "8"},
      {"K1ABC/7", "K", "3", "6"},
      {"AL5P/7", "K", "3", "6"},  // an Alaskan call in the 7th area: contiguous USA
      {"KH6ABC/4", "K", "5", "8"},
      {"JD1BNN/3", "JA", "", ""},
      // marks that name no place
      {"LU1AA/X", "LU", "13", "14"},
      {"K1ABC/4/P", "K", "5", "8"},
      {"DL1ABC/QRP", "DL", "", ""},
      {"DL1ABC/LH", "DL", "", ""},
      {"DL1ABC/AG", "DL", "", ""},
      {"G0GDA/70", "G", "", ""},
      {"F6GPT/33", "F", "", ""},
      // maritime and aeronautical mobile
      {"DL1ABC/MM", "", "", ""},
      {"I/DL6SP/MM", "", "", ""},
      {"K1ABC/AM", "", "", ""},
      // the place a portable station works from, on either side
      {"EA8/DL1ABC", "EA8", "", ""},
      {"DL1ABC/EA8", "EA8", "", ""},
      {"9A/S53BB/P", "9A", "", ""},
      {"SP1/UX1HW/M", "SP", "", ""},
      {"AH6EZ/W7", "K", "3", "6"},
      {"KH6ND/NZ7", "K", "3", "6"},
  };
  for (const Case& c : cases) {
    const CountryInfo info = Resolve(c.call);
    EXPECT_EQ(info.primaryPrefix, c.prefix) << c.call;
    if (*c.cq != '\0') {
      EXPECT_EQ(info.cqZone, c.cq) << c.call;
    }
    if (*c.itu != '\0') {
      EXPECT_EQ(info.ituZone, c.itu) << c.call;
    }
  }
}

// --- every slash call of the call-sign database ------------------------------------------

std::vector<std::string> Split(const std::string& call) {
  std::vector<std::string> parts;
  std::size_t begin = 0;
  for (std::size_t end; (end = call.find('/', begin)) != std::string::npos; begin = end + 1)
    parts.push_back(call.substr(begin, end - begin));
  parts.push_back(call.substr(begin));
  std::erase(parts, std::string());
  return parts;
}

bool IsMark(const std::string& part) {
  if (part.find_first_not_of("0123456789") == std::string::npos && part.size() > 1) return true;
  for (const char* mark : {"QRP", "QRPP", "LH", "AE", "AG", "AA", "KT"})
    if (part == mark) return true;
  return part.size() == 1 && !(part[0] >= '0' && part[0] <= '9');
}

// The block that lists `call` as an exact call, by a plain text search of the blocks.
std::uint16_t ListedAs(const CountryList& list, const std::string& call) {
  const std::string key = ",=" + call;
  for (const CountryEntry& e : list.Entries()) {
    for (std::size_t p = e.prefixText.find(key); p != std::string::npos;
         p = e.prefixText.find(key, p + 1)) {
      const char after = p + key.size() < e.prefixText.size() ? e.prefixText[p + key.size()] : ',';
      if (after == ',' || after == ';' || after == '(' || after == '[') return e.number;
    }
  }
  return 0;
}

// The call without '/' whose entry the portable call must get, or "" for no country.  A
// call-area digit is applied to the home call's prefix (UA9ABC/3 -> UA3), except for US
// calls, which stay in the contiguous states (KH6ND/7 -> K7), and Japan's JD1 island calls,
// which are then on the main islands (JD1BNN/3 -> JA3).
std::string PlainEquivalent(const std::string& call) {
  std::vector<std::string> parts = Split(call);
  std::string digit;
  for (std::size_t i = parts.size(); i-- > 1;) {
    if (parts[i] == "MM" || parts[i] == "AM") return "";
    const bool isDigit = parts[i].size() == 1 && parts[i][0] >= '0' && parts[i][0] <= '9';
    if (isDigit && digit.empty()) digit = parts[i];
    if (IsMark(parts[i]) || isDigit) parts.erase(parts.begin() + i);
  }
  if (parts.size() == 2) return parts[1].size() <= parts[0].size() ? parts[1] : parts[0];
  const std::string& home = parts.at(0);
  if (digit.empty()) return home;
  const bool us = home[0] == 'K' || home[0] == 'N' || home[0] == 'W' ||
                  (home[0] == 'A' && home.size() > 1 && home[1] >= 'A' && home[1] <= 'L');
  if (us) return "K" + digit;
  if (home.starts_with("JD")) return "JA" + digit;
  const std::size_t at = home.find_last_of("0123456789");
  return at == std::string::npos ? home : home.substr(0, at) + digit;
}

TEST_F(PortableCallTest, EveryScpSlashCallLandsWhereItsPartsSay) {
  std::ifstream in(VORKAN_SYSTEM_SCP);
  if (!in) GTEST_SKIP() << "no call-sign database installed";
  std::size_t calls = 0, listed = 0, wrong = 0;
  for (std::string call; std::getline(in, call);) {
    if (!call.empty() && call.back() == '\r') call.pop_back();
    if (call.empty() || call[0] == '#' || call.find('/') == std::string::npos) continue;
    ++calls;
    std::uint16_t expected = ListedAs(*world_, call);
    listed += expected != 0;
    CountryInfo info;
    if (expected == 0) expected = LookupCountry(*world_, PlainEquivalent(call), info);
    // The index alone: the world-file test runs every database call through the scan too.
    CountryInfo got;
    LookupCountry(*world_, call, got);
    if (got.number != expected) {
      ++wrong;
      ADD_FAILURE() << call << " -> " << got.primaryPrefix << ", expected entry " << expected
                    << " (" << PlainEquivalent(call) << ")";
    }
  }
  EXPECT_GT(calls, 1000u);
  EXPECT_GT(listed, 50u);
  EXPECT_EQ(wrong, 0u) << "of " << calls << " calls with '/'";
}

}  // namespace
}  // namespace vk
