#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "log/adif.h"
#include "log_test_util.h"

namespace vk {
namespace {

using testing::ExampleQso;
using testing::MakeQso;
using testing::ScratchDir;
using testing::Slurp;
using testing::Spit;

constexpr const char* kHeader =
    "# Vork ver 4.0.19-8 Contest Logger ADIF\r\n"
    "<PROGRAMID:6>Vorkan\r\n"
    "<PROGRAMVERSION:8>4.0.19-8\r\n"
    "<ADIF_VER:3>3.0\r\n"
    "<USERDEF1:5:N>QSCORE\r\n"
    "<USERDEF2:5:N>QMULTI\r\n"
    "<USERDEF3:5:N>QBONUS\r\n"
    "<USERDEF4:10:N>QGUID\r\n"
    "<EOH>\r\n";

TEST(AdifWriterTest, ExampleRecordLine) {
  EXPECT_EQ(AdifRecordLine(ExampleQso()),
            "<QSO_DATE:8>20240305<TIME_ON:4>0907<BAND:3>20M<FREQ:6>14.025<MODE:2>CW"
            "<CALL:6>N0CALL<RST_SENT:3>001<RST_RCVD:6>599 12<QSCORE:1>2<QMULTI:1>1"
            "<QGUID:5>12345<EOR>");
}

TEST(AdifWriterTest, WholeFileIsHeaderThenOneCrLfLinePerQso) {
  TLogCollection log;
  log.Append(ExampleQso());
  log.Append(MakeQso(10, "UA3AAA"));
  EXPECT_EQ(BuildAdifLog(log), std::string(kHeader) + AdifRecordLine(*log.At(0)) + "\r\n" +
                                   AdifRecordLine(*log.At(1)) + "\r\n");
}

TEST(AdifWriterTest, FrequencyTexts) {
  EXPECT_EQ(AdifFreqText(140250), "14.025");
  EXPECT_EQ(AdifFreqText(70000), "7.0");
  EXPECT_EQ(AdifFreqText(101200), "10.12");
  EXPECT_EQ(AdifFreqText(18405), "1.8405");
  EXPECT_EQ(AdifFreqText(12960000), "1296.0");
  EXPECT_EQ(AdifFreqText(0), "0.0");
  EXPECT_EQ(AdifFreqText(-5), "-0.0005");
  EXPECT_EQ(AdifFreqText(INT32_MIN), "-214748.3648");
}

TEST(AdifWriterTest, BandModeAndOptionalFields) {
  QsoRecord q = MakeQso(0, "UA3AAA", 101200, Mode::kPhone);  // 30 m, outside every band text
  q.Sent = "  59 ";
  q.Rcvd = " 57 ";
  EXPECT_EQ(AdifRecordLine(q),
            "<QSO_DATE:8>20240305<TIME_ON:4>0907<BAND:1>M<FREQ:5>10.12<MODE:3>SSB"
            "<CALL:6>UA3AAA<RST_SENT:2>59<RST_RCVD:2>57<EOR>");
  q.Freq = 70000;
  q.Mode = Mode::kUnknown;
  q.Bonus = -2;
  EXPECT_EQ(AdifRecordLine(q),
            "<QSO_DATE:8>20240305<TIME_ON:4>0907<BAND:3>40M<FREQ:3>7.0<MODE:0>"
            "<CALL:6>UA3AAA<RST_SENT:2>59<RST_RCVD:2>57<QBONUS:2>-2<EOR>");
  for (auto [freq, band] : {std::pair{1450000, "<BAND:2>2M"},
                            {4320000, "<BAND:4>70CM"},
                            {12960000, "<BAND:4>23CM"},
                            {18400, "<BAND:4>160M"}}) {
    q.Freq = freq;
    EXPECT_NE(AdifRecordLine(q).find(band), std::string::npos) << band;
  }
}

TEST(AdifWriterTest, Cp866BytesAreWrittenAsStoredAndCountedAsBytes) {
  QsoRecord q = MakeQso(0, "R3A");
  q.Rcvd = "\x8C\x8E";  // two Cyrillic letters in CP866
  EXPECT_NE(AdifRecordLine(q).find("<RST_RCVD:2>\x8C\x8E<"), std::string::npos);
}

TEST(AdifWriterTest, WritesTheFileAndReplacesAnOldOne) {
  ScratchDir dir;
  std::string path = dir.File("vorkan.adi");
  Spit(path, "old contents that are much longer than nothing at all\r\n");
  TLogCollection log;
  log.Append(ExampleQso());
  ASSERT_TRUE(WriteAdifLog(log, path).ok());
  EXPECT_EQ(Slurp(path), BuildAdifLog(log));
}

TEST(AdifWriterTest, EmptyLogLeavesTheFileAsItWas) {
  ScratchDir dir;
  std::string path = dir.File("vorkan.adi");
  Spit(path, "keep me\r\n");
  TLogCollection log;
  EXPECT_TRUE(WriteAdifLog(log, path).ok());
  EXPECT_EQ(Slurp(path), "keep me\r\n");
  EXPECT_TRUE(WriteAdifLog(log, dir.File("absent.adi")).ok());
  struct stat st;
  EXPECT_NE(::stat(dir.File("absent.adi").c_str(), &st), 0);
}

TEST(AdifWriterTest, FailedWriteIsReportedAndKeepsLogAndOldFile) {
  ScratchDir dir;
  TLogCollection log;
  log.Append(ExampleQso());
  Status st = WriteAdifLog(log, dir.File("no/such/dir/vorkan.adi"));
  EXPECT_FALSE(st.ok());
  EXPECT_EQ(st.code, ErrCode::kIo);
  EXPECT_EQ(log.Count(), 1);

  // A directory standing where the file should be: the rename fails, nothing is left behind.
  std::string path = dir.File("vorkan.adi");
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  Spit(path + "/inside", "x");
  EXPECT_FALSE(WriteAdifLog(log, path).ok());
  EXPECT_EQ(Slurp(path + "/inside"), "x");
  std::remove((path + "/inside").c_str());
  ::rmdir(path.c_str());
}

}  // namespace
}  // namespace vk
