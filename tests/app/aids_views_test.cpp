// The operator aids on a station with the shipped World contest: the check-partial side window
// as the call is typed, the history prefill of RxNr on Enter in Call, and the rate line.
#include <gtest/gtest.h>

#include <fstream>

#include "app/views/aids_panel_model.h"
#include "app/views/operator_aids.h"
#include "station_fixture.h"
#include "util/strings.h"

namespace vk {
namespace {

class AidsTest : public test::StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
    std::ofstream(dir_ / "scp.txt") << "# test\nDL1ABC\nDL1ABD\nDL1AX\nW1AW\nbad line\n";
    std::ofstream(dir_ / "history.txt") << "# DOKs\nDL1ABC,N11\nDL1ABD,B06\nnocomma\n";
  }
  void TearDown() override {
    panel_.reset();
    aids_.reset();
    entry_.reset();
    StationFixture::TearDown();
  }
  void Open(const std::string& extraConfig) {
    panel_.reset();
    aids_.reset();
    entry_.reset();
    WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n" + extraConfig);
    Station& st = Start();
    ASSERT_TRUE(st.LoadLog().ok());
    entry_ = std::make_unique<EntryModel>(st, st.ChooseStart());
    aids_ = std::make_unique<OperatorAids>(
        st, ReadAidsSettings(st.PathOf(kConfigFileName), st.Settings().main.contest));
    aids_->AttachTo(*entry_);
    panel_ = std::make_unique<AidsPanelModel>(st, *aids_, *entry_);
  }
  std::string Config() const {
    return "[AIDS]\r\nScpFile=" + (dir_ / "scp.txt").string() +
           "\r\nHistoryFile=" + (dir_ / "history.txt").string() + "\r\n";
  }
  void Log(const std::string& call, const std::string& rx) {
    entry_->Type(call);
    entry_->Enter();
    entry_->Key(kb::kSpace);
    entry_->Type(rx);
    ASSERT_TRUE(entry_->Enter().status.ok());
  }
  std::string Shown(int width = 30, int height = 5) {
    panel_->Refresh();
    std::string all;
    for (const auto& r : panel_->Rows(width, height)) all += r + "|";
    return all;
  }

  std::unique_ptr<EntryModel> entry_;
  std::unique_ptr<OperatorAids> aids_;
  std::unique_ptr<AidsPanelModel> panel_;
};

TEST_F(AidsTest, CheckPartialListsMarksAndShowsNearMissesAsTheCallIsTyped) {
  Open(Config());
  EXPECT_EQ(aids_->Scp().Size(), 4u);
  Log("DL1ABC", "599/15");  // 160 m CW
  entry_->Type("D");
  EXPECT_EQ(Shown(), std::string(30, ' ') + "|" + std::string(30, ' ') + "|" +
                         std::string(30, ' ') + "|" + std::string(30, ' ') + "|" +
                         "160: 60/h 1 1 0:00            |");
  entry_->Type("L1A");
  // A dupe on this band and mode is marked "*".
  EXPECT_EQ(Shown(30, 3),
            "DL1ABC* DL1ABD DL1AX          |N+1 DL1AX                     |"
            "160: 60/h 1 1 0:00            |");
  entry_->Key(kb::kAltF2);  // 80 m: worked elsewhere, "+"
  entry_->Type("BX");       // DL1ABX: a bust
  EXPECT_EQ(Shown(30, 3), std::string(30, ' ') + "|N+1 DL1ABC+ DL1ABD DL1AX      |" +
                              "80: 0/h 0 0 -                 |");
  panel_->ToggleRate();
  panel_->ToggleScp();
  EXPECT_FALSE(panel_->Visible());
  EXPECT_NE(test::ReadWholeFile((dir_ / "vorkan.cfg").string()).find("ScpWindow=0"),
            std::string::npos);
}

TEST_F(AidsTest, AltCTakesTheListedCallsInTurnPartialsThenNearMisses) {
  Open(Config());
  entry_->Type("DL1ABX");  // no such call: the N+1 list has DL1ABC, DL1ABD, DL1AX
  const char* want[] = {"DL1ABC", "DL1ABD", "DL1AX", "DL1ABC"};
  for (const char* call : want) {
    entry_->TakeCall(panel_->NextPick());
    EXPECT_EQ(entry_->CallText(), call);
  }
  // A call typed anew starts a new list: partials of DL1AB first.
  entry_->Key(kb::kSpace);
  entry_->Type("L1AB");
  EXPECT_EQ(panel_->NextPick(), "DL1ABC");
  entry_->Key(kb::kSpace);
  entry_->Type("QQ9ZZZ");
  EXPECT_EQ(panel_->NextPick(), "");  // nothing listed: Call stays as typed
}

TEST_F(AidsTest, MissingDatabaseLeavesANoteAndTheLogsCalls) {
  Open("[AIDS]\r\nScpFile=/nonexistent/MASTER.SCP\r\n");
  EXPECT_EQ(FixedWidth(aids_->ScpNotice(), 20), "Check partial off: /");
  Log("DL1ABC", "599/15");
  entry_->Type("L1");
  EXPECT_EQ(Shown(20, 2), "DL1ABC*             |160: 60/h 1 1 0:00  |");
}

TEST_F(AidsTest, HistoryPrefillsAfterTheReportOnlyForAContestWithAField) {
  Open(Config());
  entry_->Type("DL1ABC");
  entry_->Enter();
  EXPECT_EQ(entry_->RxNrText(), "599/");  // no field chosen for WORLD: no prefill
  Open(Config() + "[HISTORYFIELD]\r\nWORLD=1\r\n");
  entry_->Type("DL1ABC");
  entry_->Enter();
  EXPECT_EQ(entry_->RxNrText(), "599/N11");
  EXPECT_EQ(entry_->Line(EntryField::kRxNr).Cursor(), 7u);
  // The operator's typing wins: what is typed over the proposal is logged.
  entry_->Key(kb::kSpace);
  entry_->Type("599/N12");
  entry_->Enter();  // World wants a serial: the first Enter warns, the second logs
  entry_->Enter();
  ASSERT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(station_->Log().At(0)->Rcvd, "599 N12");
  // The log knows better than the file now.
  entry_->Key(kb::kAltF2);
  entry_->Type("DL1ABC");
  entry_->Enter();
  EXPECT_EQ(entry_->RxNrText(), "599/N12");
  EXPECT_EQ(JoinProposal("599 ", "B06"), "599 B06");
  EXPECT_EQ(JoinProposal("599 001", "B06"), "");  // the rules gave more than a report
  EXPECT_EQ(JoinProposal("", "B06"), "B06");
}

TEST_F(AidsTest, RateLineCountsTenQsosOnTheBand) {
  Open(Config());
  for (int i = 0; i < 10; ++i) Log("DL" + std::to_string(i) + "ZZ", "599/1");
  panel_->Refresh();
  EXPECT_EQ(panel_->RateLine(), "160: 600/h 10 10 0:00");
}

}  // namespace
}  // namespace vk
