// The Ermak-format report: which report a contest gets, what a chosen group gives, the header
// lines that depend on it, the operator lines in Windows-1251, and the whole file for a short
// Russian Championship log.
#include "reports/ermak_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_fixture.h"
#include "util/strings.h"

namespace vk {
namespace {

using test::At;
using test::CrLfLines;
using test::Qso;
using test::ReadWhole;
using test::ShippedContestReport;

std::string Cp866(const char* utf8) {
  return Utf8ToCp866(utf8);
}

// The header lines between CALLSIGN: and LOCATION:, the part the group and operators decide.
std::vector<std::string> GroupLines(const ErmakReportData& data, Mode mode) {
  TLogCollection log;
  std::string text = ErmakReportText(data, log, mode);
  std::vector<std::string> lines;
  std::size_t pos = text.find("CATEGORY-OPERATOR");
  std::size_t end = text.find("LOCATION: ");
  while (pos < end) {
    std::size_t eol = text.find("\r\n", pos);
    lines.push_back(text.substr(pos, eol - pos));
    pos = eol + 2;
  }
  return lines;
}

TEST(ErmakReport, ListTextsInCp866) {
  EXPECT_EQ(kErmakCheckGroupName, Cp866("Отчет для контроля"));
  EXPECT_EQ(kErmakRankItems[0], Cp866(" нет"));
  EXPECT_EQ(kErmakRankItems[4], Cp866(" КМС"));
  EXPECT_EQ(kErmakRankItems[5], Cp866("  МС"));
  EXPECT_EQ(kErmakRankItems[6], Cp866("МСМК"));
}

TEST(ErmakReport, GroupSelection) {
  std::vector<ErmakGroup> groups = {
      {std::string(kErmakCheckGroupName), {{"OPERATOR", "CHECKLOG"}, {"BAND", "ALL"}}},
      {"Multi", {{"OPERATOR", "MULTI-OP"}, {"BAND", "ALL"}, {"MODE", "CW"}}},
      {"Two", {{"OPERATOR", "MULTI-OP-2"}, {"POWER", "LOW"}, {"OVERLAY", "ROOKIE"}}},
      {"NoOperator", {{"BAND", "20M"}, {"STATION", "FIXED"}}},
      {"Odd", {{"OPERATOR", "SINGLE-OP"}, {"OPERATOR", "SINGLE-OP-QRP"}}},
      // The same name twice: the later group's items replace the earlier ones.
      {"Twice", {{"OPERATOR", "SINGLE-OP"}, {"BAND", "40M"}}},
      {"Twice", {{"BAND", "80M"}}},
      {"  Spaced ", {{"OPERATOR", "MULTI-OP"}}},
  };
  struct Case {
    const char* name;
    ErmakCategories categories;
    int count;
  } cases[] = {
      {"Multi", {"MULTI-OP", "ALL", "CW", "", "", ""}, 3},
      {"Two", {"MULTI-OP-2", "", "", "LOW", "", "ROOKIE"}, 2},
      {"NoOperator", {"", "20M", "", "", "FIXED", ""}, 0},
      // An operator category the count does not know leaves the count an earlier one set.
      {"Odd", {"SINGLE-OP-QRP", "", "", "", "", ""}, 1},
      {" Twice  ", {"SINGLE-OP", "80M", "", "", "", ""}, 1},
      // Picked from the list as shown, the group with spaces around its name still counts.
      {"  Spaced ", {"MULTI-OP", "", "", "", "", ""}, 3},
      {"Spaced", {"MULTI-OP", "", "", "", "", ""}, 3},
      {"Nothing", {}, 0},
  };
  for (const auto& c : cases) {
    ErmakSelection sel = SelectErmakGroup(groups, c.name);
    EXPECT_EQ(sel.categories, c.categories) << c.name;
    EXPECT_EQ(sel.operatorCount, c.count) << c.name;
  }
  ErmakSelection check = SelectErmakGroup(groups, kErmakCheckGroupName);
  EXPECT_EQ(check.categories, (ErmakCategories{"CHECKLOG", "ALL", "", "", "", ""}));
  EXPECT_EQ(check.operatorCount, 1);
}

TEST(ErmakReport, YearOfBirth) {
  EXPECT_EQ(ErmakYearOfBirth("1970"), 1970);
  EXPECT_EQ(ErmakYearOfBirth(" 1985"), 1985);
  EXPECT_EQ(ErmakYearOfBirth(""), kErmakNoYear);
  EXPECT_EQ(ErmakYearOfBirth("19 0"), kErmakNoYear);
  EXPECT_EQ(ErmakYearOfBirth("-5"), kErmakNoYear);
  EXPECT_EQ(ErmakYearOfBirth("70000"), kErmakNoYear);
}

TEST(ErmakReport, ModeLine) {
  ErmakReportData data;
  data.call = "RA3ABC";
  data.categories.mode = ":MODE:";
  EXPECT_EQ(
      GroupLines(data, Mode::kCw),
      (std::vector<std::string>{"CATEGORY-OPERATOR: ", "CATEGORY-BAND: ", "CATEGORY-MODE: CW"}));
  EXPECT_EQ(GroupLines(data, Mode::kPhone)[2], "CATEGORY-MODE: SSB");
  EXPECT_EQ(GroupLines(data, Mode::kFm).size(), 2u);  // FM: no mode line at all
  EXPECT_EQ(GroupLines(data, Mode::kRtty).size(), 2u);
  data.categories.mode = "MIXED";
  EXPECT_EQ(GroupLines(data, Mode::kFm)[2], "CATEGORY-MODE: MIXED");
  data.categories.mode = "";
  EXPECT_EQ(GroupLines(data, Mode::kCw).size(), 2u);
}

// Only the operator lines are Windows-1251; an operator without a surname gets none; an
// unknown year of birth is left empty.
TEST(ErmakReport, OperatorLines) {
  ErmakReportData data;
  data.call = "RA3ABC";
  ApplyErmakGroup(data, ErmakSelection{{"MULTI-OP", "ALL", "", "HIGH", "FIXED", "CLASSIC"}, 3});
  ASSERT_EQ(data.operators.size(), 3u);
  data.operators[0] = {Cp866("Иванов"),
                       Cp866("Иван"),
                       Cp866("Иванович"),
                       1970,
                       std::string(kErmakRankItems[4]),
                       "RA3ABC",
                       "1"};
  data.operators[1] = {"", "Petr", "Petrovich", 1980, "  2 ", "RA3DEF", "2"};
  data.operators[2].surname = "Sidorov";
  data.operators[2].yearOfBirth = ErmakYearOfBirth("");
  data.name = Cp866("Иванов");
  EXPECT_EQ(GroupLines(data, Mode::kCw),
            (std::vector<std::string>{
                "CATEGORY-OPERATOR: MULTI-OP", "CATEGORY-BAND: ALL", "CATEGORY-POWER: HIGH",
                "CATEGORY-STATION: FIXED", "CATEGORY-OVERLAY: CLASSIC",
                "OPERATORS: \xC8\xE2\xE0\xED\xEE\xE2, \xC8\xE2\xE0\xED, "
                "\xC8\xE2\xE0\xED\xEE\xE2\xE8\xF7, 1970,  \xCA\xCC\xD1, RA3ABC, 1",
                "OPERATORS: Sidorov, , , ,  \xED\xE5\xF2, , 4"}));
  TLogCollection log;
  EXPECT_NE(ErmakReportText(data, log, Mode::kCw).find("\r\nNAME: " + Cp866("Иванов") + "\r\n"),
            std::string::npos);
}

TEST(ErmakReport, WhichReport) {
  TTreeRules rules;
  EXPECT_EQ(ChooseReport(rules), ReportKind::kCabrillo);
  std::vector<ErmakGroup> groups = ErmakReportGroups(rules);
  ASSERT_EQ(groups.size(), 1u);
  EXPECT_EQ(groups[0].name, kErmakCheckGroupName);
  rules.ErmakGroups().push_back({"One", {{"OPERATOR", "SINGLE-OP"}}});
  EXPECT_EQ(ChooseReport(rules), ReportKind::kErmak);
  groups = ErmakReportGroups(rules);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[1].name, "One");
}

// The Russian HF Championship from Moscow, three operators' group: the whole file.
TEST_F(ShippedContestReport, RussianChampionshipErmakReport) {
  Load("RF-CHAMP-CW", "RA3ABC");
  ASSERT_EQ(ChooseReport(tree_), ReportKind::kErmak);
  Log(At(16, 17, 5), 18305, Mode::kCw, "RA1AAA", "1/001");
  Log(At(16, 17, 20), 35255, Mode::kCw, "RA0FAA", "6/010");
  Log(At(17, 5, 20), 140300, Mode::kCw, "UA0KAA", "7/012");

  const std::vector<ErmakGroup> groups = ErmakReportGroups(tree_);
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(groups[0].name, kErmakCheckGroupName);
  EXPECT_EQ(groups[3].name, Cp866("Несколько операторов, оба тура"));

  ErmakReportData data = DefaultErmakReport(tree_, "RA3ABC");
  ApplyErmakGroup(data, SelectErmakGroup(groups, "  " + groups[3].name));
  ASSERT_EQ(data.operators.size(), 3u);
  data.operators[0] = {"Ivanov", "Ivan", "Ivanovich", 1970, "  1 ", "RA3ABC", "2"};
  data.operators[1] = {
      "Petrov", "Petr", "Petrovich", ErmakYearOfBirth("1991"), std::string(kErmakRankItems[0]),
      "RA3DEF", "4"};
  data.club = " Moscow DX Club ";
  data.email = "ra3abc@example.org";
  data.name = "Ivan Ivanov";
  data.address1 = "Moscow";
  data.soapbox = "73!";
  ASSERT_TRUE(WriteErmakReport(data, log_, Mode::kCw, dir_.Path()));
  EXPECT_EQ(ReadWhole(dir_.File("RA3ABC.cbr")),
            CrLfLines({
                "START-OF-LOG: 3.0",
                "CREATED-BY: VORKAN ver-4.0.19-8 https://vorkan.example.org/",
                "CONTEST: RF-CHAMP-CW",
                "CALLSIGN: RA3ABC",
                "CATEGORY-OPERATOR: MULTI-OP",
                "CATEGORY-BAND: ALL",
                "CATEGORY-MODE: CW",
                "OPERATORS: Ivanov, Ivan, Ivanovich, 1970,   1 , RA3ABC, 2",
                "OPERATORS: Petrov, Petr, Petrovich, 1991,  \xED\xE5\xF2, RA3DEF, 4",
                "LOCATION: ",
                "CLUB: Moscow DX Club",
                "EMAIL: ra3abc@example.org",
                "NAME: Ivan Ivanov",
                "ADDRESS: Moscow",
                "ADDRESS: ",
                "SOAPBOX: 73!",
                "QSO:  1830 CW 2024-03-16 1705 RA3ABC        2 001       RA1AAA        1 001      ",
                "QSO:  3525 CW 2024-03-16 1720 RA3ABC        2 002       RA0FAA        6 010      ",
                "QSO: 14030 CW 2024-03-17 0520 RA3ABC        2 003       UA0KAA        7 012      ",
                "END-OF-LOG:",
                "web - https://vorkan.example.org/forum",
            }));
}

// The check-log group for a contest with groups: one operator, CHECKLOG on all bands.
TEST_F(ShippedContestReport, CheckLogGroup) {
  Load("RF-CHAMP-CW", "RA3ABC");
  ErmakReportData data = DefaultErmakReport(tree_, "RA3ABC");
  ApplyErmakGroup(data, SelectErmakGroup(ErmakReportGroups(tree_), kErmakCheckGroupName));
  EXPECT_EQ(data.operators.size(), 1u);
  EXPECT_EQ(GroupLines(data, Mode::kCw),
            (std::vector<std::string>{"CATEGORY-OPERATOR: CHECKLOG", "CATEGORY-BAND: ALL"}));
}

}  // namespace
}  // namespace vk
