// Reading rules files: keywords into settings and nodes, side lists, what a load resets, and
// files that are wrong in every way we could think of.
#include <algorithm>

#include "rules_fixture.h"
#include "score/multi_rule.h"
#include "score/score_rule.h"

namespace vk::test {
namespace {

using RulesLoader = RulesTest;

int CountKind(const RuleList& list, NodeKind kind) {
  int n = 0;
  for (const auto& node : list) {
    if (node->Kind() == kind) ++n;
    if (node->Kind() == NodeKind::kSelector)
      n += CountKind(static_cast<const SelectorRule&>(*node).Children(), kind);
  }
  return n;
}

TEST_F(RulesLoader, SettingsOfTheKeywordTable) {
  ASSERT_TRUE(Load("<band>160 10</band><mode>cw/ph</mode><repqso>bandmode</repqso>"
                   "<scoretotal>scoremulmulti</scoretotal><cabrilioname>cq-ww-cw</cabrilioname>"
                   "<timezone>3</timezone><rxmask>###</rxmask><rxupdate>1</rxupdate>")
                  .ok());
  const ContestSettings& s = tree_.Settings();
  std::array<bool, 10> bands{};
  bands[1] = bands[6] = true;
  EXPECT_EQ(s.bands, bands);
  EXPECT_TRUE(s.modes[1] && s.modes[2] && !s.modes[3]);
  EXPECT_TRUE(s.modeChoice);
  EXPECT_EQ(s.repeat.mode, kRepeatBandMode);
  EXPECT_EQ(s.scoreTotal, kTotalMulMulti);
  EXPECT_EQ(s.cabrilloName, "CQ-WW-CW");
  EXPECT_EQ(s.timeZone, -3);
  EXPECT_EQ(s.rxMask, "###");
  EXPECT_EQ(s.rxUpdate, 1);
}

TEST_F(RulesLoader, UnreadableNumbersTakeTheirDefaults) {
  ASSERT_TRUE(Load("<timezone>utc</timezone><rxupdate>yes</rxupdate>"
                   "<scoretotal>sum</scoretotal><timezone>99999999999</timezone>")
                  .ok());
  EXPECT_EQ(tree_.Settings().timeZone, 0);
  EXPECT_EQ(tree_.Settings().rxUpdate, 255);
  EXPECT_EQ(tree_.Settings().scoreTotal, kTotalPlain);
}

TEST_F(RulesLoader, UpperCaseNamesAndTextReadLikeLowerCase) {
  ASSERT_TRUE(Load("<BAND>40</BAND><Mode>CW</Mode><SCORE>3:20M CW</SCORE>"
                   "<MULTI Caption=\"Oblasts\">DOMESTIC:1</MULTI>")
                  .ok());
  EXPECT_TRUE(tree_.Settings().bands[3]);
  EXPECT_TRUE(tree_.Settings().modes[1]);
  ASSERT_EQ(tree_.Nodes().size(), 2u);
  auto& score = static_cast<const ScoreRule&>(*tree_.Nodes()[0]);
  EXPECT_EQ(score.Points(), 3);
  EXPECT_EQ(score.BandCondition(), 4);
  EXPECT_EQ(score.ModeCondition(), Mode::kCw);
  auto& multi = static_cast<const MultiRule&>(*tree_.Nodes()[1]);
  EXPECT_EQ(multi.Caption(), "Oblasts");  // attribute values keep their case
}

TEST_F(RulesLoader, TwoContestElementsOfOneNameAddUp) {
  data_.Write("two.xml",
              "<contest_rules title=\"T\"><a name=\"TWO\"><score>1</score></a>"
              "<b name=\"OTHER\"><score>9</score></b>"
              "<c name=\"TWO\"><txnr>rst</txnr><multi>dxcc:1</multi></c></contest_rules>");
  tree_.SetOwnCall("DL1ABC");
  ASSERT_TRUE(LoadContest(tree_, ContestList::Build(data_.Path()), "TWO", RulesCheck::kTolerant).ok());
  ASSERT_EQ(tree_.Nodes().size(), 3u);
  EXPECT_EQ(tree_.Nodes()[0]->Kind(), NodeKind::kScore);
  EXPECT_EQ(tree_.Nodes()[1]->Kind(), NodeKind::kTxItem);
  EXPECT_EQ(tree_.Nodes()[2]->Kind(), NodeKind::kMulti);
}

TEST_F(RulesLoader, LoadsAppendToTheTree) {
  ASSERT_TRUE(Load("<score>1</score>").ok());
  ASSERT_TRUE(Load("<score>2</score>").ok());
  EXPECT_EQ(tree_.Nodes().size(), 2u);
}

TEST_F(RulesLoader, MultiplierTextsThatAppendNothing) {
  ASSERT_TRUE(Load("<multi>dxcc</multi><multi>sunspots:1</multi><bonus>newcall:10</bonus>"
                   "<multi>wpx:1</multi>")
                  .ok());
  EXPECT_EQ(CountKind(tree_.Nodes(), NodeKind::kMulti), 1);
  EXPECT_EQ(CountKind(tree_.Nodes(), NodeKind::kBonus), 1);
  auto lines = JournalLines();
  auto keyLines = std::count_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("MULTI: key:", 0) == 0;
  });
  EXPECT_EQ(keyLines, 4);  // one line per element, whether it appended a rule or not
  EXPECT_NE(std::find(lines.begin(), lines.end(), "MULTI: key:bonus Value:newcall:10"),
            lines.end());
}

TEST_F(RulesLoader, SelectorChildrenAndStrayText) {
  ASSERT_TRUE(Load("text between rules<country list=\"UA\">more text<score>1</score>"
                   "<continent list=\"EU\"><multi>dxcc:1</multi></continent></country>"
                   "<!-- a comment --><?pi data?><member/>")
                  .ok());
  ASSERT_EQ(tree_.Nodes().size(), 2u);
  auto& country = static_cast<const SelectorRule&>(*tree_.Nodes()[0]);
  EXPECT_EQ(country.List(), "UA");
  ASSERT_EQ(country.Children().size(), 2u);
  EXPECT_EQ(country.Children()[1]->Kind(), NodeKind::kSelector);
  EXPECT_EQ(tree_.Settings().lastSelectorList, "EU");
}

TEST_F(RulesLoader, EmptyAndUnknownElementsAreHarmless) {
  ASSERT_TRUE(Load("<score/><multi/><txnr/><band/><timepr/><repqso/><procedure/><country/>"
                   "<rxcorrect/><domestic/><ermak/><frobnicate>7</frobnicate><scoredxcc/>")
                  .ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", 4, Mode::kCw), 65535);  // an empty score reads as -1
  EXPECT_EQ(tree_.GetTxNr("DL1ABC"), "");
  EXPECT_EQ(tree_.Settings().repeat.periodCount, 1);
  EXPECT_EQ(tree_.Settings().txItemCount, 1);
}

TEST_F(RulesLoader, AbsurdNumbersAreCut) {
  ASSERT_TRUE(Load("<score>99999999999999999999999</score><multi>dxcc:300:everyband</multi>"
                   "<rxupdate>-7</rxupdate><repqso>everyqso:100000</repqso>")
                  .ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", 4, Mode::kCw), 65535);
  EXPECT_EQ(tree_.GetMulti("K1AR", "599 05", 4, Mode::kCw, true), 300 & 0xFF);
  EXPECT_EQ(tree_.Settings().rxUpdate, static_cast<std::uint8_t>(-7));
}

TEST_F(RulesLoader, TimePeriods) {
  ASSERT_TRUE(Load("<timepr>17:00-20:59</timepr><timepr>5:00-08:59</timepr>"
                   "<timepr>noon</timepr><timepr>10:00-25:00</timepr>")
                  .ok());
  const RepeatSettings& r = tree_.Settings().repeat;
  EXPECT_EQ(r.periodCount, 4);
  EXPECT_DOUBLE_EQ(r.periods[0].start, 17.0 / 24);
  EXPECT_DOUBLE_EQ(r.periods[0].end, (20 * 60 + 59) / 1440.0);
  EXPECT_DOUBLE_EQ(r.periods[1].start, 5.0 / 24);
  EXPECT_EQ(PeriodOfTime(r, 18.0 / 24), 1);
  EXPECT_EQ(PeriodOfTime(r, 12.0 / 24), 0);  // unreadable periods hold nothing
  EXPECT_EQ(PeriodOfTime(r, 0.0), 0);
}

TEST_F(RulesLoader, TenThousandPeriodsFillSixteenSlots) {
  std::string body;
  for (int i = 0; i < 10000; ++i) body += "<timepr>10:00-11:00</timepr>";
  ASSERT_TRUE(Load(body).ok());
  const RepeatSettings& r = tree_.Settings().repeat;
  EXPECT_GE(r.periodCount, kMaxTimePeriods);
  EXPECT_EQ(PeriodOfTime(r, 10.5 / 24), 1);
}

TEST_F(RulesLoader, LoadResetsPeriodsCaptionAndCounts) {
  ASSERT_TRUE(Load("<procedure caption=\"Zone\"/><timepr>10:00-11:00</timepr>"
                   "<txnr>rst</txnr><mode>cw/ph</mode><country list=\"UA\"/><band>20</band>")
                  .ok());
  ASSERT_TRUE(Load("<repqso>band</repqso>").ok());
  const ContestSettings& s = tree_.Settings();
  EXPECT_EQ(s.repeat.periodCount, 0);
  EXPECT_EQ(s.repeat.periods[0].end, 0.0);
  EXPECT_EQ(s.caption, "");
  EXPECT_EQ(s.txItemCount, 0);
  EXPECT_FALSE(s.modeChoice);
  EXPECT_EQ(s.lastSelectorList, "");
  EXPECT_TRUE(s.bands[4]);  // everything else keeps its value
}

// The country list is the contest's own: a contest without <countries> counts the world
// file's list even after one that counted the DXCC list.
TEST_F(RulesLoader, CountryListIsSetPerLoad) {
  ASSERT_TRUE(Load("<countries>DXCC</countries>").ok());
  EXPECT_TRUE(tree_.Context().DxccCountries());
  ASSERT_TRUE(Load("<repqso>band</repqso>").ok());
  EXPECT_FALSE(tree_.Context().DxccCountries());
  ASSERT_TRUE(Load("<countries>wae</countries>").ok());
  EXPECT_FALSE(tree_.Context().DxccCountries());
}

TEST_F(RulesLoader, CaptionFromProcedureInCp866) {
  // "Зона" in Windows-1251.
  ASSERT_TRUE(Load("<procedure caption=\"\xC7\xEE\xED\xE0\">x</procedure>").ok());
  EXPECT_EQ(tree_.Settings().caption, "\x87\xAE\xAD\xA0");
  ASSERT_TRUE(Load("<procedure caption=\"A very long caption of the exchange\"/>").ok());
  EXPECT_EQ(tree_.Settings().caption, "A very long caption ");
}

TEST_F(RulesLoader, CaptionFromTxItems) {
  // The first item under a branch of the own country (or "*") names the field; zone and
  // constant items always do.
  ASSERT_TRUE(Load("<txnr cap=\"Top\">rst</txnr><country list=\"UA\"><txnr cap=\"Ua\">rst</txnr>"
                   "</country><country list=\"K,DL\"><txnr cap=\"Mine\">rst</txnr>"
                   "<txnr cap=\"Later\">qsonr</txnr></country>")
                  .ok());
  EXPECT_EQ(tree_.Settings().caption, "Mine");
  ASSERT_TRUE(Load("<country list=\"*\"><txnr cap=\"Any\">rst</txnr></country>"
                   "<txnr cap=\"Zone\">zonecq</txnr>")
                  .ok());
  EXPECT_EQ(tree_.Settings().caption, "Zone");
  EXPECT_EQ(tree_.Settings().txItemCount, 2);
}

TEST_F(RulesLoader, DomesticEntries) {
  ASSERT_TRUE(Load("<domestic><item>ma</item><ITEMS>mo, sp,,le,</ITEMS><item/><other>x</other>"
                   "</domestic><multi cap=\"Obl\">domestic:1</multi>")
                  .ok());
  EXPECT_EQ(tree_.Context().Domestic(), (std::vector<std::string>{"MA", "MO", "SP", "LE"}));
  EXPECT_EQ(tree_.GetMulti("RA3AUU", "599 MO", 4, Mode::kCw, true), 1);
  EXPECT_EQ(tree_.GetMulti("RA3AUX", "599 MO", 4, Mode::kCw, true), 0);
  EXPECT_EQ(tree_.GetMulti("RA3AUX", "599 ZZ", 4, Mode::kCw, true), 0);  // not an entry
}

TEST_F(RulesLoader, ErmakGroups) {
  ASSERT_TRUE(Load("<ermak><operator>stray</operator>"
                   "<ermakgroup name=\"\xCE\xE4\xE8\xED\"><operator>single</operator>"
                   "<band>all</band><power>high</power></ermakgroup>"
                   "<ERMAKGROUP name=\"Two\"><MODE>cw</MODE><station>fixed</station>"
                   "<colour>red</colour></ERMAKGROUP></ermak>")
                  .ok());
  const auto& groups = tree_.ErmakGroups();
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].name, "\x8E\xA4\xA8\xAD");  // "Один" in CP866
  EXPECT_EQ(groups[0].conditions, (std::vector<ErmakCondition>{
                                      {"OPERATOR", "SINGLE"}, {"BAND", "ALL"}, {"POWER", "HIGH"}}));
  EXPECT_EQ(groups[1].conditions,
            (std::vector<ErmakCondition>{{"MODE", "CW"}, {"STATION", "FIXED"}}));
}

TEST_F(RulesLoader, MalformedFileKeepsWhatCameBefore) {
  Status st = Load("<score>2</score>\n<multi>dxcc:1</multi>\n<band>20</bnd>\n<score>5</score>");
  EXPECT_EQ(st.code, ErrCode::kBadInput);
  EXPECT_EQ(st.file, data_.File("test.xml"));
  EXPECT_EQ(st.line, 5);
  EXPECT_EQ(tree_.GetScore("K1AR", "", 4, Mode::kCw), 2);
  EXPECT_EQ(tree_.GetMulti("K1AR", "", 4, Mode::kCw, false), 1);
  auto lines = JournalLines();
  auto err = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("XML error in") != std::string::npos;
  });
  ASSERT_NE(err, lines.end());
  EXPECT_NE(err->find("test.xml at offset "), std::string::npos);
}

TEST_F(RulesLoader, GarbageFileLoadsNothing) {
  data_.Write("test.xml", "\x01\x02 not xml at all <<<");
  tree_.SetOwnCall("DL1ABC");
  Status st = LoadContest(tree_, ContestList::Build(data_.Path()), "TEST");
  EXPECT_FALSE(st.ok());
  EXPECT_TRUE(tree_.Nodes().empty());
}

TEST_F(RulesLoader, DeepNestingIsCutNotFatal) {
  std::string body;
  for (int i = 0; i < 5000; ++i) body += "<country list=\"*\">";
  body += "<score>1</score>";
  for (int i = 0; i < 5000; ++i) body += "</country>";
  ASSERT_TRUE(Load(body).ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", 4, Mode::kCw), 0);
  EXPECT_EQ(tree_.GetTxNr("K1AR"), "");
}

TEST_F(RulesLoader, NothingLoadedForUnknownOwnCallOrContest) {
  EXPECT_EQ(Load("<score>1</score>", "QQ1QQ").code, ErrCode::kNotFound);
  EXPECT_TRUE(tree_.Nodes().empty());
  tree_.SetOwnCall("DL1ABC");
  EXPECT_EQ(LoadContest(tree_, ContestList::Build(data_.Path()), "NO-SUCH").code,
            ErrCode::kNotFound);
  EXPECT_TRUE(tree_.Nodes().empty());
  EXPECT_EQ(LoadContest(tree_, ContestList::Build(data_.Path() + "/missing"), "TEST").code,
            ErrCode::kNotFound);
}

TEST_F(RulesLoader, EmptyOwnCallLoadsAnyway) {
  ASSERT_TRUE(Load("<score>1</score>", "").ok());
  EXPECT_EQ(tree_.Nodes().size(), 1u);
}

TEST_F(RulesLoader, LastFileInListOrderHoldsTheContest) {
  data_.Write("a.xml", "<contest_rules t=\"A\"><c name=\"X\"><score>1</score></c></contest_rules>");
  data_.Write("b.xml", "<contest_rules t=\"B\"><c name=\"X\"><score>2</score></c></contest_rules>");
  data_.Write("contest.xml",
              "<contest_rules t=\"W\"><c name=\"X\"><score>3</score></c></contest_rules>");
  ContestList list = ContestList::Build(data_.Path());
  EXPECT_EQ(list.FindContestFile("X"), "b.xml");
  tree_.SetOwnCall("DL1ABC");
  ASSERT_TRUE(LoadContest(tree_, list, "X", RulesCheck::kTolerant).ok());
  EXPECT_EQ(tree_.GetScore("K1AR", "", 4, Mode::kCw), 2);
}

}  // namespace
}  // namespace vk::test
