// Contacts whose texts hold the characters the ADIF line is made of ("<", line ends), and logs
// too long for the collection: none of them may come back from the file changed or missing.
#include <gtest/gtest.h>

#include <string>

#include "log/adif.h"
#include "log_test_util.h"

namespace vk {
namespace {

using testing::MakeQso;
using testing::ScratchDir;

class NoSink : public AdifLoadSink {
 public:
  void OnRecordLoaded(const QsoRecord&) override {}
};

TLogCollection ReadBack(const TLogCollection& log) {
  TLogCollection back;
  NoSink sink;
  LoadAdifText(BuildAdifLog(log), back, sink);
  return back;
}

class AdifReviewTest : public ::testing::Test {
 protected:
  ScratchDir dir_;
};

// "<" is the shifted comma on most keyboards, so it slips into exchanges; a received "<EOR>"
// must not end the record either.
TEST_F(AdifReviewTest, TextsHoldingALessThanSignReadBackWhole) {
  TLogCollection log;
  QsoRecord a = MakeQso(10, "DL<1ABC");
  a.Sent = "001<";
  a.Rcvd = "<EOR>";
  a.Score = 3;
  log.Append(a);
  QsoRecord b = MakeQso(15, "<");
  b.Rcvd = "59<9 <12>";
  b.Stamp.minute = 9;
  log.Append(b);
  TLogCollection back = ReadBack(log);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(*back.At(0), *log.At(0));
  EXPECT_EQ(*back.At(1), *log.At(1));
  EXPECT_EQ(back.LogCrc(), log.LogCrc());
}

// Lengths that do not end the value at the next tag (spaces between fields, lengths counted in
// characters by other programs) are not believed: the value runs to the next "<" as before.
TEST_F(AdifReviewTest, LengthsThatDoNotFitTheLineAreIgnored) {
  TLogCollection log;
  NoSink sink;
  LoadAdifText(
      "<CALL:4>N0CALL <MODE:2>CW <RST_RCVD:40>599 12<EOR>\r\n"
      "<CALL:2>OK1ABC<QSCORE:1:N>7<EOR>\r\n",
      log, sink);
  ASSERT_EQ(log.Count(), 2);
  EXPECT_EQ(log.GetCall(0), "N0CALL");
  EXPECT_EQ(log.GetMode(0), Mode::kCw);
  EXPECT_EQ(log.GetRcvd(0), "599 12");
  EXPECT_EQ(log.GetCall(1), "OK1ABC");
  EXPECT_EQ(log.GetScoreNumStr(1), "7");
}

// A line break inside a text would cut the record line in two: the head, with the date, band
// and call, would be skipped and the tail would take those of the record before it.
TEST_F(AdifReviewTest, LineBreakInsideATextKeepsTheRecordOnOneLine) {
  TLogCollection log;
  log.Append(MakeQso(5, "UA9AAA", 70200, Mode::kCw));
  QsoRecord q = MakeQso(10, "DL1ABC", 141000, Mode::kPhone);
  q.Stamp = {2024, 3, 6, 23, 59, 0};
  q.Rcvd = "59\r\n9 12";
  log.Append(q);
  std::string file = BuildAdifLog(log);
  EXPECT_EQ(file.find("59\r\n9"), std::string::npos);
  TLogCollection back = ReadBack(log);
  ASSERT_EQ(back.Count(), 2);
  const QsoRecord& r = *back.At(1);
  EXPECT_EQ(r.Call, "DL1ABC");
  EXPECT_EQ(r.Stamp, q.Stamp);
  EXPECT_EQ(r.Freq, 141000);
  EXPECT_EQ(r.Mode, Mode::kPhone);
  EXPECT_EQ(r.Rcvd, "59  9 12");
}

// The QSOs beyond a full log are not in memory, so the file must not be replaced by the log:
// the load reports the file as not read whole, like one that broke off.
TEST_F(AdifReviewTest, FileLongerThanTheLogIsNotReportedAsReadWhole) {
  const std::string path = dir_.File("vorkan.adi");
  std::string text = AdifHeader();
  for (int i = 0; i < TLogCollection::kMaxCount + 2; ++i) text += "<CALL:3>AAA<EOR>\r\n";
  testing::Spit(path, text);
  TLogCollection log;
  AdifLoadStats stats;
  NoSink sink;
  Status st = LoadAdifLog(path, log, sink, &stats);
  EXPECT_EQ(st.code, ErrCode::kIo);
  EXPECT_NE(st.message.find("65535"), std::string::npos) << st.message;
  EXPECT_EQ(log.Count(), TLogCollection::kMaxCount);
  EXPECT_EQ(stats.droppedFull, 2);
}

}  // namespace
}  // namespace vk
