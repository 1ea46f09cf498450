// SPDX-License-Identifier: GPL-3.0-or-later
// The packets listeners written for N1MM Logger+ read: element names, order and value forms
// as its broadcasts have them (golden documents), the pieces they are made of, and the score
// document of the online scoreboards.
#include "broadcast/n1mm_packets.h"

#include <gtest/gtest.h>

#include "broadcast/score_xml.h"

namespace vk::test {
namespace {

ContactPacket W1aw() {
  ContactPacket p;
  p.contestName = "CQ-WW-CW";
  p.stamp = {2026, 11, 28, 12, 34, 0};
  p.myCall = "DL1ABC";
  p.op = "DL1ABC";
  p.freq = 35255;
  p.mode = Mode::kCw;
  p.call = "W1AW";
  p.countryPrefix = "K";
  p.wpxPrefix = "W1";
  p.continent = "NA";
  p.sent = "599 14";
  p.rcvd = "599 05";
  p.points = 3;
  p.multiplier1 = true;
  p.stationName = "SHACK";
  p.id = "000000000000000000000000000a0001";
  return p;
}

TEST(N1mmPacketsTest, ContactInfoHasTheDocumentedElementsInOrder) {
  EXPECT_EQ(ContactXml("contactinfo", W1aw()),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<contactinfo>\r\n"
            "\t<app>Vorkan</app>\r\n\t<contestname>CQ-WW-CW</contestname>\r\n"
            "\t<contestnr>1</contestnr>\r\n\t<timestamp>2026-11-28 12:34:00</timestamp>\r\n"
            "\t<mycall>DL1ABC</mycall>\r\n\t<band>3.5</band>\r\n\t<rxfreq>352550</rxfreq>\r\n"
            "\t<txfreq>352550</txfreq>\r\n\t<operator>DL1ABC</operator>\r\n\t<mode>CW</mode>\r\n"
            "\t<call>W1AW</call>\r\n\t<countryprefix>K</countryprefix>\r\n"
            "\t<wpxprefix>W1</wpxprefix>\r\n\t<stationprefix>DL1ABC</stationprefix>\r\n"
            "\t<continent>NA</continent>\r\n\t<snt>599</snt>\r\n\t<sntnr>14</sntnr>\r\n"
            "\t<rcv>599</rcv>\r\n\t<rcvnr>5</rcvnr>\r\n\t<gridsquare></gridsquare>\r\n"
            "\t<exchange1></exchange1>\r\n\t<section></section>\r\n\t<comment></comment>\r\n"
            "\t<qth></qth>\r\n\t<name></name>\r\n\t<power></power>\r\n\t<misctext></misctext>\r\n"
            "\t<zone>0</zone>\r\n\t<prec></prec>\r\n\t<ck>0</ck>\r\n"
            "\t<ismultiplier1>1</ismultiplier1>\r\n\t<ismultiplier2>0</ismultiplier2>\r\n"
            "\t<ismultiplier3>0</ismultiplier3>\r\n\t<points>3</points>\r\n"
            "\t<radionr>1</radionr>\r\n\t<run1run2>1</run1run2>\r\n"
            "\t<RoverLocation></RoverLocation>\r\n\t<RadioInterfaced>0</RadioInterfaced>\r\n"
            "\t<NetworkedCompNr>0</NetworkedCompNr>\r\n\t<IsOriginal>True</IsOriginal>\r\n"
            "\t<NetBiosName>SHACK</NetBiosName>\r\n\t<IsRunQSO>0</IsRunQSO>\r\n"
            "\t<StationName>SHACK</StationName>\r\n"
            "\t<ID>000000000000000000000000000a0001</ID>\r\n"
            "\t<IsClaimedQso>1</IsClaimedQso>\r\n</contactinfo>\r\n");
}

TEST(N1mmPacketsTest, DeleteAndRadioInfoCarryTheirDocumentedFields) {
  EXPECT_EQ(ContactDeleteXml(W1aw()),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<contactdelete>\r\n"
            "\t<app>Vorkan</app>\r\n\t<timestamp>2026-11-28 12:34:00</timestamp>\r\n"
            "\t<call>W1AW</call>\r\n\t<contestnr>1</contestnr>\r\n"
            "\t<StationName>SHACK</StationName>\r\n"
            "\t<ID>000000000000000000000000000a0001</ID>\r\n</contactdelete>\r\n");
  RadioPacket r;
  r.freq = 140255;
  r.mode = Mode::kPhone;
  r.opCall = "DL1ABC";
  const std::string x = RadioInfoXml(r);
  for (const char* want : {"<RadioInfo>", "\t<Freq>1402550</Freq>", "\t<TXFreq>1402550</TXFreq>",
                           "\t<Mode>USB</Mode>", "\t<OpCall>DL1ABC</OpCall>",
                           "\t<RadioNr>1</RadioNr>", "\t<IsConnected>False</IsConnected>"}) {
    EXPECT_NE(x.find(want), std::string::npos) << want;
  }
}

TEST(N1mmPacketsTest, PiecesTakeTheFormsListenersParse) {
  const struct {
    Freq f;
    Mode m;
    const char* band;
    const char* mode;
  } bands[] = {{18300, Mode::kPhone, "1.8", "LSB"},  {70250, Mode::kPhone, "7", "LSB"},
               {141950, Mode::kPhone, "14", "USB"}, {280250, Mode::kRtty, "28", "RTTY"},
               {1443000, Mode::kFm, "144", "FM"},   {101200, Mode::kCw, "10", "CW"},
               {4000, Mode::kCw, "", "CW"}};
  for (const auto& b : bands) {
    EXPECT_EQ(BandMhzText(b.f), b.band) << b.f;
    EXPECT_EQ(PacketModeText(b.f, b.m), b.mode) << b.f;
  }
  const struct {
    const char* exchange;
    PacketExchange parts;
  } exchanges[] = {{"599 001", {"599", "1", ""}},   {"59 14", {"59", "14", ""}},
                   {"579 CT", {"579", "", "CT"}},   {"-10 FN42", {"-10", "", "FN42"}},
                   {"1A EMA", {"", "", "1A EMA"}},  {"", {"", "", ""}},
                   {"599", {"599", "", ""}},        {"5 ABC", {"", "", "5 ABC"}}};
  for (const auto& e : exchanges) {
    const PacketExchange p = SplitPacketExchange(e.exchange);
    EXPECT_EQ(p.report, e.parts.report) << e.exchange;
    EXPECT_EQ(p.number, e.parts.number) << e.exchange;
    EXPECT_EQ(p.rest, e.parts.rest) << e.exchange;
  }
  EXPECT_EQ(XmlText("A&B<\"x\">\x01\x8e"), "A&amp;B&lt;&quot;x&quot;&gt;\xd0\x9e");  // CP866 O
}

TEST(ScoreXmlTest, TheDocumentCarriesTotalsBreakdownAndCategory) {
  ScoreDocument d;
  d.contest = "CQ-WW-CW";
  d.call = "DL1ABC";
  d.ops = "DL1ABC";
  d.mode = "CW";
  d.total = {"total", "ALL", 2, 4, 2};
  d.lines = {{"20", "CW", 2, 4, 2}};
  d.score = 8;
  d.stamp = {2026, 11, 28, 12, 0, 5};
  const std::string x = DynamicResultsXml(d);
  for (const char* want :
       {"<dynamicresults>", "<contest>CQ-WW-CW</contest>", "<call>DL1ABC</call>",
        "<class power=\"HIGH\" assisted=\"NON-ASSISTED\" transmitter=\"ONE\" ops=\"SINGLE-OP\" "
        "bands=\"ALL\" mode=\"CW\" overlay=\"\"></class>",
        "<qso band=\"total\" mode=\"ALL\">2</qso>", "<point band=\"20\" mode=\"CW\">4</point>",
        "<mult band=\"20\" mode=\"CW\" type=\"ALL\">2</mult>", "<score>8</score>",
        "<timestamp>2026-11-28 12:00:05</timestamp>"}) {
    EXPECT_NE(x.find(want), std::string::npos) << want;
  }
}

}  // namespace
}  // namespace vk::test
