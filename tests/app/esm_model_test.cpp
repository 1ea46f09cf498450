// Enter Sends Message on a scratch station with the shipped World contest (TxNr "599 001",
// own call UA3AAA): what each Enter sends while running and while searching and pouncing, and
// what the entry does alongside.
#include "app/views/esm_model.h"

#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "station_fixture.h"

namespace vk {
namespace {

constexpr KeyCode F(int n) {
  return static_cast<KeyCode>(kb::kF1 + ((n - 1) << 8));
}

// Hears the message keys Enter sends, with the sent exchange at that moment (the keyer fills
// in its macros from the entry window as the keys arrive).
class SentKeys final : public MessageTarget {
 public:
  explicit SentKeys(const EntryModel& entry) : entry_(entry) {}
  void HandleMessage(Message& m) override {
    if (m.what != EventClass::kKeyer || m.command != cm::kKeyerMessages) return;
    sends.push_back(*m.info.pointer<std::vector<KeyCode>>());
    txNr.push_back(entry_.TxNrText());
  }
  std::vector<std::vector<KeyCode>> sends;
  std::vector<std::string> txNr;

 private:
  const EntryModel& entry_;
};

class EsmTest : public test::StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
  }
  void TearDown() override {
    if (sent_) station_->Bus().Detach(sent_.get());
    esm_.reset();
    entry_.reset();
    StationFixture::TearDown();
  }
  EsmModel& Open(const std::string& esmLines) {
    WriteConfig("Contest=WORLD\r\nCall=UA3AAA\r\n" + esmLines);
    Station& st = Start();
    EXPECT_TRUE(st.LoadLog().ok());
    entry_ = std::make_unique<EntryModel>(st, st.ChooseStart());
    esm_ = std::make_unique<EsmModel>(st, *entry_);
    sent_ = std::make_unique<SentKeys>(*entry_);
    st.Bus().Attach(sent_.get());
    return *esm_;
  }
  // Types `text` (if any) and presses Enter; returns the keys that went out with it.
  std::vector<KeyCode> Enter(const std::string& text = {}) {
    entry_->Type(text);
    const std::size_t before = sent_->sends.size();
    esm_->Enter();
    return sent_->sends.size() > before ? sent_->sends.back() : std::vector<KeyCode>{};
  }

  std::unique_ptr<EntryModel> entry_;
  std::unique_ptr<EsmModel> esm_;
  std::unique_ptr<SentKeys> sent_;
};

using Keys = std::vector<KeyCode>;

TEST_F(EsmTest, RunningEnterSendsCqCallAndExchangeThenLogsWithTu) {
  EsmModel& esm = Open("Esm=1\r\n");
  EXPECT_EQ(esm.StyleText(), "RUN ESM");
  struct Step {
    const char* typed;
    Keys plan;   // what the row shows before Enter
    Keys sends;  // what Enter sent
    EntryField focus;
  };
  const Step steps[] = {
      {"", {F(1)}, {F(1)}, EntryField::kCall},                  // CQ
      {"dl1abc", {F(5), F(2)}, {F(5), F(2)}, EntryField::kRxNr},  // his call + exchange
      {"15", {F(3)}, {F(3)}, EntryField::kCall},                // logged, TU
      {"DL1ABC", {F(5), F(2)}, {F(6)}, EntryField::kCall},      // a repeat: worked before
  };
  for (const Step& s : steps) {
    entry_->Type(s.typed);
    EXPECT_EQ(esm.Plan().keys, s.plan) << s.typed;
    EXPECT_EQ(Enter(), s.sends) << s.typed;
    EXPECT_EQ(entry_->Focus(), s.focus) << s.typed;
  }
  ASSERT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(station_->Log().At(0)->Rcvd, "599 15");
}

TEST_F(EsmTest, RunningAsksAgainAndSendsACorrectedCallWithTheTu) {
  Open("Esm=1\r\n");
  EXPECT_EQ(Enter("OK1XYZ"), (Keys{F(5), F(2)}));
  entry_->Key(kb::kSpace);  // the proposed exchange goes: nothing received yet
  EXPECT_EQ(Enter(), (Keys{F(8)}));
  entry_->Type("599/15");
  // He came back with another call: corrected in Call, back to RxNr with Tab.
  entry_->FocusField(EntryField::kCall);
  entry_->Key(kb::kSpace);
  entry_->Type("OK1XYW");
  entry_->Tab();
  EXPECT_EQ(Enter(), (Keys{F(5), F(3)}));
  ASSERT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(station_->Log().At(0)->Call, "OK1XYW");
  // A QSO held back by a warning (TxNr edited) sends no TU until it is logged.
  Enter("DL1ABC");
  entry_->Type("15");
  entry_->FocusField(EntryField::kTxNr);
  entry_->Type("9");
  EXPECT_EQ(Enter(), Keys{});
  EXPECT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(Enter(), (Keys{F(3)}));
  EXPECT_EQ(station_->Log().Count(), 2);
}

TEST_F(EsmTest, SearchAndPounceSendsOwnCallThenTheExchangeBeforeLogging) {
  EsmModel& esm = Open("Esm=1\r\nRun=0\r\n");
  EXPECT_EQ(esm.StyleText(), "S&P ESM");
  EXPECT_EQ(Enter(), Keys{});  // nothing to answer
  EXPECT_EQ(Enter("dl1abc"), (Keys{F(4)}));
  entry_->Key(kb::kSpace);
  EXPECT_EQ(Enter(), (Keys{F(4)}));  // nothing heard yet: call again
  EXPECT_EQ(Enter("599/15"), (Keys{F(2)}));
  // The exchange went out with this QSO's number, before the log moved it on.
  EXPECT_EQ(sent_->txNr.back(), "599 001");
  EXPECT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(entry_->TxNrText(), "599 002");
  // A repeat sends nothing; a second Enter after a warning does not send the exchange again.
  EXPECT_EQ(Enter("DL1ABC"), Keys{});
  entry_->Key(kb::kAltA);
  Enter("G4AAA");
  entry_->Key(kb::kSpace);
  EXPECT_EQ(Enter("599/1S"), (Keys{F(2)}));  // a serial that is no number: questioned
  EXPECT_EQ(station_->Log().Count(), 1);
  EXPECT_EQ(Enter(), Keys{});
  EXPECT_EQ(station_->Log().Count(), 2);
}

TEST_F(EsmTest, OffOrOutOfCwEnterOnlyChecksAndLogs) {
  EsmModel& esm = Open("");
  EXPECT_FALSE(esm.Enabled());
  EXPECT_EQ(esm.StyleText(), "RUN");
  EXPECT_EQ(Enter(), Keys{});
  EXPECT_EQ(Enter("dl1abc"), Keys{});
  EXPECT_EQ(Enter("15"), Keys{});
  EXPECT_EQ(station_->Log().Count(), 1);
  // The menu turns it on and Alt+U switches to S&P; both are kept in vorkan.cfg.
  station_->Bus().SendCommand(cm::kToggleEsm);
  esm.ToggleStyle();
  const EsmSettings kept = ReadEsmSettings(station_->PathOf(kConfigFileName));
  EXPECT_TRUE(kept.enabled);
  EXPECT_EQ(kept.style, OperatingStyle::kSearchAndPounce);
  // Phone: no CW goes out, the entry works as without ESM.
  entry_->Key(kb::kAltF3);
  EXPECT_TRUE(esm.Plan().keys.empty());
  EXPECT_EQ(Enter("G4AAA"), Keys{});
  EXPECT_EQ(entry_->Focus(), EntryField::kRxNr);
}

}  // namespace
}  // namespace vk
