// SPDX-License-Identifier: GPL-3.0-or-later
// The messages of WSJT-X and JTDX read from their bytes: the QSOs of QSO Logged and Logged
// ADIF, heartbeats and other types known by their header, and every kind of damage refused
// with a reason instead of read past the end.
#include "digital/wsjtx_message.h"

#include <gtest/gtest.h>

#include "wsjtx_stream.h"

namespace vk::test {
namespace {

TEST(WsjtxMessageTest, QsoLoggedGivesTheQsoWithItsUtcTimeOffAndContestExchange) {
  WsjtxMessage m;
  ASSERT_TRUE(DecodeWsjtx(QsoLogged("k1abc"), m).ok());
  EXPECT_EQ(m.kind, WsjtxKind::kQsoLogged);
  EXPECT_EQ(m.id, "WSJT-X");
  EXPECT_EQ(m.qso.timeOff, (DateTime{2026, 12, 5, 12, 34, 56}));
  EXPECT_EQ(m.qso.call, "K1ABC");
  EXPECT_EQ(m.qso.freqHz, 14075500U);
  EXPECT_EQ(m.qso.mode, "FT8");
  EXPECT_EQ(m.qso.rstSent, "-10");
  EXPECT_EQ(m.qso.rstRcvd, "-07");
  EXPECT_EQ(m.qso.exchSent, "JO62");
  EXPECT_EQ(m.qso.exchRcvd, "FN42");
}

// Versions before the contest fields end the message after Name.
TEST(WsjtxMessageTest, QsoLoggedOfAnOlderVersionEndsAfterTheName) {
  WsjtxStream s(5, "JTDX", 2);
  s.Utc(kDec5, 0).Text("JA1XYZ").Text("").U64(7074000).Text("FT4").Text("+01").Text("-03");
  s.Text("").Text("").Text("");
  WsjtxMessage m;
  ASSERT_TRUE(DecodeWsjtx(s.Bytes(), m).ok());
  EXPECT_EQ(m.qso.call, "JA1XYZ");
  EXPECT_EQ(m.qso.timeOff, (DateTime{2026, 12, 5, 0, 0, 0}));
  EXPECT_TRUE(m.qso.exchRcvd.empty());
}

TEST(WsjtxMessageTest, LoggedAdifTakesTimeOffModeSubmodeAndExchangeFields) {
  WsjtxMessage m;
  ASSERT_TRUE(DecodeWsjtx(LoggedAdif("<call:5>W1AW <gridsquare:4>FN31 <mode:4>MFSK <submode:3>FT4 "
                                     "<rst_sent:3>-05 <rst_rcvd:3>+02 <qso_date:8>20261205 "
                                     "<time_on:6>235930 <qso_date_off:8>20261206 <time_off:6>000115 "
                                     "<band:3>20m <freq:9>14.081000 <srx_string:2>CT"),
                          m)
                  .ok());
  EXPECT_EQ(m.kind, WsjtxKind::kLoggedAdif);
  const DigitalQso& q = m.qso;
  EXPECT_EQ(q.call, "W1AW");
  EXPECT_EQ(q.timeOff, (DateTime{2026, 12, 6, 0, 1, 15}));
  EXPECT_EQ(q.freqHz, 14081000U);
  EXPECT_EQ(q.band, "20M");
  EXPECT_EQ(q.mode, "MFSK");
  EXPECT_EQ(q.submode, "FT4");
  EXPECT_EQ(q.exchRcvd, "CT");
  EXPECT_EQ(q.grid, "FN31");
}

TEST(WsjtxMessageTest, HeartbeatsAndOtherTypesAreKnownByTheirHeader) {
  WsjtxMessage m;
  ASSERT_TRUE(DecodeWsjtx(WsjtxStream(0).U32(3).Text("2.6.1").Text("").Bytes(), m).ok());
  EXPECT_EQ(m.kind, WsjtxKind::kHeartbeat);
  EXPECT_EQ(m.version, "2.6.1");
  ASSERT_TRUE(DecodeWsjtx(WsjtxStream(2).U(1, 1).Bytes(), m).ok());  // a decode
  EXPECT_EQ(m.kind, WsjtxKind::kOther);
}

TEST(WsjtxMessageTest, DamagedOrForeignDatagramsAreRefusedWithTheReason) {
  const std::string good = QsoLogged("K1ABC");
  std::string longCall = WsjtxStream(5).Utc(kDec5, 0).U32(0x7fffffff).Bytes();
  std::string timeZone = WsjtxStream(5).U64(kDec5).U32(0).U(3, 1).Bytes();
  const struct {
    std::string bytes;
    const char* why;
  } cases[] = {
      {"", "not a WSJT-X message"},
      {"CQ TEST DL1ABC", "not a WSJT-X message"},
      {WsjtxStream(5, "WSJT-X", 3, 0xdacbbcad).Bytes(), "not a WSJT-X message"},
      {WsjtxStream(5, "WSJT-X", 1).Bytes(), "schema 1"},
      {good.substr(0, good.size() / 2), "ends inside"},
      {longCall, "too long"},
      {timeZone, "time zone"},
      {WsjtxStream(5).Utc(kDec5, 86400000).Bytes(), "not a date"},
      {QsoLogged(""), "no call"},
      {LoggedAdif("<call:4>K1AB"), "no date"},
      {LoggedAdif("<call:4>K1AB <qso_date:8>20261305 <time_on:4>1200"), "no date"},
      {LoggedAdif("<call:4>K1AB <qso_date:8>20261205 <time_on:4>1200 <freq:3>abc"), "frequency"},
      {WsjtxStream(12).Text("no record").Bytes(), "no ADIF record"},
  };
  for (const auto& c : cases) {
    WsjtxMessage m;
    const Status s = DecodeWsjtx(c.bytes, m);
    EXPECT_FALSE(s.ok()) << c.why;
    EXPECT_NE(s.message.find(c.why), std::string::npos) << s.message;
  }
}

}  // namespace
}  // namespace vk::test
