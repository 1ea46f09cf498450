#include <unistd.h>
#include "score/multi_rule.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "log/journal.h"
#include "score_fixture.h"

namespace vk {
namespace {

using test::MakeContext;

constexpr std::uint8_t k80 = 2, k40 = 3, k20 = 4, k15 = 5;
constexpr Mode kCw = Mode::kCw, kPh = Mode::kPhone, kRtty = Mode::kRtty;

std::unique_ptr<MultiRule> Multi(std::string_view value, std::string_view arg = "",
                                 Journal* journal = nullptr) {
  auto rule = MultiRule::Make(5, value, arg, journal);
  EXPECT_NE(rule, nullptr) << value;
  return rule;
}

// Asks the rule and, when new, records the QSO: what the tree walk does with commit set.
int Log(MultiRule& rule, std::string_view call, std::string_view rx, std::uint8_t band, Mode mode,
        ScoreContext& ctx) {
  int w = rule.IsNew(call, rx, band, mode, ctx);
  if (w != 0) rule.Add(call, rx, band, mode, ctx);
  return w;
}

class MultiRuleTest : public ::testing::Test {
 protected:
  void SetUp() override { std::remove(journal_.c_str()); }
  void TearDown() override { std::remove(journal_.c_str()); }
  std::string Journal() const {
    std::ifstream in(journal_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::unique_ptr<MultiRule> Multi(std::string_view value, std::string_view arg = "") {
    return vk::Multi(value, arg, &debug_);
  }
  std::string journal_ =
      ::testing::TempDir() + "score_multi_journal_" + std::to_string(::getpid()) + ".txt";
  vk::Journal debug_{journal_};
  ScoreContext ctx_ = MakeContext("UA3AAA", "", &debug_);
};

TEST_F(MultiRuleTest, ParseKindWeightConditionsAndCaption) {
  EXPECT_EQ(MultiRule::Make(5, "dxcc", "", &debug_), nullptr);
  EXPECT_EQ(MultiRule::Make(5, "country:1", ""), nullptr);
  EXPECT_EQ(MultiRule::Make(4, "dxcc:1", ""), nullptr);
  auto r = Multi("dxcc:2:everyband");
  EXPECT_EQ(r->Kind(), MultiKind::kDxcc);
  EXPECT_EQ(r->Weight(), 2);
  EXPECT_EQ(r->BandCondition(), kEveryCondition);
  EXPECT_EQ(r->ModeCondition(), 0);
  EXPECT_EQ(r->Caption(), "DXCC");
  EXPECT_EQ(r->KindNumber(), 5);
  EXPECT_EQ(MultiRule::Make(6, "wpx:1", "")->KindNumber(), 6);
  auto fixed = Multi("zonecq:1:20m everyband cw");
  EXPECT_EQ(fixed->BandCondition(), k20);
  EXPECT_EQ(fixed->ModeCondition(), ModeNumber(kCw));
  auto every = Multi("rxnr:3:everymode everyband", "Oblast of the station");
  EXPECT_EQ(every->ModeCondition(), kEveryCondition);
  EXPECT_EQ(every->Caption(), "Oblast of the st");  // cut to 16
  EXPECT_EQ(Multi("rda1:1")->Caption(), "RDA");
  EXPECT_EQ(Multi("wpx:x")->Weight(), 255);  // unreadable number, as a byte
  auto typo = Multi("dxcc:1 everyband");
  EXPECT_EQ(typo->BandCondition(), kEveryCondition);
  EXPECT_EQ(typo->Weight(), 255);
  // A caption in Windows-1251 is shown in CP866: "Область" -> CP866 bytes.
  EXPECT_EQ(Multi("domestic:1", "\xCE\xE1\xEB")->Caption(), "\x8E\xA1\xAB");
  EXPECT_NE(Journal().find("MULTI: key:multi Value:dxcc:2:everyband\r\n"), std::string::npos);
  EXPECT_NE(Journal().find("MULTI: key:multi Value:dxcc\r\n"), std::string::npos);
}

// CQ WW: a country counts once on every band.
TEST_F(MultiRuleTest, EveryBandCountsEachBandSeparately) {
  auto r = Multi("dxcc:1:everyband");
  EXPECT_EQ(Log(*r, "DL1ABC", "599 14", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "DK2XY", "599 14", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "DL1ABC", "599 14", k40, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "DL1ABC", "599 14", k40, kPh, ctx_), 0);
  ASSERT_NE(r->Keys(k20, kCw), nullptr);
  EXPECT_EQ(r->Keys(k20, kCw)->Size(), 1u);
  EXPECT_EQ((*r->Keys(k20, kCw))[0], "DL");
  EXPECT_EQ(Log(*r, "0Q0Q", "599", k15, kCw, ctx_), 0);  // no country, no key
  EXPECT_TRUE(r->Keys(k15, kCw)->Empty());
}

// A fixed band is no filter: every QSO lands in the 20 m slot.
TEST_F(MultiRuleTest, FixedBandKeepsOneSlot) {
  auto r = Multi("dxcc:1:20m");
  EXPECT_EQ(Log(*r, "DL1ABC", "", k40, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "DL1ABC", "", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "JA1ABC", "", k80, kPh, ctx_), 1);
  EXPECT_EQ(r->Keys(k80, kPh), r->Keys(k20, kCw));
  EXPECT_EQ(r->Keys(k20, kCw)->Size(), 2u);
}

// Only a QSO that misses both a fixed band and a fixed mode is outside the rule.
TEST_F(MultiRuleTest, OutsideNeedsBandAndModeMismatch) {
  auto r = Multi("newcall:1:20m cw");
  EXPECT_FALSE(r->Outside(k20, kPh));
  EXPECT_FALSE(r->Outside(k40, kCw));
  EXPECT_TRUE(r->Outside(k40, kPh));
  EXPECT_EQ(r->IsNew("DL1ABC", "", k40, kPh, ctx_), 0);
  EXPECT_EQ(r->IsNew("DL1ABC", "", k40, kCw, ctx_), 1);
  // Add does not ask: the key goes into the rule's one slot all the same.
  r->Add("DL1ABC", "", k40, kPh, ctx_);
  EXPECT_EQ(r->IsNew("DL1ABC", "", k20, kCw, ctx_), 0);
}

// Band 0 under everyband and PSK31 under everymode have no slot: never new, nothing recorded.
// RTTY, a mode of the RTTY contests, counts in a slot of its own.
TEST_F(MultiRuleTest, QsoWithoutSlotIsNeverNew) {
  auto r = Multi("newcall:1:everyband everymode");
  EXPECT_EQ(r->Keys(0, kCw), nullptr);
  EXPECT_EQ(r->Keys(k20, Mode::kPsk31), nullptr);
  EXPECT_EQ(Log(*r, "DL1ABC", "", 0, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "DL1ABC", "", k20, Mode::kPsk31, ctx_), 0);
  r->Add("DL1ABC", "", k20, Mode::kPsk31, ctx_);
  EXPECT_EQ(Log(*r, "DL1ABC", "", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "DL1ABC", "", k20, kRtty, ctx_), 1);
  EXPECT_EQ(Log(*r, "DL1ABC", "", k20, kRtty, ctx_), 0);
  // Without conditions every band and mode share slot 1.
  auto plain = Multi("newcall:1");
  EXPECT_EQ(plain->SlotOf(0, Mode::kPsk31), 1);
  EXPECT_EQ(Log(*plain, "DL1ABC", "", 0, kRtty, ctx_), 1);
  EXPECT_EQ(Log(*plain, "DL1ABC", "", k20, kCw, ctx_), 0);
}

TEST_F(MultiRuleTest, SlotNumbers) {
  EXPECT_EQ(Multi("newcall:1:everyband everymode")->SlotOf(k20, kPh), 2 * 32 + 4);
  EXPECT_EQ(Multi("newcall:1:40m ph")->SlotOf(k20, kCw), 2 * 32 + 3);
  EXPECT_EQ(Multi("newcall:1:everymode")->SlotOf(k15, kCw), 32 + 1);
}

TEST_F(MultiRuleTest, ZoneKeys) {
  auto cq = Multi("zonecq:1:everyband");
  EXPECT_EQ(Log(*cq, "DL1ABC", "599 15", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*cq, "OH2AA", "599/15", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*cq, "OH2AA", "599/015", k20, kCw, ctx_), 0);  // the same zone
  EXPECT_EQ(cq->IsNew("ZS1AA", "599 45", k20, kCw, ctx_), 0);
  EXPECT_EQ(cq->IsNew("ZS1AA", "599 0", k20, kCw, ctx_), 0);
  EXPECT_EQ(cq->IsNew("ZS1AA", "59938", k20, kCw, ctx_), 0);
  EXPECT_EQ(cq->IsNew("ZS1AA", "599 38", k20, kCw, ctx_), 1);
  auto itu = Multi("zoneitu:1");
  EXPECT_EQ(itu->IsNew("VK0AA", "599/90", k20, kCw, ctx_), 1);
  EXPECT_EQ(itu->IsNew("VK0AA", "599/91", k20, kCw, ctx_), 0);
}

TEST_F(MultiRuleTest, ExchangeFieldKeys) {
  struct Case {
    MultiKind kind;
    std::string_view rx;
    bool has;
    std::string_view key;
  } cases[] = {
      {MultiKind::kRxNr, "599/MA", true, "MA"},     {MultiKind::kRxNr, "599 MA", true, "MA"},
      {MultiKind::kRxNr, "599MA", false, ""},       {MultiKind::kRxNr, "599/", false, ""},
      {MultiKind::kRxNr1, "AC/599", true, "AC"},    {MultiKind::kRxNr1, "/599", false, ""},
      {MultiKind::kRxNr3, "599/001/EU-005", true, "EU-005"},
      {MultiKind::kRxNr3, "599 001 KO85", true, "KO85"},
      {MultiKind::kRxNr3, "599/001", false, ""},    {MultiKind::kRxNr3, "599/001/", false, ""},
      {MultiKind::kRda, "599 TB02", true, "TB02"},  {MultiKind::kRda, "B02", true, "B02"},
      {MultiKind::kRda1, "MA01 599", true, "MA01"}, {MultiKind::kZoneRf, "3001", true, "3"},
      {MultiKind::kZoneRf, "", false, ""},
  };
  for (const auto& c : cases) {
    std::string scratch;
    std::string_view key;
    EXPECT_EQ(MultiKeyOf(c.kind, "RA3AAA", c.rx, ctx_, scratch, key), c.has) << c.rx;
    if (c.has) {
      EXPECT_EQ(key, c.key) << c.rx;
    }
  }
}

TEST(WpxPrefix, PrefixRules) {
  struct Case {
    std::string_view call, prefix;
  } cases[] = {
      {"N8BJQ", "N8"},      {"UA9QQQ", "UA9"},   {"RA3AAA/P", "RA3"}, {"K1TEO/8", "K8"},
      {"2E0ABC", "2E0"},    {"XEFTJW", "XE0"},   {"DL/UA9QQQ", "DL0"}, {"WP4LA/5", "WP5"},
      {"9A1A", "9A1"},      {"OH2AA/MM", "OH2"}, {"RAEM", "RA0"},      {"A", "A"},
      // Portable designators are the prefix; operating suffixes are none.
      {"N8BJQ/KH9", "KH9"}, {"DL1ABC/EA8", "EA8"}, {"HB9A/OH0", "OH0"},  {"K1ABC/4", "K4"},
      {"PA/N8BJQ", "PA0"},  {"F/DL1ABC", "F0"},    {"K1ABC/4/P", "K4"},  {"OH2AA/QRP", "OH2"},
      {"VP2E/K1ABC", "VP2"}, {"N8BJQ/J", "N8"},    {"EA8/DL1ABC/M", "EA8"}, {"/P", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(WpxPrefix(c.call), c.prefix) << c.call;
}

TEST_F(MultiRuleTest, WpxOncePerContest) {
  auto r = Multi("wpx:1");
  EXPECT_EQ(Log(*r, "N8BJQ", "599 001", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "N8XX", "599 002", k40, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "K1TEO/8", "599 003", k40, kCw, ctx_), 1);
}

// RDXC oblast multiplier typed in the exchange; IARU HQ abbreviations the same way.
TEST_F(MultiRuleTest, DomesticEntries) {
  ctx_.AddDomestic("MA");
  ctx_.AddDomestic("SP");
  ctx_.AddDomestic("DARC");
  auto r = Multi("domestic:1:everyband", "Oblast");
  EXPECT_EQ(Log(*r, "RA3AAA", "599/MA", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "RA3BBB", "599/MA", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "RA3AAA", "599/MA", k40, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "RA1AAA", "599/SP", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "RA1AAA", "599/XX", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "DA0HQ", "599 DARC", k20, kCw, ctx_), 1);
  EXPECT_EQ(r->Keys(k20, kCw)->Size(), 3u);
  // The recorded key is the entry, and a recorded entry inside the field stops a new one.
  EXPECT_TRUE(r->Keys(k20, kCw)->Contains("DARC"));
  EXPECT_FALSE(r->IsNewDomestic("XDARCX", k20, kCw, ctx_));
  const std::string* entry = MultiRule::FindDomestic("599SPB", ctx_);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(*entry, "SP");
  EXPECT_EQ(MultiRule::FindDomestic("599", ctx_), nullptr);
  EXPECT_NE(Journal().find("ADD MULTI:MA\r\n"), std::string::npos);
}

// IARU headquarters as whole words: TRAC (Turkey) is neither RAC nor AC.
TEST_F(MultiRuleTest, DomesticWholeWords) {
  for (auto e : {"RAC", "AC", "TRAC"}) ctx_.AddDomestic(e);
  auto r = Multi("domestic:1:everyband wholeword", "HQ");
  EXPECT_TRUE(r->WholeWords());
  EXPECT_EQ(Log(*r, "TA1HQ", "599/TRAC", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "VA3RAC", "599/RAC", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "NU1AW", "599 AC", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, "VE3RAC", "599/RAC", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "K1ABC", "599/RACX", k20, kCw, ctx_), 0);  // no society of that name
  EXPECT_EQ(r->Keys(k20, kCw)->Size(), 3u);
}

// Under the DXCC list Sicily and Shetland are Italy and Scotland; the world file's list keeps
// them apart.  A maritime mobile is in no country.
TEST_F(MultiRuleTest, DxccCountriesAndMaritimeMobiles) {
  auto wae = Multi("dxcc:1:everyband");
  EXPECT_EQ(Log(*wae, "IT9ABC", "599", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*wae, "I2ABC", "599", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*wae, "DL1ABC/MM", "599", k20, kCw, ctx_), 0);
  ctx_.SetDxccCountries(true);
  auto dxcc = Multi("dxcc:1:everyband");
  EXPECT_EQ(Log(*dxcc, "IT9ABC", "599", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*dxcc, "I2ABC", "599", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*dxcc, "GM3ABC", "599", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*dxcc, "GM0ABC/P", "599", k20, kCw, ctx_), 0);
  EXPECT_TRUE(dxcc->Keys(k20, kCw)->Contains("I"));
}

// Band weights, call areas, the own country left out, first letters and excluded texts: each
// row is logged in turn through its rule, with the weight it should bring.
TEST_F(MultiRuleTest, KeyConditions) {
  struct Row {
    int rule;
    const char* call;
    const char* rx;
    std::uint8_t band;
    int weight;
  };
  auto ua = MakeContext("DL1AAA");
  std::unique_ptr<MultiRule> rules[] = {
      Multi("dxcc:2:everyband 80m=4 40m=3"),
      Multi("dxcc:2:everyband foreign areas=k/ve/ja/ua9 80m=4"),
      Multi("rxnr:1:everyband initial except=nm"),
      Multi("rxnr:1:everyband letters"),
  };
  const Row rows[] = {
      {0, "OH2ABC", "599", k80, 4},      // a country on 80 m weighs 4
      {0, "OH2ABC", "599", k40, 3},      // on 40 m 3
      {0, "OH2ABC", "599", k20, 2},      // elsewhere the rule's weight
      {0, "OH2XYZ", "599", k20, 0},
      {1, "K1ABC", "599", k20, 2},       // area K1
      {1, "W1XYZ", "599", k20, 0},       // W1 is area 1 too
      {1, "KA3ABC/1", "599", k20, 0},    // so is a station signing /1
      {1, "N2ABC", "599", k20, 2},       // area 2
      {1, "VO1ABC", "599", k20, 2},      // Canada, area 1
      {1, "JR4ABC", "599", k20, 2},      // JA4
      {1, "7K4ABC", "599", k20, 0},      // JA4 again
      {1, "UA9ABC", "599", k20, 2},      // Asiatic Russia area 9
      {1, "RA0ABC", "599", k20, 2},      // and area 0
      {1, "DL2ABC", "599", k20, 0},      // the own country is no multiplier
      {1, "OH2ABC", "599", k80, 4},      // a country not split, weighted on 80 m
      {2, "DL1ABC", "599/B36", k20, 1},  // DOK B36: district B
      {2, "DL2ABC", "599 B01", k20, 0},
      {2, "DL3ABC", "599/NM", k20, 0},   // a non-member sends NM: no district
      {2, "DL4ABC", "599/50A", k20, 0},  // no letter first: nothing
      {2, "DL5ABC", "599/Z99", k20, 1},
      {3, "OK1ABC", "599/BPZ", k20, 1},  // a district of letters
      {3, "OK2ABC", "599/001", k20, 0},  // a serial in its place is none
  };
  for (const Row& r : rows) {
    EXPECT_EQ(Log(*rules[r.rule], r.call, r.rx, r.band, kCw, ua), r.weight) << r.call << " " << r.rx;
  }
}

TEST_F(MultiRuleTest, RussianOblastFromTheCall) {
  auto r = Multi("rfobl:1:everyband");
  EXPECT_EQ(Log(*r, test::RussianCallInBlock(30), "599", k20, kCw, ctx_), 1);
  EXPECT_EQ(Log(*r, test::RussianCallInBlock(30), "599", k20, kCw, ctx_), 0);
  EXPECT_EQ(Log(*r, "DL1ABC", "599", k20, kCw, ctx_), 0);
  EXPECT_TRUE(r->Keys(k20, kCw)->Contains("B30"));
}

TEST(KeyList, SortedWithoutDuplicates) {
  KeyList keys;
  for (auto k : {"UA", "DL", "K", "DL", "9A"}) keys.Insert(k);
  ASSERT_EQ(keys.Size(), 4u);
  EXPECT_EQ(keys[0], "9A");
  EXPECT_EQ(keys[1], "DL");
  EXPECT_EQ(keys[3], "UA");
  EXPECT_TRUE(keys.Contains("K"));
  EXPECT_FALSE(keys.Contains("D"));
}

}  // namespace
}  // namespace vk
