// The log window's lines kept in step with the log by the broadcasts of its changes, and what
// its keys and buttons send.
#include "app/views/log_window_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "station_fixture.h"

namespace vk {
namespace {

QsoRecord Qso(const char* call, std::uint16_t minute) {
  QsoRecord q;
  q.Call = call;
  q.Freq = 140250;
  q.Mode = Mode::kCw;
  q.Stamp = {2024, 3, 5, 9, minute, 0};
  q.Sent = "599 001";
  q.Rcvd = "599 015";
  q.Score = 2;
  return q;
}

class LogViewTest : public ::testing::Test {
 protected:
  LogViewTest() { bus_.SetApplication(&recorder_); }
  ~LogViewTest() override { bus_.SetApplication(nullptr); }

  LogViewModel& Open() {
    view_ = std::make_unique<LogViewModel>(log_, bus_);
    return *view_;
  }
  // A change of the log as a dialog or the network makes it, with its broadcast.
  void Broadcast(CommandId c, int pos) { bus_.Broadcast(c, MessageInfo::Number(pos)); }
  std::vector<std::string> Expected() const {
    std::vector<std::string> lines;
    for (int i = 0; i < log_.Count(); ++i) lines.push_back(LogWindowLine(log_, i));
    return lines;
  }

  TLogCollection log_;
  CommandBus bus_;
  test::BusRecorder recorder_;
  std::unique_ptr<LogViewModel> view_;
};

TEST_F(LogViewTest, LoadedLogGivesOneLinePerQsoWithTheLastFocused) {
  log_.Append(Qso("DL1ABC", 1));
  log_.Append(Qso("F5XYZ", 2));
  LogViewModel& v = Open();
  EXPECT_EQ(v.Lines(), Expected());
  EXPECT_EQ(v.Focused(), 1);
  EXPECT_EQ(v.CountText(), "2");
}

TEST_F(LogViewTest, EmptyLogShowsACountOfNothing) {
  LogViewModel& v = Open();
  EXPECT_TRUE(v.Lines().empty());
  EXPECT_EQ(v.Focused(), -1);
  EXPECT_EQ(v.CountText(), "0");
}

TEST_F(LogViewTest, BroadcastsOfLogChangesKeepTheLinesInStep) {
  LogViewModel& v = Open();
  log_.Append(Qso("DL1ABC", 1));
  Broadcast(cm::kQsoAppended, 0);
  log_.Append(Qso("F5XYZ", 2));
  Broadcast(cm::kQsoAppended, 1);
  EXPECT_EQ(v.Focused(), 1);  // the new line is focused
  log_.InsertAt(1, Qso("OK1AA", 3));
  Broadcast(cm::kQsoInserted, 1);
  EXPECT_EQ(v.Lines(), Expected());
  log_.SetCall(0, "DL1ABD");
  Broadcast(cm::kQsoEdited, 0);
  EXPECT_EQ(v.Lines(), Expected());
  v.SetFocused(2);
  log_.Delete(2);
  Broadcast(cm::kQsoDeleted, 2);
  EXPECT_EQ(v.Lines(), Expected());
  EXPECT_EQ(v.Focused(), 1);  // the focus stays on a line
  EXPECT_EQ(v.CountText(), "2");
  EXPECT_EQ(v.TakeChanges() & (changed::kList | changed::kCount), changed::kList | changed::kCount);
}

TEST_F(LogViewTest, PositionsThatFitNoLineAreIgnored) {
  log_.Append(Qso("DL1ABC", 1));
  LogViewModel& v = Open();
  for (int pos : {-1, 1, 7, 70000}) {
    Broadcast(cm::kQsoEdited, pos);
    Broadcast(cm::kQsoDeleted, pos);
    Broadcast(cm::kQsoAppended, pos);
    Broadcast(cm::kQsoInserted, pos);
  }
  EXPECT_EQ(v.Lines(), Expected());
}

TEST_F(LogViewTest, DownOnTheLastLineHandsOverToTheEntryWindow) {
  log_.Append(Qso("DL1ABC", 1));
  log_.Append(Qso("F5XYZ", 2));
  LogViewModel& v = Open();
  v.SetFocused(0);
  Changes c = changed::kNothing;
  EXPECT_TRUE(v.Key(kb::kDown, c));
  EXPECT_EQ(v.Focused(), 1);
  EXPECT_TRUE(recorder_.heard.empty());
  EXPECT_TRUE(v.Key(kb::kDown, c));
  EXPECT_EQ(v.Focused(), 1);
  ASSERT_EQ(recorder_.Commands(), std::vector<CommandId>{cm::kSelectEntryWindow});
  EXPECT_TRUE(v.Key(kb::kUp, c));
  EXPECT_EQ(v.Focused(), 0);
  EXPECT_FALSE(v.Key(kb::kEnter, c));
}

TEST_F(LogViewTest, DownInAnEmptyListHandsOverToo) {
  LogViewModel& v = Open();
  v.Down();
  EXPECT_EQ(recorder_.Commands(), std::vector<CommandId>{cm::kSelectEntryWindow});
}

TEST_F(LogViewTest, ButtonsOpenTheDialogsForTheFocusedQso) {
  log_.Append(Qso("DL1ABC", 1));
  log_.Append(Qso("F5XYZ", 2));
  LogViewModel& v = Open();
  v.SetFocused(0);
  bus_.SendCommand(cm::kLogEditButton);
  bus_.SendCommand(cm::kLogDeleteButton);
  v.SetFocused(1);
  v.InsertButton();
  // The application hears each button command and then the broadcast it becomes.
  ASSERT_EQ(recorder_.heard.size(), 5u);
  EXPECT_EQ(recorder_.heard[1].command, cm::kEditQso);
  EXPECT_EQ(recorder_.heard[1].number, 0);
  EXPECT_EQ(recorder_.heard[3].command, cm::kDeleteQso);
  EXPECT_EQ(recorder_.heard[4].command, cm::kAddQso);
  EXPECT_EQ(recorder_.heard[4].number, 1);
}

TEST_F(LogViewTest, ButtonsDoNothingWithoutAQsoUnderTheFocus) {
  LogViewModel& v = Open();
  v.EditButton();
  v.DeleteButton();
  v.InsertButton();
  EXPECT_TRUE(recorder_.heard.empty());
  // A log emptied for a whole-log transfer keeps its old lines until the end.
  log_.Append(Qso("DL1ABC", 1));
  Broadcast(cm::kQsoAppended, 0);
  log_.Clear();
  recorder_.heard.clear();
  v.EditButton();
  EXPECT_TRUE(recorder_.heard.empty());
  EXPECT_EQ(v.Lines().size(), 1u);
}

// The log window's line, golden: the bar is CP866 0xB3; a long mode and a four-digit score
// widen their columns, a call longer than its column is cut.
TEST(LogWindowLineTest, ColumnsOfALine) {
  TLogCollection log;
  QsoRecord q;
  q.Stamp = {2024, 3, 5, 9, 7, 0};
  q.Freq = 140250;
  q.Mode = Mode::kCw;
  q.Call = "N0CALL";
  q.Sent = "001";
  q.Rcvd = "599 12";
  q.Score = 2;
  q.Multi = 1;
  log.Append(q);
  q.Mode = Mode::kRtty;
  q.Score = 1000;
  q.Multi = 0;
  q.Call = "EA8/DF4U/QRPP";
  log.Append(q);
  EXPECT_EQ(LogWindowLine(log, 0),
            "03/05 09:07\xB3 20\xB3" "CW\xB3N0CALL      \xB3" "001     \xB3" "599 12 \xB3" "2*  ");
  EXPECT_EQ(LogWindowLine(log, 1), "03/05 09:07\xB3 20\xB3RTTY\xB3" "EA8/DF4U/QRP\xB3"
                                   "001     \xB3" "599 12 \xB3" "1000");
  EXPECT_EQ(LogWindowLine(log, 2), "");
}

}  // namespace
}  // namespace vk
