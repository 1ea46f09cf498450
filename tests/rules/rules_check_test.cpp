// The rules check: each slip of a contest's author found at its line, the shipped files clean,
// and a contest that fails not loaded at all.
#include <gtest/gtest.h>

#include "rules/rules_check.h"
#include "rules_fixture.h"

namespace vk::test {
namespace {

constexpr const char* kHead = "<band>20 40</band>\n<mode>cw</mode>\n<repqso>band</repqso>\n";

std::vector<RulesProblem> CheckBody(const TempDir& dir, const std::string& body) {
  dir.Write("c.xml", OneContest(std::string(kHead) + body));
  return CheckRulesFile(dir.File("c.xml"), &Lists());
}

TEST(RulesCheck, EachSlipIsFoundAtItsLine) {
  // The body starts at line 6: two lines of head, three of kHead.
  struct Case {
    const char* body;
    int line;
    const char* message;
  } const cases[] = {
      {"<multi>wpx</multi>", 6, "needs a weight"},
      {"<multi>prefix:1</multi>", 6, "unknown multiplier kind \"prefix\""},
      {"<multi>dxcc:x</multi>", 6, "weight \"x\""},
      {"<multi>dxcc:1:everybnd</multi>", 6, "unknown condition \"everybnd\""},
      {"<scoremycnt>3</scoremycnt>", 6, "unknown element <scoremycnt>"},
      {"<score>three</score>", 6, "not a whole number"},
      {"<score>@@rfcupp</score>", 6, "unknown computed score"},
      {"<scoredxcc>10</scoredxcc>", 6, "needs points, \"##\""},
      {"<scoredxcc>10##ua,qq9</scoredxcc>", 6, "\"qq9\", which is no primary prefix"},
      {"<country prefixes=\"DL,QQ\"><score>1</score></country>", 6, "\"QQ\""},
      {"<continent codes=\"EU,EA\"/>", 6, "unknown continent \"EA\""},
      {"<scoretotal>scoremul</scoretotal>", 6, "unknown total formula"},
      {"\n<timepr>25:00-26:00</timepr>", 7, "not hh:mm-hh:mm"},
      {"<txnr>serial</txnr>", 6, "unknown exchange item"},
      {"<timezone>three</timezone>", 6, "time zone"},
      {"<rxupdate>yes</rxupdate>", 6, "0 or 1"},
      {"<score>1</score>\n<scoremycont>3</scoremycont>", 7, "never reached: the rule at line 6"},
      {"<score>2:80m</score>", 6, "no such band"},
      {"<multi>dxcc:1:ph</multi>", 6, "no mode ph"},
      {"<multi>domestic:1</multi>", 6, "without a <domestic> list"},
      {"<domestic file=\"nothere.dat\"/>", 6, "nothere.dat is missing"},
      {"<exchange>nr sect sect</exchange>", 6, "twice"},
      {"<exchange>nr prec</exchange><multi>field.sect:1</multi>", 6, "not declared"},
      {"<countries>arrl</countries>", 6, "dxcc or world"},
      {"<multi>dxcc:2:everyband 80m=x</multi>", 6, "band weight \"80m=x\""},
      {"<multi>dxcc:2:everyband areas=k/qq</multi>", 6, "areas= names \"qq\""},
      {"<multi>dxcc:2:everyband weight=3</multi>", 6, "unknown condition \"weight=3\""},
      {"<exchange required=\"some\">nr prec</exchange>", 6, "the only value is \"all\""},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const auto problems = CheckBody(dir, c.body);
    ASSERT_FALSE(problems.empty()) << c.body;
    EXPECT_EQ(problems.front().line, c.line) << c.body;
    EXPECT_NE(problems.front().message.find(c.message), std::string::npos)
        << c.body << " -> " << problems.front().message;
  }
  // The file's own form.
  dir.Write("x.xml", "<contest_rules t=\"T\">\n<c name=\"A\" d=\"A\">\n<band>20</b>\n");
  auto p = CheckRulesFile(dir.File("x.xml"));
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(FormatProblem(p[0]).substr(0, dir.File("x.xml").size() + 3), dir.File("x.xml") + ":3:");
  dir.Write("y.xml", "<rules><c name=\"A\"/></rules>");
  EXPECT_NE(CheckRulesFile(dir.File("y.xml")).at(0).message.find("contest_rules"),
            std::string::npos);
  dir.Write("z.xml", "<contest_rules t=\"T\"><c name=\"A\" d=\"A\"><band>20</band></c></contest_rules>");
  EXPECT_EQ(CheckRulesFile(dir.File("z.xml")).size(), 2u);  // no mode, no repeat rule
}

TEST(RulesCheck, ShippedFilesAreClean) {
  std::size_t files = 0;
  for (const auto& e : std::filesystem::directory_iterator(VORKAN_SOURCE_DIR "/data")) {
    if (e.path().extension() != ".xml") continue;
    ++files;
    for (const RulesProblem& p : CheckRulesFile(e.path().string(), &Lists()))
      ADD_FAILURE() << FormatProblem(p);
    // The head names the sponsor's rules and what the language cannot express there.
    const std::string text = ReadFile(e.path().string());
    const std::string head = text.substr(0, text.find("-->"));
    EXPECT_NE(head.find("Sponsor's rules:"), std::string::npos) << e.path();
    EXPECT_NE(head.find("cannot express"), std::string::npos) << e.path();
  }
  EXPECT_GE(files, 8u);
}

TEST_F(RulesTest, AContestThatFailsIsNotLoaded) {
  tree_.SetOwnCall("DL1ABC");
  data_.Write("test.xml", OneContest(std::string(kHead) + "<multi>wpx</multi>"));
  const Status s = LoadContest(tree_, ContestList::Build(data_.Path()), "TEST");
  EXPECT_EQ(s.code, ErrCode::kBadInput);
  EXPECT_EQ(s.message.substr(0, data_.File("test.xml").size() + 3), data_.File("test.xml") + ":6:");
  EXPECT_TRUE(tree_.Nodes().empty());
  // Another contest of the same file is judged on its own elements.
  data_.Write("test.xml", "<contest_rules t=\"T\"><c name=\"GOOD\" d=\"G\">" + std::string(kHead) +
                              "<score>1</score></c><c name=\"BAD\" d=\"B\"/></contest_rules>");
  EXPECT_TRUE(LoadContest(tree_, ContestList::Build(data_.Path()), "GOOD").ok());
}

}  // namespace
}  // namespace vk::test
