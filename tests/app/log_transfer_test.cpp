// File > Export ADIF and File > Import ADIF on a running station (World contest, DL1ABC).
#include "app/log_transfer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "log/adif.h"
#include "station_fixture.h"
#include "logbook_access.h"

namespace vk::test {
namespace {

class LogTransferTest : public StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
    WriteConfig("Contest=WORLD\r\nCall=DL1ABC\r\n");
    Station& st = Start();
    ASSERT_TRUE(st.LoadLog().ok());
    QsoRecord q;
    q.Guid = 7;
    q.Stamp = {2024, 3, 5, 9, 7, 0};
    q.Freq = 140250;
    q.Mode = Mode::kCw;
    q.Call = "F5AAA";
    q.Sent = "599 001";
    q.Rcvd = "599 015";
    test::MutableLog(st).Append(q);
    st.Book().ScoreOnly();
  }
};

TEST_F(LogTransferTest, ImportAppendsWhatItCanRescoresSavesAndListsTheRest) {
  std::ofstream(dir_ / "other.adi", std::ios::binary)
      << "exported by another program <eoh>\n"
      << "<call:5>K1ABC <qso_date:8>20240305 <time_on:4>0910 <band:3>20m <mode:2>CW\n"
         "<rst_rcvd:3>599 <srx:2>17 <eor>\n"
      << "<CALL:5>JA1AA<QSO_DATE:8>20240305<BAND:3>20M<MODE:2>CW<EOR>\n";  // no time
  const TransferReport r = ImportIntoStation(*station_, "other.adi");
  ASSERT_TRUE(r.status.ok()) << r.status.message;
  EXPECT_EQ(r.taken, 1);
  ASSERT_EQ(r.refused.size(), 1u);
  EXPECT_NE(r.refused[0].find("JA1AA"), std::string::npos);
  ASSERT_EQ(station_->Log().Count(), 2);
  EXPECT_EQ(station_->Log().At(0)->Call, "F5AAA");  // the log as it was, the new QSO after it
  EXPECT_EQ(station_->Log().At(1)->Score, 3);       // scored: another continent
  EXPECT_TRUE(recorder_.HeardCommand(cm::kLogRescored));
  TLogCollection file;
  ASSERT_TRUE(LoadAdifLog(LogPath(), file).ok());
  EXPECT_EQ(file.Count(), 2);
  // The same file again brings nothing twice.
  EXPECT_EQ(ImportIntoStation(*station_, "other.adi").taken, 0);
  EXPECT_FALSE(ImportIntoStation(*station_, "missing.adi").status.ok());
}

TEST_F(LogTransferTest, ExportWritesStandardAdifButNeverOverTheLog) {
  EXPECT_EQ(StandardExportName("EA8/DL1ABC"), "EA8_DL1ABC-export.adi");
  const TransferReport r = ExportStationLog(*station_, "up.adi");
  ASSERT_TRUE(r.status.ok()) << r.status.message;
  const std::string text = ReadWholeFile((dir_ / "up.adi").string());
  EXPECT_NE(text.find("<PROGRAMID:"), std::string::npos) << text;
  EXPECT_NE(text.find("<CALL:5>F5AAA"), std::string::npos) << text;
  EXPECT_FALSE(ExportStationLog(*station_, "vorkan.adi").status.ok());
}

}  // namespace
}  // namespace vk::test
