// QSO lines of both reports: exact lines for contacts that fit the columns, and for the ones
// that do not, the guarantee robots depend on: every item whole and apart from the next.
#include "reports/qso_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "report_fixture.h"

namespace vk {
namespace {

using test::At;
using test::Qso;

std::vector<std::string> Items(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> items;
  for (std::string item; in >> item;) items.push_back(item);
  return items;
}

// A CW contact on 14025.0 kHz at 09:07 on 5 March 2024 with UA9QQQQ.
TEST(QsoLine, CabrilloAndErmakColumns) {
  QsoRecord q = Qso(At(5, 9, 7), 140250, Mode::kCw, "UA9QQQQ", "599 001", "599 123");
  const std::string cab = CabrilloQsoLine(q, "N0CALL");
  // The sponsors' template, column for column:
  //   QSO: ***** ** yyyy-mm-dd nnnn ************* nnn ****** ************* nnn ******
  EXPECT_EQ(cab, "QSO: 14025 CW 2024-03-05 0907 N0CALL        599 001    UA9QQQQ       599 123");
  const std::string erm = ErmakQsoLine(q, "N0CALL");
  EXPECT_EQ(erm,
            "QSO: 14025 CW 2024-03-05 0907 N0CALL        599 001     UA9QQQQ       599 123    ");
  EXPECT_EQ(erm.size(), 81u);

  // 80 m: the frequency right-aligned in five columns in both; the 100 Hz digit is dropped,
  // never rounded.  A phone report of two digits keeps the report column three wide.
  q.Freq = 35109;
  EXPECT_EQ(CabrilloQsoLine(q, "N0CALL").substr(0, 14), "QSO:  3510 CW ");
  EXPECT_EQ(ErmakQsoLine(q, "N0CALL").substr(0, 14), "QSO:  3510 CW ");
  q.Mode = Mode::kPhone;
  q.Sent = "59 14";
  q.Call = "W1AW";
  q.Rcvd = "59  5";
  EXPECT_EQ(CabrilloQsoLine(q, "N0CALL"),
            "QSO:  3510 PH 2024-03-05 0907 N0CALL        59  14     W1AW          59  5");
}

TEST(QsoLine, FrequencyItem) {
  struct Case {
    std::int32_t freq;
    const char* text;
  } cases[] = {
      {18300, "1830"},      {35109, "3510"},    {140259, "14025"},  {299990, "29999"},
      {350000, "35000"},  // 35 MHz: no amateur band, kHz kept
      {500500, "50"},       {1440000, "144"},   {1459990, "144"},   {1480001, "148000"},
      {4320000, "432"},     {12960000, "1.2G"}, {24000000, "2.3G"}, {104000000, "10G"},
      {1340000000, "134G"}, {0, "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(CabrilloFreqText(c.freq), c.text) << c.freq;
}

TEST(QsoLine, ModeItemsAreTheCabrilloOnes) {
  const char* expected[] = {"", "CW", "PH", "FM", "RY", "DG", ""};
  for (std::uint8_t m = 0; m <= 6; ++m) {
    EXPECT_EQ(CabrilloModeText(static_cast<Mode>(m)), expected[m]) << int(m);
  }

  QsoRecord rtty = Qso(At(5, 12, 0), 140850, Mode::kRtty, "K1TEO", "599 001", "599 MA");
  EXPECT_EQ(CabrilloQsoLine(rtty, "RA3ABC"),
            "QSO: 14085 RY 2024-03-05 1200 RA3ABC        599 001    K1TEO         599 MA");
  QsoRecord psk = Qso(At(5, 12, 1), 70350, Mode::kPsk31, "DL1ABC", "599 002", "599 014");
  EXPECT_EQ(ErmakQsoLine(psk, "RA3ABC"),
            "QSO:  7035 DG 2024-03-05 1201 RA3ABC        599 002     DL1ABC        599 014    ");
}

// 2 m and 23 cm contacts keep their band: the designators stand where the kHz figure would.
TEST(QsoLine, VhfBands) {
  QsoRecord q2m = Qso(At(5, 18, 30), 1440000, Mode::kFm, "UA3AAA", "59 001 KO85", "59 017 KO91");
  EXPECT_EQ(CabrilloQsoLine(q2m, "RA3ABC"),
            "QSO:   144 FM 2024-03-05 1830 RA3ABC        59  001 KO85 UA3AAA        59  017 KO91");
  EXPECT_EQ(ErmakQsoLine(q2m, "RA3ABC").substr(0, 14), "QSO:   144 FM ");
  QsoRecord q23 = Qso(At(5, 18, 31), 12960000, Mode::kCw, "UA3AAA", "599 002", "599 018");
  EXPECT_EQ(CabrilloQsoLine(q23, "RA3ABC").substr(0, 14), "QSO:  1.2G CW ");
  EXPECT_EQ(ErmakQsoLine(q23, "RA3ABC").substr(0, 14), "QSO:  1.2G CW ");
}

// Calls and exchanges as long as the log keeps them (16 characters) are written whole, and
// every item stays apart from the next one, so a robot splitting at spaces gets them all.
TEST(QsoLine, LongItemsAreWholeAndApart) {
  const std::string ownCall = "RA3ABC/1/QRP12";  // 14: one longer than its column
  QsoRecord q = Qso(At(5, 23, 59), 140250, Mode::kCw, "UA9QQQ/P/MM/ABCD", "599 001 MOSCOW1",
                    "599 123 ABCDEFGH");
  for (const std::string& line : {CabrilloQsoLine(q, ownCall), ErmakQsoLine(q, ownCall)}) {
    SCOPED_TRACE(line);
    EXPECT_EQ(Items(line), (std::vector<std::string>{
                               "QSO:", "14025", "CW", "2024-03-05", "2359", ownCall, "599", "001",
                               "MOSCOW1", "UA9QQQ/P/MM/ABCD", "599", "123", "ABCDEFGH"}));
  }
  // An exchange longer than its columns widens only itself.
  q.Sent = "599 001 ABC";
  q.Call = "UA9QQQ";
  EXPECT_EQ(CabrilloQsoLine(q, "N0CALL").substr(30),
            "N0CALL        599 001 ABC UA9QQQ        599 123 ABCDEFGH");
}

TEST(QsoLine, OwnCallIsTrimmed) {
  QsoRecord q = Qso(At(5, 9, 7), 140250, Mode::kCw, "UA9QQQQ", "599 001", "599 123");
  EXPECT_EQ(CabrilloQsoLine(q, "  N0CALL "), CabrilloQsoLine(q, "N0CALL"));
}

}  // namespace
}  // namespace vk
