// The texts of the log exchange, letter for letter as the other stations build and read them,
// and the datagrams that must be refused whole.
#include "net/net_message.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "net_test_util.h"

namespace vk {
namespace {

using nettest::MakeQso;

// 5 March 2024 09:07 on 14.025 MHz CW with N0CALL, 2 points and a multiplier.
const std::string kLine = "12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1";

TEST(QsoLine, GoldenLineOfAQso) {
  EXPECT_EQ(BuildQsoLine(MakeQso(12345, "N0CALL")), kLine);
}

TEST(QsoLine, NegativeNumbersUnknownModeAndEmptyTexts) {
  QsoRecord q = MakeQso(-7, "UA9QQQ/P", 1450000, 59);
  q.Stamp = {2023, 12, 31, 23, 59, 0};
  q.Mode = Mode::kUnknown;
  q.Sent = "";
  q.Score = -1;
  q.Multi = 0;
  q.Bonus = 5;
  q.Mark = 0;
  EXPECT_EQ(BuildQsoLine(q), "-7`31-12-2023`23:59`1450000``UA9QQQ/P``599 15`-1`0`5`0");
  q.Mode = Mode::kPsk31;
  EXPECT_EQ(BuildQsoLine(q), "-7`31-12-2023`23:59`1450000`PSK31`UA9QQQ/P``599 15`-1`0`5`0");
}

TEST(Messages, GoldenTextOfEveryMessage) {
  const QsoRecord q = MakeQso(12345, "N0CALL");
  EXPECT_EQ(HeloMessage(0), "HELO:0");
  EXPECT_EQ(HeloMessage(305441741), "HELO:305441741");
  // The checksum goes out as a signed 32-bit number.
  EXPECT_EQ(HeloMessage(0xFFFFFFFFu), "HELO:-1");
  EXPECT_EQ(HeloMessage(0x89ABCDEFu), "HELO:-1985229329");
  EXPECT_EQ(AddMessage(q), "ADD:" + kLine);
  EXPECT_EQ(EdtMessage(q), "EDT:" + kLine);
  EXPECT_EQ(DelMessage(12345), "DEL:12345");
  EXPECT_EQ(DelMessage(-2), "DEL:-2");
  EXPECT_EQ(InsMessage(12346, q), "INS:12346^" + kLine);
  EXPECT_EQ(GetMessage(3), "GET:3");
  EXPECT_EQ(QsoMessage(1, q), "QSO:1^" + kLine);
  EXPECT_EQ(EndLogMessage(), "ENDLOG:");
}

TEST(QsoLine, ReadsBackWhatItWrites) {
  QsoRecord q = MakeQso(2000000000, "\x90\x80\x33\x80\x80\x80", 35250, 0);  // CP866 letters
  q.Stamp = {2024, 1, 2, 0, 0, 0};
  q.Mode = Mode::kRtty;
  q.Score = -3;
  q.Bonus = 10;
  q.Mark = 7;  // the edit version
  // Seconds and an explicit place ride after the twelve fields, only where not zero.
  for (const auto& [second, place, tail] :
       {std::tuple{0, 0LL, ""}, std::tuple{9, 0LL, "`09"},
        std::tuple{0, -1704153600001LL, "`00`-1704153600001"}}) {
    q.Stamp.second = static_cast<std::uint16_t>(second);
    q.Place = place;
    const std::string line = BuildQsoLine(q);
    EXPECT_TRUE(line.ends_with("`7" + std::string(tail))) << line;
    std::string fault;
    const std::optional<QsoRecord> back = ParseQsoLine(line, &fault);
    ASSERT_TRUE(back.has_value()) << fault;
    q.Crc = back->Crc;
    EXPECT_EQ(*back, q);
  }
}

TEST(QsoLine, CutsTextsAndKeepsLow16BitsOfScores) {
  const auto q = ParseQsoLine(
      "1`05-03-2024`09:07`140250`PH`ABCDEFGHIJKLMNOPQRS`"
      "12345678901234567890``70000`65535`-32769`1");
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(q->Call, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(q->Sent, "1234567890123456");
  EXPECT_EQ(q->Rcvd, "");
  EXPECT_EQ(q->Mode, Mode::kPhone);
  EXPECT_EQ(q->Score, 4464);  // 70000 - 65536
  EXPECT_EQ(q->Multi, -1);
  EXPECT_EQ(q->Bonus, 32767);
}

TEST(QsoLine, StampForms) {
  // Single digits and a year padded with spaces (years below 1000) still read.
  auto q = ParseQsoLine("1`5-3-  24`9:7`140250`CW`K1AR`1`2`0`0`0`1");
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(q->Stamp, (DateTime{24, 3, 5, 9, 7, 0}));
  q = ParseQsoLine("1`00-00-   0`00:00`140250`CW`K1AR`1`2`0`0`0`1");
  ASSERT_TRUE(q.has_value());
  EXPECT_EQ(q->Stamp, DateTime{});  // an unstamped QSO stays unstamped, exactly
  EXPECT_EQ(BuildQsoLine(*q).substr(0, 21), "1`00-00-   0`00:00`14");
}

TEST(QsoLine, RefusesLinesThatCannotBeReadWhole) {
  struct Case {
    const char* line;
    const char* why;
  };
  const Case cases[] = {
      {"", "empty"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0", "11 fields"},
      {"12345`05-03-2024`09:07`140250`CW`N0`CALL`599 001`599 15`2`1`0`1", "accent in a call"},
      {"12a45`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "Guid"},
      {"`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "empty Guid"},
      {"2147483648`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "Guid > 32 bits"},
      {"12345`05-03-2024`09:07`1e5`CW`N0CALL`599 001`599 15`2`1`0`1", "frequency"},
      {"12345`05-03-2024`09:07`+140250`CW`N0CALL`599 001`599 15`2`1`0`1", "plus sign"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15``1`0`1", "empty score"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0` 1", "spaced mark"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1`", "empty seconds"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1`60", "second 60"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1`7", "one digit"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1`07`x", "place"},
      {"12345`05-03-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1`07`5`5", "15 fields"},
      {"12345`05/03/2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "date form"},
      {"12345`05-03-2024x`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "date tail"},
      {"12345`05-03-2024`0907`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "time form"},
      {"12345`05-03-2024`-9:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "negative hour"},
      {"12345`05-03-12024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "5-digit year"},
      {"12345`05-99-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "month 99"},
      {"12345`30-02-2024`09:07`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "30 February"},
      {"12345`05-03-2024`99:99`140250`CW`N0CALL`599 001`599 15`2`1`0`1", "99:99"},
  };
  for (const Case& c : cases) {
    std::string fault;
    EXPECT_FALSE(ParseQsoLine(c.line, &fault).has_value()) << c.why;
    EXPECT_FALSE(fault.empty()) << c.why;
  }
}

TEST(QsoLine, OnlyTextsWithoutTheSeparatorCanTravel) {
  QsoRecord q = MakeQso(1, "N0CALL");
  EXPECT_TRUE(CanTravel(q));
  q.Rcvd = "599`15";
  EXPECT_FALSE(CanTravel(q));
}

TEST(ParseMessage, ReadsEveryKeyword) {
  NetMessage m = ParseNetMessage("HELO:-1");
  EXPECT_EQ(m.verb, NetVerb::kHelo);
  EXPECT_EQ(m.number, 0xFFFFFFFFLL);
  m = ParseNetMessage("HELO:4294967295");  // the same 32 bits printed unsigned
  EXPECT_EQ(m.number, 0xFFFFFFFFLL);
  m = ParseNetMessage("ADD:" + kLine);
  EXPECT_EQ(m.verb, NetVerb::kAdd);
  EXPECT_EQ(m.qso.Call, "N0CALL");
  EXPECT_EQ(ParseNetMessage("EDT:" + kLine).verb, NetVerb::kEdt);
  m = ParseNetMessage("DEL:-5");
  EXPECT_EQ(m.verb, NetVerb::kDel);
  EXPECT_EQ(m.number, -5);
  m = ParseNetMessage("INS:777^" + kLine);
  EXPECT_EQ(m.verb, NetVerb::kIns);
  EXPECT_EQ(m.number, 777);
  EXPECT_EQ(m.qso.Guid, 12345);
  m = ParseNetMessage("GET:0");
  EXPECT_EQ(m.verb, NetVerb::kGet);
  EXPECT_EQ(m.number, 0);
  m = ParseNetMessage("QSO:4^" + kLine);
  EXPECT_EQ(m.verb, NetVerb::kQso);
  EXPECT_EQ(m.number, 4);
  EXPECT_EQ(ParseNetMessage("ENDLOG:").verb, NetVerb::kEndLog);
}

TEST(ParseMessage, RefusesMalformedDatagrams) {
  const std::string cases[] = {
      "",                                      // empty
      std::string(256, 'A'),                   // longer than any message
      "ADD:" + kLine + std::string(200, ' '),  // a real line made over-long
      "HELO:\x01\x02",                         // binary
      std::string("DEL:1\0", 6),               // NUL inside
      "HELLO:5",                               // unknown keyword
      "add:" + kLine,                          // keywords are upper case
      " ADD:" + kLine,                         // the keyword is at the start
      "HELO:",                                 // checksum missing
      "HELO:abc",                              // not a number
      "HELO: 5",                               // spaces are not digits
      "HELO:4294967296",                       // beyond 32 bits
      "DEL:",                                  // Guid missing
      "DEL:1.5",                               // not an integer
      "GET:99999999999",                       // a huge count
      "GET:-",                                 // a sign alone
      "INS:" + kLine,                          // no "^"
      "INS:x^" + kLine,                        // bad Guid before "^"
      "QSO:-1^" + kLine,                       // a position before the start
      "QSO:1^",                                // no line
      "ADD:12345`05-03-2024",                  // cut short
      "EDT:",                                  // no line at all
      "ENDLOG:now",                            // only the bare keyword ends a transfer
  };
  for (const std::string& text : cases) {
    const NetMessage m = ParseNetMessage(text);
    EXPECT_EQ(m.verb, NetVerb::kNone) << PrintableText(text);
    EXPECT_FALSE(m.fault.empty()) << PrintableText(text);
  }
}

TEST(ParseMessage, Cp866LettersAreText) {
  const std::string text =
      "ADD:1`05-03-2024`09:07`140250`PH`\x90\x80\x33\x80\x80`\xAF\xE0\xA8`"
      "599 15`1`0`0`1";
  const NetMessage m = ParseNetMessage(text);
  ASSERT_EQ(m.verb, NetVerb::kAdd) << m.fault;
  EXPECT_EQ(m.qso.Sent, "\xAF\xE0\xA8");
  EXPECT_EQ(DatagramFault(text), "");
  EXPECT_EQ(PrintableText(std::string("a\x01z\x7F", 4)), "a?z?");
}

TEST(ParseStrictInt, BoundsAndForms) {
  EXPECT_EQ(ParseStrictInt("0", 0, 10), 0);
  EXPECT_EQ(ParseStrictInt("-10", -10, 10), -10);
  EXPECT_EQ(ParseStrictInt("11", 0, 10), std::nullopt);
  EXPECT_EQ(ParseStrictInt("-11", -10, 10), std::nullopt);
  EXPECT_EQ(ParseStrictInt("99999999999999999999999", 0, 10), std::nullopt);
  EXPECT_EQ(ParseStrictInt("5 ", 0, 10), std::nullopt);
}

}  // namespace
}  // namespace vk
