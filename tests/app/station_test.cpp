#include "app/station.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/views/operating_models.h"
#include "station_fixture.h"
#include "logbook_access.h"

namespace vk {
namespace {

using test::ReadWholeFile;

class StationTest : public test::StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
    ShipRules("cqww.xml");
  }
  // Two QSOs as another run of the program saved them: 20 m CW, then 40 m PH at 10:15.
  void WriteLogFile() {
    std::ofstream(LogPath(), std::ios::binary)
        << "<QSO_DATE:8>20240305<TIME_ON:4>0907<BAND:3>20M<FREQ:6>14.025<MODE:2>CW"
           "<CALL:6>DL1ABC<RST_SENT:7>599 001<RST_RCVD:7>599 015<QSCORE:1>3<QMULTI:1>1"
           "<QGUID:3>120<EOR>\r\n"
        << "<QSO_DATE:8>20240305<TIME_ON:4>1015<BAND:3>40M<FREQ:5>7.055<MODE:3>SSB"
           "<CALL:5>F5XYZ<RST_SENT:6>59 002<RST_RCVD:6>59 007<QSCORE:1>3<QMULTI:1>1"
           "<QGUID:3>130<EOR>\r\n";
  }
};

TEST_F(StationTest, ConfiguredContestIsLoadedAndNamedForTheBanner) {
  WriteConfig("Contest=WORLD\r\nTxnr=15\r\nCall=UA3AAA\r\n");
  Station& st = Start();
  EXPECT_FALSE(state_.NoContest);
  EXPECT_FALSE(st.NoContest());
  EXPECT_EQ(state_.contestName, "WORLD");
  EXPECT_EQ(state_.contestDisplayName, "The World Contest");
  EXPECT_EQ(st.Contests().Size(), 2u);  // the default entry and cqww.xml
  EXPECT_EQ(st.Rules().OwnExchange(), "15");
  EXPECT_EQ(st.Totals().Formula(), kTotalMulMulti);
}

// A station of a group numbering in a block of its own: its first serial is 1001 whatever the
// shared log already holds, and a sequence it cannot read falls back to the log's own.
TEST_F(StationTest, SerialBlockOfAGroupStation) {
  WriteConfig(
      "Contest=WORLD\r\nCall=UA3AAA\r\n\r\n[NETWORK]\r\nSERIALS=station\r\n"
      "FIRSTSERIAL=1001\r\n");
  WriteLogFile();
  Station& st = Start();
  ASSERT_TRUE(st.LoadLog().ok());
  EXPECT_EQ(st.Rules().GetTxNr("UA3AAA"), "599 1001");
  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n\r\n[NETWORK]\r\nSERIALS=odd\r\n");
  Station& plain = Start();
  ASSERT_TRUE(plain.LoadLog().ok());
  EXPECT_EQ(plain.Rules().GetSerialPlan().scope, SerialScope::kLog);
  EXPECT_EQ(plain.Rules().GetTxNr("UA3AAA"), "599 003");
}

TEST_F(StationTest, EmptyContestNameOpensNoWindows) {
  WriteConfig("Contest=\r\nCall=UA9XX\r\n");
  Station& st = Start();
  EXPECT_TRUE(state_.NoContest);
  EXPECT_EQ(state_.ownCall, "UA9XX");
  EXPECT_EQ(state_.contestDisplayName, "");
  EXPECT_EQ(OpenOperatingModels(st), nullptr);
}

TEST_F(StationTest, UnknownContestStartsWithoutADisplayNameAndIsJournalled) {
  WriteConfig("Contest=NOSUCHTEST\r\n");
  Start();
  EXPECT_FALSE(state_.NoContest);
  EXPECT_EQ(state_.contestDisplayName, "");
  EXPECT_NE(ReadWholeFile((dir_ / "debug.txt").string()).find("NOSUCHTEST"), std::string::npos);
}

// A contest that cannot be loaded tells the operator what to put right, not only the journal.
TEST_F(StationTest, ContestNotLoadedSaysWhatToFix) {
  WriteConfig("Contest=NOSUCHTEST\r\nCall=UA3AAA\r\n");
  EXPECT_NE(Start().ContestNotice().find("File > New contest"), std::string::npos);
  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n");
  EXPECT_EQ(Start().ContestNotice(), "");
  CommandBus bus;
  Station bare(bus, dir_.string());  // no cty_wt.dat in this data directory
  ASSERT_TRUE(bare.ReadSettings().ok());
  ShellState state;
  bare.LoadConfiguredContest(state);
  EXPECT_NE(bare.ContestNotice().find("data/cty_wt.dat is missing"), std::string::npos);
}

TEST_F(StationTest, CountryFilesOfTheWorkingDirectoryAreReadWhenNoneAreHanded) {
  std::filesystem::create_symlink(VORKAN_SYSTEM_CTY, dir_ / "data" / "cty_wt.dat");
  CommandBus bus;
  Station st(bus, dir_.string());
  EXPECT_FALSE(st.Countries().world.Empty());
  EXPECT_TRUE(st.Countries().russian.Empty());  // not in this data directory
  EXPECT_EQ(st.LogPath(), (dir_ / "vorkan.adi").string());
}

TEST_F(StationTest, EmptyLogStartsOnTheLowestAllowedBandInTheFirstAllowedMode) {
  WriteConfig("Contest=CQ-WW-SSB\r\nCall=UA3AAA\r\n");
  Station& st = Start();
  ASSERT_TRUE(st.LoadLog().ok());
  const StartPoint sp = st.ChooseStart();
  EXPECT_EQ(sp.freq, 18400);
  EXPECT_EQ(sp.band, 1);
  EXPECT_EQ(sp.mode, Mode::kPhone);  // phone is the only mode of this contest
  EXPECT_EQ(st.CurrentBand(), 1);
  EXPECT_EQ(st.Rules().CurrentMode(), Mode::kPhone);  // the report the rules send follows: 59
}

TEST_F(StationTest, ConfiguredModeWinsOnAnEmptyLog) {
  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\nMode=2\r\n");
  Station& st = Start();
  EXPECT_EQ(st.ChooseStart().mode, Mode::kPhone);
}

// A contest that did not load (here: one no rules file holds) scores nothing: the figures of
// the file stay, so the next save does not write zeros over them.
TEST_F(StationTest, WithoutALoadedContestTheStoredFiguresStay) {
  WriteLogFile();
  WriteConfig("Contest=NOSUCHTEST\r\nCall=UA3AAA\r\n");
  Station& st = Start();
  ASSERT_TRUE(st.LoadLog().ok());
  EXPECT_EQ(st.Log().At(0)->Score, 3);
  EXPECT_EQ(st.Totals().Row(4).points, 3u);
}

TEST_F(StationTest, LogFileRebuildsTotalsMultipliersAndTheStartPoint) {
  WriteLogFile();
  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n");
  Station& st = Start();
  ASSERT_TRUE(st.LoadLog().ok());
  ASSERT_EQ(st.Log().Count(), 2);
  EXPECT_EQ(st.Ids().Current(), 130);
  EXPECT_EQ(st.Totals().Row(4).qsos, 1);
  // The file says 3 points each; the loaded rules give 2 for another European country, and
  // the log counts what the rules give.
  EXPECT_EQ(st.Totals().Row(3).points, 2u);
  EXPECT_EQ(st.Log().At(1)->Score, 2);
  EXPECT_EQ(st.Totals().Claimed(), 4u * 2u);
  // Germany on 20 m is no new multiplier after a restart; on 40 m it still is.
  EXPECT_EQ(st.Rules().GetMulti("DL2XX", "599 001", 4, Mode::kCw, false), 0);
  EXPECT_EQ(st.Rules().GetMulti("DL2XX", "599 001", 3, Mode::kCw, false), 1);
  const StartPoint sp = st.ChooseStart();
  EXPECT_EQ(sp.freq, 70550);
  EXPECT_EQ(sp.band, 3);
  EXPECT_EQ(sp.mode, Mode::kPhone);
  EXPECT_FALSE(st.LoadLog().ok());  // never twice into one log
}

TEST_F(StationTest, FixedClockCarriesOnFromTheLastQsoARunningOneDoesNot) {
  WriteLogFile();
  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\nWork=1\r\nDate=01-02-2023\r\nTime=08:00\r\n");
  Station& fixed = Start();
  EXPECT_TRUE(fixed.Clock().IsFixed());
  ASSERT_TRUE(fixed.LoadLog().ok());
  fixed.ChooseStart();
  EXPECT_EQ(fixed.Clock().Now(), (DateTime{2024, 3, 5, 10, 15, 0}));

  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n");
  Station& running = Start();
  ASSERT_TRUE(running.LoadLog().ok());
  running.ChooseStart();
  EXPECT_EQ(running.Clock().Now(), (DateTime{2024, 3, 5, 9, 7, 30}));
}

TEST_F(StationTest, CwWindowNeedsAPortAndCwOrAnyMode) {
  struct Case {
    const char* port;
    int mode;
    bool wanted;
  } cases[] = {{"Null", 0, false},      {"null", 1, false},      {"", 0, false},
               {"/dev/ttyS0", 0, true}, {"/dev/ttyS0", 1, true}, {"/dev/ttyS0", 2, false}};
  for (const Case& c : cases) {
    WriteConfig("Contest=WORLD\r\nMode=" + std::to_string(c.mode) +
                "\r\n[Morze]\r\nPort=" + c.port + "\r\n");
    EXPECT_EQ(Start().WantsCwWindow(), c.wanted) << c.port << " " << c.mode;
  }
}

TEST_F(StationTest, ExitWritesTheLogUnlessItWasArchived) {
  WriteLogFile();
  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n");
  Station& st = Start();
  ASSERT_TRUE(st.LoadLog().ok());
  const std::string before = ReadWholeFile(LogPath());
  ASSERT_TRUE(st.WriteLogOnExit(true).ok());
  EXPECT_EQ(ReadWholeFile(LogPath()), before);
  ASSERT_TRUE(st.WriteLogOnExit(false).ok());
  EXPECT_EQ(ReadWholeFile(LogPath()).rfind("# Vork ver", 0), 0u);  // rewritten with its header
}

// A log file that exists but cannot be read must not be replaced by the QSOs of this run.
TEST_F(StationTest, UnreadableLogFileIsNeverOverwritten) {
  std::filesystem::create_directory(LogPath());
  WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n");
  Station& st = Start();
  EXPECT_EQ(st.LoadLog().code, ErrCode::kIo);
  QsoRecord q;
  q.Call = "DL1ABC";
  q.Freq = 140250;
  test::MutableLog(st).Append(q);
  const Status s = st.WriteLog();
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.message.find("vorkan-rescue.adi"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(LogPath()));
  EXPECT_NE(ReadWholeFile((dir_ / "vorkan-rescue.adi").string()).find("DL1ABC"), std::string::npos);
}

}  // namespace
}  // namespace vk
