// The log as standard ADIF for upload services and back: the fields services read, files of
// other programs with their habits and their broken records, and a log that survives the trip.
#include <gtest/gtest.h>

#include <string>

#include "report_fixture.h"
#include "reports/adif_export.h"
#include "reports/adif_import.h"
#include "util/datetime.h"

namespace vk {
namespace {

using test::At;
using test::Qso;

AdifExportSettings Settings(std::string contest, ZoneField zones) {
  AdifExportSettings s;
  s.stationCall = "DL1ABC";
  s.contestId = std::move(contest);
  s.zones = zones;
  return s;
}

// What a QSO is to the log and to another program; checksums and marks are the log's own.
std::string Seen(const QsoRecord& q) {
  return FormatMask(q.Stamp, "yyyy-mm-dd hhnn") + ' ' + std::to_string(q.Freq) + ' ' +
         std::to_string(ModeNumber(q.Mode)) + ' ' + q.Call + '|' + q.Sent + '|' + q.Rcvd;
}

AdifImportRules AllBands(ZoneField zones) {
  AdifImportRules r;
  r.bands.fill(true);
  r.zones = zones;
  return r;
}

TEST(AdifExport, FieldsForUploadServices) {
  TLogCollection log;
  log.Append(Qso(At(5, 9, 7), 140250, Mode::kCw, "UA9QQQQ", "599 14", "599 17"));
  log.Append(Qso(At(5, 9, 8), 70351, Mode::kPsk31, "K1TEO", "599", "599 5"));
  QsoRecord dupe = Qso(At(5, 9, 9), 140250, Mode::kCw, "UA9QQQQ", "599 14", "599 17");
  dupe.Dupe = true;
  log.Append(dupe);
  AdifExportSettings s = Settings("CQ-WW-CW", ZoneField::kCq);
  s.dupes = false;
  const std::string text = StandardAdifText(log, s, DateTime{2024, 3, 6, 10, 2, 3});
  EXPECT_NE(text.find("<ADIF_VER:5>3.1.4"), std::string::npos);
  EXPECT_NE(text.find("<CREATED_TIMESTAMP:15>20240306 100203"), std::string::npos);
  EXPECT_NE(text.find("<CALL:7>UA9QQQQ<QSO_DATE:8>20240305<TIME_ON:4>0907<BAND:3>20M"
                      "<FREQ:6>14.025<MODE:2>CW<RST_SENT:3>599<STX_STRING:2>14<RST_RCVD:3>599"
                      "<SRX_STRING:2>17<CQZ:2>17<CONTEST_ID:8>CQ-WW-CW"
                      "<STATION_CALLSIGN:6>DL1ABC<OPERATOR:6>DL1ABC<EOR>\r\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<FREQ:6>7.0351<MODE:3>PSK<SUBMODE:5>PSK31<RST_SENT:3>599<RST_RCVD:3>599"
                      "<SRX_STRING:1>5<CQZ:1>5<CONTEST"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("0909"), std::string::npos);  // the dupe is left out

  // Serial contests: the number as an ADIF Integer, the text as logged.
  TLogCollection wpx;
  wpx.Append(Qso(At(5, 9, 7), 210000, Mode::kPhone, "W1AW", "59 001", "59 0123"));
  const std::string w = StandardAdifText(wpx, Settings("CQ-WPX-SSB", ZoneField::kNone), {});
  EXPECT_NE(w.find("<MODE:3>SSB<RST_SENT:2>59<STX:1>1<STX_STRING:3>001<RST_RCVD:2>59<SRX:3>123"
                   "<SRX_STRING:4>0123<CONTEST_ID"),
            std::string::npos)
      << w;
}

// Hand-written files in the styles of other programs: any case, any order, "<" in a value,
// lengths in bytes, a band instead of a frequency; the broken records listed with the reason.
TEST(AdifImport, OtherProgramsAndBrokenRecords) {
  const std::string text =
      "Exported by hand\r\n<adif_ver:5>3.1.0<programid:4>TEST<eoh>\r\n"
      "<call:5>k1teo <qso_date:8>20240305 <time_on:6>120159 <freq:6>14.025 <mode:2>CW\r\n"
      " <rst_sent:3>599 <rst_rcvd:3>599 <stx:2>14 <srx:1>5 <eor>\r\n"
      "<MODE:3>SSB<CALL:6>DL2XYZ<BAND:3>40m<QSO_DATE:8>20240305<TIME_ON:4>1300<RST_RCVD:2>59"
      "<CQZ:2>14<COMMENT:7>a<b>c<d<EOR>"
      "<MODE:3>PSK<SUBMODE:5>PSK31<CALL:4>W1AW<FREQ:5>7.035<QSO_DATE:8>20240305<TIME_ON:4>1301"
      "<SRX_STRING:2>MA<EOR>"
      "<QSO_DATE:8>20240305<TIME_ON:4>1302<FREQ:5>7.012<MODE:2>CW<EOR>"
      "<CALL:5>OK1AA<TIME_ON:4>1303<FREQ:5>7.012<MODE:2>CW<EOR>"
      "<CALL:5>OK1AB<QSO_DATE:8>20240231<TIME_ON:4>1303<FREQ:5>7.012<MODE:2>CW<EOR>"
      "<CALL:5>OK1AC<QSO_DATE:8>20240305<TIME_ON:4>1304<FREQ:6>10.120<MODE:2>CW<EOR>"
      "<CALL:5>OK1AD<QSO_DATE:8>20240305<TIME_ON:4>1305<FREQ:5>7.074<MODE:3>FT8<EOR>"
      "<CALL:5>OK1AE<QSO_DATE:8>20240305<TIME_ON:4>1306<MODE:2>CW<EOR>"
      "<CALL:5>OK1AF<QSO_DATE:8>20240305<TIME_ON:4>1307<FREQ:5>7.0";  // cut off
  TLogCollection log;
  log.Append(Qso(At(5, 12, 1), 140250, Mode::kCw, "K1TEO", "599 14", "599 5"));
  AdifImportResult r = ImportAdifText(text, AllBands(ZoneField::kCq), log);
  ASSERT_EQ(r.qsos.size(), 2u);
  EXPECT_EQ(Seen(r.qsos[0]), "2024-03-05 1300 70500 2 DL2XYZ||59 14");
  EXPECT_EQ(Seen(r.qsos[1]), "2024-03-05 1301 70350 5 W1AW||MA");
  EXPECT_EQ(r.refused, (std::vector<std::string>{
                           "record 1 (k1teo): already in the log",
                           "record 4: no call",
                           "record 5 (OK1AA): no date",
                           "record 6 (OK1AB): date 20240231 is not a date",
                           "record 7 (OK1AC): band of 10.12 MHz not in the contest",
                           "record 8 (OK1AD): mode FT8 not kept",
                           "record 9 (OK1AE): no frequency or band",
                       }));

  // A damaged length loses that field only.
  r = ImportAdifText(
      "<CALL:5>OK1AG<QSO_DATE:8>20240305<TIME_ON:4>1308<FREQ:-3>7.0<MODE:2>CW<EOR>"
      "<CALL:5>OK1AH<QSO_DATE:8>20240305<TIME_ON:4>1309<FREQ:5>7.012<MODE:2>CW<EOR>",
      AllBands(ZoneField::kCq), TLogCollection{});
  EXPECT_EQ(r.qsos.size(), 1u);
  EXPECT_EQ(r.refused, std::vector<std::string>{"record 1 (OK1AG): no frequency or band"});

  // A header that starts with a field, as some programs write it, is no part of a record.
  r = ImportAdifText("<ADIF_VER:5>3.1.0<CALL:4>NONE<EOH>" + text.substr(text.find("<call")),
                     AllBands(ZoneField::kCq), TLogCollection{});
  EXPECT_EQ(r.qsos.size(), 3u);
  EXPECT_EQ(r.refused.size(), 6u);

  // The same file into an empty log, for a contest without 40 m.
  AdifImportRules no40 = AllBands(ZoneField::kNone);
  no40.bands[3] = false;
  r = ImportAdifText(text, no40, TLogCollection{});
  ASSERT_EQ(r.qsos.size(), 1u);
  EXPECT_EQ(Seen(r.qsos[0]), "2024-03-05 1201 140250 1 K1TEO|599 14|599 5");
  EXPECT_EQ(r.refused[0], "record 2 (DL2XYZ): band of 7.05 MHz not in the contest");
}

TEST(AdifTransfer, ExportedLogComesBackTheSame) {
  TLogCollection log;
  log.Append(Qso(At(16, 12, 0), 140251, Mode::kCw, "RA3DAA", "599 001", "599 MO"));
  log.Append(Qso(At(16, 12, 1), 142000, Mode::kPhone, "UA9CAA", "59 002", "59 SV"));
  log.Append(Qso(At(16, 12, 2), 18300, Mode::kRtty, "UA2FAA", "599 003", "599 0012"));
  log.Append(Qso(At(16, 12, 3), 1440000, Mode::kFm, "UA3AAA/P", "59 004", "59 017 KO91"));
  for (ZoneField zones : {ZoneField::kNone, ZoneField::kCq}) {
    const std::string text = StandardAdifText(log, Settings("RDXC", zones), {});
    const AdifImportResult r = ImportAdifText(text, AllBands(zones), TLogCollection{});
    EXPECT_TRUE(r.refused.empty());
    ASSERT_EQ(r.qsos.size(), 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Seen(r.qsos[i]), Seen(*log.At(i)));
  }
}

}  // namespace
}  // namespace vk
