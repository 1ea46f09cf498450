// The Cabrillo report: the whole file for an empty log and for short logs of shipped
// contests, the categories as the lists offer them, and the contest names a rules keyword
// offers.
#include "reports/cabrillo_report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "report_fixture.h"
#include "reports/report_file.h"
#include "util/strings.h"

namespace vk {
namespace {

using test::At;
using test::CrLfLines;
using test::ReadWhole;
using test::ShippedContestReport;

const std::string kCreatedBy = "CREATED-BY: VORKAN 4.0.19-8";

TEST(CabrilloReport, EmptyLogHasHeaderAndEnd) {
  CabrilloReportData data;
  data.contest = "CQ-WW-CW";
  data.call = "N0CALL";
  TLogCollection log;
  EXPECT_EQ(CabrilloReportText(data, log), CrLfLines({
                                               "START-OF-LOG: 3.0",
                                               kCreatedBy,
                                               "CONTEST: CQ-WW-CW",
                                               "CALLSIGN: N0CALL",
                                               "CATEGORY-OPERATOR: SINGLE-OP",
                                               "CATEGORY-BAND: ALL",
                                               "CATEGORY-MODE: CW",
                                               "CATEGORY-POWER: HIGH",
                                               "CATEGORY-STATION: FIXED",
                                               "CATEGORY-ASSISTED: NON-ASSISTED",
                                               "CATEGORY-TRANSMITTER: ONE",
                                               "CLAIMED-SCORE: ",
                                               "OPERATORS: N0CALL",
                                               "LOCATION: ",
                                               "CLUB: ",
                                               "EMAIL: ",
                                               "NAME: ",
                                               "ADDRESS: ",
                                               "ADDRESS: ",
                                               "END-OF-LOG:",
                                           }));
}

// Every item of every list goes into the file without the padding the list shows it with.
TEST(CabrilloReport, CategoriesAreTrimmedListItems) {
  const ReportChoiceList lists[] = {
      kCategoryOperatorList, kCategoryBandList,     kCategoryModeList,       kCategoryPowerList,
      kCategoryStationList,  kCategoryAssistedList, kCategoryTransmitterList};
  const char* tags[] = {
      "CATEGORY-OPERATOR: ", "CATEGORY-BAND: ",     "CATEGORY-MODE: ",       "CATEGORY-POWER: ",
      "CATEGORY-STATION: ",  "CATEGORY-ASSISTED: ", "CATEGORY-TRANSMITTER: "};
  std::string CabrilloReportData::*fields[] = {
      &CabrilloReportData::categoryOperator,   &CabrilloReportData::categoryBand,
      &CabrilloReportData::categoryMode,       &CabrilloReportData::categoryPower,
      &CabrilloReportData::categoryStation,    &CabrilloReportData::categoryAssisted,
      &CabrilloReportData::categoryTransmitter};
  TLogCollection log;
  for (int l = 0; l < 7; ++l) {
    for (std::string_view item : lists[l].items) {
      CabrilloReportData data;
      data.call = "N0CALL";
      data.*fields[l] = std::string(item);
      std::string expected = std::string(tags[l]);
      expected += item.substr(item.find_first_not_of(' '));
      expected.erase(expected.find_last_not_of(' ') + 1);
      EXPECT_NE(CabrilloReportText(data, log).find("\r\n" + expected + "\r\n"), std::string::npos)
          << expected;
    }
  }
  EXPECT_EQ(kCategoryStationItems[4], "EXPEDITION");
  EXPECT_EQ(kCategoryTransmitterItems[0].size(), 9u);
  EXPECT_EQ(kCategoryStationItems[5].size(), 10u);
}

// The dialog's choices survive in the configuration file beside its other sections; a value
// no list offers is not taken back.
TEST(CabrilloReport, ChoicesKeptForTheNextReport) {
  test::ScratchDir dir;
  const std::string cfg = dir.File("vorkan.cfg");
  { std::ofstream(cfg) << "[Main]\r\nCall=DL1ABC\r\n"; }
  CabrilloReportData data;
  data.categoryOperator = std::string(kCategoryOperatorItems[1]);
  data.categoryStation = std::string(kCategoryStationItems[6]);
  data.name = "Hans Muster";
  data.address2 = "10115 Berlin";
  ASSERT_TRUE(KeepCabrilloChoices(data, cfg));
  CabrilloReportData again;
  RecallCabrilloChoices(again, cfg);
  EXPECT_EQ(again.categoryOperator, kCategoryOperatorItems[1]);
  EXPECT_EQ(again.categoryStation, kCategoryStationItems[6]);
  EXPECT_EQ(again.categoryAssisted, "NON-ASSISTED");
  EXPECT_EQ(again.name, "Hans Muster");
  EXPECT_EQ(again.address2, "10115 Berlin");
  EXPECT_NE(ReadWhole(cfg).find("[Main]\r\nCall=DL1ABC\r\n"), std::string::npos);

  // Written by hand: the lines the dialog has no room for go into the report.
  std::ofstream(cfg) << "[Cabrillo]\r\nOperator=MULTI-OP-2\r\nBand=40M\r\nClub=RCC\r\n"
                        "Email=dl1abc@example.org\r\nSoapbox=Great conditions on 15 m\r\n";
  CabrilloReportData edited;
  edited.call = "DL1ABC";
  RecallCabrilloChoices(edited, cfg);
  EXPECT_EQ(edited.categoryOperator, kCategoryOperatorItems[0]);
  EXPECT_EQ(edited.categoryBand, " 40M");
  const std::string text = CabrilloReportText(edited, TLogCollection{});
  EXPECT_NE(text.find("\r\nCLUB: RCC\r\nEMAIL: dl1abc@example.org\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSOAPBOX: Great conditions on 15 m\r\nEND-OF-LOG:"), std::string::npos);
}

// The station's cluster setting decides the assisted category over the kept choice.
TEST(CabrilloReport, AssistedFollowsTheClusterSetting) {
  test::ScratchDir dir;
  const std::string cfg = dir.File("vorkan.cfg");
  auto recall = [&](const char* cluster) {
    std::ofstream(cfg) << "[Cabrillo]\r\nAssisted=ASSISTED\r\n" << cluster;
    CabrilloReportData d;
    RecallCabrilloChoices(d, cfg);
    return Trim(d.categoryAssisted);
  };
  EXPECT_EQ(recall(""), "ASSISTED");  // no cluster section: the kept choice
  EXPECT_EQ(recall("[Cluster]\r\nHost=node.example\r\nAssisted=0\r\n"), "NON-ASSISTED");
  EXPECT_EQ(recall("[Cluster]\r\nHost=\r\nAssisted=1\r\n"), "NON-ASSISTED");
  std::ofstream(cfg) << "[Cluster]\r\nHost=node.example\r\n";
  CabrilloReportData d;
  RecallCabrilloChoices(d, cfg);
  EXPECT_EQ(Trim(d.categoryAssisted), "ASSISTED");
}

TEST(CabrilloReport, ContestNameParts) {
  EXPECT_EQ(ContestNameParts("CQ-WW-CW"), (std::vector<std::string>{"CQ-WW-CW"}));
  EXPECT_EQ(ContestNameParts("RDXC / RDXC-CW"), (std::vector<std::string>{"RDXC", "RDXC-CW"}));
  EXPECT_EQ(ContestNameParts(""), (std::vector<std::string>{""}));
  EXPECT_EQ(ContestNameParts("A/"), (std::vector<std::string>{"A", ""}));
}

// CQ WW CW from Moscow with the system's world country file: the exchange sent is the CQ zone
// the rules take from the own call, the received one is normalised by them.
TEST_F(ShippedContestReport, CqWwCwFromMoscow) {
  Load("CQ-WW-CW", "RA3ABC");
  Log(At(30, 0, 1), 140255, Mode::kCw, "DL1ABC", "599/14");
  Log(At(30, 0, 2), 140310, Mode::kCw, "K1TEO", "599/5");
  Log(At(30, 0, 15), 70125, Mode::kCw, "JA1ABC", "599 25");
  Log(At(31, 23, 59), 18250, Mode::kCw, "UA9CAA", "599/17");

  // The claimed score is the score window's, whatever the rules made of the QSOs.
  CabrilloReportData data = DefaultCabrilloReport(tree_, " RA3ABC", 1234);
  EXPECT_EQ(data.contest, "CQ-WW-CW");
  EXPECT_EQ(data.call, "RA3ABC");
  data.categoryPower = std::string(kCategoryPowerItems[1]);
  EXPECT_EQ(data.operators, "RA3ABC");
  data.name = "Ivan Petrov";
  data.address1 = "Moscow";
  ASSERT_TRUE(WriteCabrilloReport(data, log_, dir_.Path()));
  EXPECT_EQ(ReadWhole(dir_.File("RA3ABC.cbr")),
            CrLfLines({
                "START-OF-LOG: 3.0",
                kCreatedBy,
                "CONTEST: CQ-WW-CW",
                "CALLSIGN: RA3ABC",
                "CATEGORY-OPERATOR: SINGLE-OP",
                "CATEGORY-BAND: ALL",
                "CATEGORY-MODE: CW",
                "CATEGORY-POWER: LOW",
                "CATEGORY-STATION: FIXED",
                "CATEGORY-ASSISTED: NON-ASSISTED",
                "CATEGORY-TRANSMITTER: ONE",
                "CLAIMED-SCORE: 1234",
                "OPERATORS: RA3ABC",
                "LOCATION: ",
                "CLUB: ",
                "EMAIL: ",
                "NAME: Ivan Petrov",
                "ADDRESS: Moscow",
                "ADDRESS: ",
                "QSO: 14025 CW 2024-03-30 0001 RA3ABC        599 16     DL1ABC        599 14",
                "QSO: 14031 CW 2024-03-30 0002 RA3ABC        599 16     K1TEO         599 5",
                "QSO:  7012 CW 2024-03-30 0015 RA3ABC        599 16     JA1ABC        599 25",
                "QSO:  1825 CW 2024-03-31 2359 RA3ABC        599 16     UA9CAA        599 17",
                "END-OF-LOG:",
            }));
}

// The Russian DX Contest worked from Germany with a portable call, in both modes: the serial
// goes up with every QSO, the file is named without the "/"; a log of two modes is MIXED even
// when the operator picked CW.
TEST_F(ShippedContestReport, RdxcFromAbroadPortable) {
  Load("RDXC", "DL2XYZ/P");
  EXPECT_EQ(ReportFileName(tree_.OwnCall()), "DL2XYZ-P.cbr");
  Log(At(16, 12, 0), 140250, Mode::kCw, "RA3DAA", "599/MO");
  Log(At(16, 12, 1), 142000, Mode::kPhone, "UA9CAA", "59/SV");
  Log(At(16, 12, 2), 210500, Mode::kCw, "UA2FAA", "599 KA");
  CabrilloReportData data = DefaultCabrilloReport(tree_, "DL2XYZ/P");
  data.categoryMode = std::string(kCategoryModeItems[0]);
  data.categoryStation = std::string(kCategoryStationItems[2]);
  ASSERT_TRUE(WriteCabrilloReport(data, log_, dir_.Path()));
  const std::string text = ReadWhole(dir_.File("DL2XYZ-P.cbr"));
  EXPECT_NE(text.find("\r\nCONTEST: RDXC\r\nCALLSIGN: DL2XYZ/P\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nCATEGORY-MODE: MIXED\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nCATEGORY-STATION: PORTABLE\r\n"), std::string::npos);
  const std::string qsos = text.substr(text.find("QSO: "));
  EXPECT_EQ(qsos, CrLfLines({
                      "QSO: 14025 CW 2024-03-16 1200 DL2XYZ/P      599 001    RA3DAA        599 MO",
                      "QSO: 14200 PH 2024-03-16 1201 DL2XYZ/P      59  002    UA9CAA        59  SV",
                      "QSO: 21050 CW 2024-03-16 1202 DL2XYZ/P      599 003    UA2FAA        599 KA",
                      "END-OF-LOG:",
                  }));
}

}  // namespace
}  // namespace vk
