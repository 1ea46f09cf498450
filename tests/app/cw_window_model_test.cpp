// The CW window's state and keys, on a fake line and a fake clock.
#include "app/views/cw_window_model.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cw/fake_key_line.h"
#include "log/journal.h"

namespace vk {
namespace {

constexpr std::uint16_t kF1 = 0x3B00;
constexpr std::uint16_t kF2 = 0x3C00;
constexpr std::uint16_t kF3 = 0x3D00;
constexpr std::uint16_t kF10 = 0x4400;

// Status lines are written with "*" for the CP866 block that separates their fields.
std::string Marks(std::string s) {
  for (char& c : s) {
    if (c == '*') c = '\xFE';
  }
  return s;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(CwStatusText, SixPartsWithoutSpacesBetween) {
  EXPECT_EQ(CwStatusText(CwStatus{}), Marks("[ : : *   *  *20*15]"));
  EXPECT_EQ(CwStatusText(CwStatus{true, true, 25, 10, 2 | 4 | 8}), Marks("[1:9:T*PTT*CW*25*10]"));
  // A hand-edited file may hold both zero flags; "O" is the one applied first.
  EXPECT_EQ(CwStatusText(CwStatus{false, true, 30, 50, 3}), Marks("[ : :O*   *CW*30*50]"));
  EXPECT_EQ(CwStatusText(CwStatus{}).size(), 20u);
}

class CwWindowModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_cwwinXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = (dir_ / "vorkan.cfg").string();
    journal_ = std::make_unique<Journal>((dir_ / "debug.txt").string());
    messages_.Replace(kF1, "CQ $ TEST");
    messages_.Replace(kF2, "@ 5NN #");
    messages_.Replace(kF10, "CQ $");
  }
  void TearDown() override {
    model_.reset();
    std::filesystem::remove_all(dir_);
  }

  void Make(const std::string& port) {
    programPort_ = port;
    model_ = std::make_unique<CwWindowModel>(
        messages_, programPort_, path_,
        [this](std::string& programPort) {
          const KeyerSettings s = ReadKeyerSettings(programPort, path_);
          auto line = std::make_unique<FakeKeyLine>(clock_);
          line_ = line.get();
          return std::make_unique<Keyer>(s, std::move(line), &clock_);
        },
        journal_.get());
  }
  MacroValues Values() const { return MacroValues{"UA3ABC", "001", "DL1AAA", "OK1XYZ"}; }
  void Idle() { ASSERT_TRUE(model_->keyer()->WaitUntilIdle(std::chrono::seconds(10))); }

  std::filesystem::path dir_;
  std::unique_ptr<Journal> journal_;
  std::string path_;
  std::string programPort_;
  CwMessageList messages_;
  FakeKeyerClock clock_;
  FakeKeyLine* line_ = nullptr;
  std::unique_ptr<CwWindowModel> model_;
};

TEST_F(CwWindowModelTest, AnOpenPortShowsItsNameAndTheKeyerSettings) {
  std::ofstream(path_) << "[Morze]\nPort=FAKE1\nSpeed=25\nStandby=12\nNum019=6\n";
  Make("Null");
  EXPECT_EQ(model_->OpenKeyer(), KeyerPortError::kNone);
  EXPECT_EQ(programPort_, "FAKE1");  // the keyer's own port wins
  EXPECT_TRUE(model_->HasLines());
  EXPECT_EQ(model_->LineText(), "FAKE1");
  EXPECT_EQ(model_->StatusText(), Marks("[1: :T*   *  *25*12]"));
}

TEST_F(CwWindowModelTest, APortThatFailsLeavesTheWindowWithoutLines) {
  Make("BAD");
  EXPECT_EQ(model_->OpenKeyer(), KeyerPortError::kWrongPortName);
  EXPECT_FALSE(model_->HasLines());
  // Closing stored BAD as the keyer's port, which a new keyer would prefer.
  model_.reset();
  std::filesystem::remove(path_);
  Make("DEAD");
  EXPECT_EQ(model_->OpenKeyer(), KeyerPortError::kPortInit);
  EXPECT_FALSE(model_->HasLines());
  EXPECT_EQ(model_->Tick(), cw_changed::kNothing);
}

TEST_F(CwWindowModelTest, MessageKeysQueueTheExpandedTextEvenWithoutAPort) {
  Make("BAD");  // nothing is keyed, so the queue can be read as it stands
  model_->OpenKeyer();
  Keyer& k = *model_->keyer();
  model_->MessageKey(kF1, Values());
  EXPECT_EQ(k.Text(), "CQ UA3ABC TEST");
  EXPECT_FALSE(k.Repeat());
  model_->MessageKey(kF3, Values());  // no message: nothing at all, not even a space
  EXPECT_EQ(k.Text(), "CQ UA3ABC TEST");
  model_->MessageKey(kF10, Values());
  EXPECT_TRUE(k.Repeat());
  EXPECT_EQ(k.SavedText(), "CQ UA3ABC");
  EXPECT_EQ(k.Text(), "CQ UA3ABC TEST CQ UA3ABC");
  // A typed letter ends the calling; other keys are the window's own.
  EXPECT_TRUE(model_->TypeKey('e'));
  EXPECT_FALSE(k.Repeat());
  EXPECT_TRUE(model_->TypeKey('5'));
  EXPECT_FALSE(model_->TypeKey('-'));
  EXPECT_FALSE(model_->TypeKey('\\'));
  EXPECT_FALSE(model_->TypeKey('\xA0'));  // a Cyrillic letter has no Morse code here
  EXPECT_EQ(k.Text(), "CQ UA3ABC TEST CQ UA3ABCE5");
  model_->Operate(KeyerOp::kAbort);
  EXPECT_EQ(k.Text(), "");
}

TEST_F(CwWindowModelTest, CutNumberKeysChangeTheNumberSentAndTheStatusLine) {
  Make("BAD");
  model_->OpenKeyer();
  EXPECT_EQ(model_->Operate(KeyerOp::kCycleZero), cw_changed::kStatus);
  EXPECT_EQ(model_->Operate(KeyerOp::kCycleZero), cw_changed::kStatus);
  model_->Operate(KeyerOp::kToggleNine);
  EXPECT_EQ(model_->Status().cutNumbers, 2 | 8);
  model_->MessageKey(kF2, Values());
  EXPECT_EQ(model_->keyer()->Text(), "DL1AAA 5NN TT1");
  model_->Operate(KeyerOp::kToggleOne);
  EXPECT_EQ(model_->StatusText().substr(0, 6), "[1:9:T");
}

TEST_F(CwWindowModelTest, SpeedAndStandbyKeysStopAtTheirLimits) {
  std::ofstream(path_) << "[Morze]\nPort=FAKE1\nSpeed=59\nStandby=11\n";
  Make("FAKE1");
  model_->OpenKeyer();
  model_->Operate(KeyerOp::kSpeedUp);
  model_->Operate(KeyerOp::kSpeedUp);
  model_->Operate(KeyerOp::kStandbyDown);
  EXPECT_EQ(model_->Operate(KeyerOp::kStandbyDown), cw_changed::kStatus);  // still announced
  EXPECT_EQ(model_->Status().speed, 60);
  EXPECT_EQ(model_->Status().standby, 10);
  model_->Operate(KeyerOp::kSpeedDown);
  model_->Operate(KeyerOp::kStandbyUp);
  EXPECT_EQ(model_->StatusText(), Marks("[ : : *   *  *59*11]"));
  // Closing writes what the operator set.
  model_.reset();
  EXPECT_NE(Slurp(path_).find("Speed=59\r\nStandby=11"), std::string::npos);
}

TEST_F(CwWindowModelTest, WhatTheKeyerSendsReachesBothLines) {
  messages_.Replace(kF3, "EE");
  Make("FAKE1");
  model_->OpenKeyer();
  model_->MessageKey(kF3, Values());
  Idle();
  EXPECT_EQ(line_->Changes().size(), 6u);  // PTT on, two dots, PTT off
  // Everything happened between two ticks: the lines show the state it ended in.
  EXPECT_EQ(model_->Tick(), cw_changed::kText | cw_changed::kStatus);
  EXPECT_EQ(model_->LineText(), "");
  EXPECT_FALSE(model_->Status().ptt);
  EXPECT_FALSE(model_->Status().keyDown);
  EXPECT_EQ(model_->Tick(), cw_changed::kNothing);
}

TEST_F(CwWindowModelTest, TheTextLineFollowsTheKeyerCharacterByCharacter) {
  messages_.Replace(kF3, "TE");
  Make("FAKE1");
  model_->OpenKeyer();
  std::vector<std::string> seen;
  std::vector<bool> keyDown;
  // The operator's screen ticks in the middle of the "T" and after the "E".
  clock_.At(60, [&] {
    model_->Tick();
    seen.push_back(model_->LineText());
    keyDown.push_back(model_->Status().keyDown);
  });
  model_->MessageKey(kF3, Values());
  Idle();
  model_->Tick();
  seen.push_back(model_->LineText());
  keyDown.push_back(model_->Status().keyDown);
  EXPECT_EQ(seen, (std::vector<std::string>{"TE", ""}));
  EXPECT_EQ(keyDown, (std::vector<bool>{true, false}));
}

TEST_F(CwWindowModelTest, ANewPortReplacesTheKeyerAndIsSavedOverTheOldOne) {
  Make("FAKE1");
  ASSERT_EQ(model_->OpenKeyer(), KeyerPortError::kNone);
  model_->Operate(KeyerOp::kSpeedUp);
  programPort_ = "FAKE2";  // what the CW setup chose
  EXPECT_EQ(model_->PortChanged(), KeyerPortError::kNone);
  EXPECT_TRUE(model_->HasLines());
  EXPECT_EQ(model_->LineText(), "FAKE2");
  EXPECT_EQ(model_->Status().speed, 21);  // the old keyer saved it; the new one read it
  EXPECT_NE(Slurp(path_).find("Port=FAKE2"), std::string::npos);
  EXPECT_NE(Slurp((dir_ / "debug.txt").string()).find("SaveCWPort:FAKE2"), std::string::npos);

  programPort_ = "BAD";
  EXPECT_EQ(model_->PortChanged(), KeyerPortError::kWrongPortName);
  EXPECT_FALSE(model_->HasLines());
}

TEST_F(CwWindowModelTest, ChoosingNullEndsKeyingWithoutAnError) {
  Make("FAKE1");
  model_->OpenKeyer();
  programPort_ = "Null";
  EXPECT_EQ(model_->PortChanged(), KeyerPortError::kNone);
  EXPECT_EQ(model_->keyer(), nullptr);
  EXPECT_FALSE(model_->HasLines());
  // Every key is harmless without a keyer.
  model_->MessageKey(kF1, Values());
  EXPECT_TRUE(model_->TypeKey('A'));
  EXPECT_EQ(model_->Operate(KeyerOp::kSpeedUp), cw_changed::kNothing);
  EXPECT_EQ(model_->Tick(), cw_changed::kNothing);
  std::string port;
  EXPECT_EQ(ReadKeyerSettings(port, path_).port, "Null");
}

}  // namespace
}  // namespace vk
