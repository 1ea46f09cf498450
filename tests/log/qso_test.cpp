#include "log/qso.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "log_test_util.h"

namespace vk {
namespace {

using testing::MakeQso;

// A plain bitwise CRC-32 (reflected 0xEDB88320), independent of zlib's table.
std::uint32_t BitwiseCrc32(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// The record's bytes as the checksum is defined over them, built field by field.
std::vector<std::uint8_t> RecordBytes(const QsoRecord& q) {
  std::vector<std::uint8_t> b;
  PutLe(b, static_cast<std::uint32_t>(q.Guid), 4);
  for (int f :
       {q.Stamp.year, q.Stamp.month, q.Stamp.day, q.Stamp.hour, q.Stamp.minute, q.Stamp.second}) {
    PutLe(b, static_cast<std::uint32_t>(f), 2);
  }
  PutLe(b, static_cast<std::uint32_t>(q.Freq), 4);
  b.push_back(ModeNumber(q.Mode));
  for (const std::string* s : {&q.Call, &q.Sent, &q.Rcvd}) b.insert(b.end(), s->begin(), s->end());
  for (int v : {q.Score, q.Multi, q.Bonus}) PutLe(b, static_cast<std::uint32_t>(v), 2);
  return b;
}

TEST(QsoRecordTest, NewRecordHasTheDocumentedDefaults) {
  QsoRecord q;
  EXPECT_EQ(q.Guid, 0);
  EXPECT_EQ(q.Mark, 1);
  EXPECT_EQ(q.Crc, 0xFFFFFFFFu);
  EXPECT_EQ(q.Stamp, DateTime{});
  EXPECT_EQ(q.Freq, 0);
  EXPECT_EQ(q.Mode, Mode::kUnknown);
  EXPECT_TRUE(q.Call.empty() && q.Sent.empty() && q.Rcvd.empty());
  EXPECT_EQ(q.Score + q.Multi + q.Bonus, 0);
}

TEST(QsoCrcTest, MatchesBitwiseCrcOverTheRecordLayout) {
  QsoRecord a = testing::ExampleQso();
  QsoRecord b =
      MakeQso(-7, "UA9\x80\x8F", 12960000, Mode::kPsk31);  // Cyrillic CP866 bytes, negative Guid
  b.Stamp = {2099, 12, 31, 23, 59, 58};
  b.Score = -3;
  b.Multi = 300;
  b.Bonus = 32767;
  QsoRecord empty;
  for (const QsoRecord* q : {&a, &b, &empty}) {
    EXPECT_EQ(ComputeQsoCrc(*q), BitwiseCrc32(RecordBytes(*q)));
  }
}

TEST(QsoCrcTest, ContentsChangeTheSumButMarkAndCrcDoNot) {
  QsoRecord a = MakeQso(5, "N0CALL");
  QsoRecord b = MakeQso(5, "N0CALM");
  EXPECT_NE(ComputeQsoCrc(a), ComputeQsoCrc(b));
  QsoRecord c = a;
  c.Mark = 0;
  c.Crc = 1234;
  EXPECT_EQ(ComputeQsoCrc(a), ComputeQsoCrc(c));
  // Strings are fed without their lengths: moving a character from Call to Sent is invisible.
  QsoRecord d = a;
  d.Call = "N0CAL";
  d.Sent = "L" + d.Sent;
  EXPECT_EQ(ComputeQsoCrc(a), ComputeQsoCrc(d));
}

TEST(QsoTextTest, BandTextsFollowTheLogRanges) {
  struct Case {
    std::int32_t freq;
    const char* text;
    const char* adif;
  };
  const Case cases[] = {
      {17999, "   ", "   "},   {18000, "160", "160"},    {20000, "160", "160"},
      {20001, "   ", "   "},   {40000, " 80", " 80"},    {40001, "   ", "   "},
      {73000, " 40", " 40"},   {101000, "   ", "   "},   {143500, " 20", " 20"},
      {73001, "   ", "   "},   {143501, "   ", "   "},
      {214500, " 15", " 15"},  {299990, " 10", " 10"},   {299991, "   ", "   "},
      {1440000, "144", "2"},   {1450000, "144", "2"},    {1460000, "144", "2"},
      {4320000, "430", "70C"}, {12960000, "1.2", "23C"}, {13000001, "   ", "   "},
      {0, "   ", "   "},       {-140250, "   ", "   "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QsoBandText(c.freq, false), c.text) << c.freq;
    EXPECT_EQ(QsoBandText(c.freq, true), c.adif) << c.freq;
  }
}

TEST(QsoTextTest, ModeAndScoreTexts) {
  EXPECT_EQ(QsoModeText(Mode::kCw), "CW");
  EXPECT_EQ(QsoModeText(Mode::kPhone), "PH");
  EXPECT_EQ(QsoModeText(Mode::kFm), "FM");
  EXPECT_EQ(QsoModeText(Mode::kRtty), "RTTY");
  EXPECT_EQ(QsoModeText(Mode::kPsk31), "PSK31");
  EXPECT_EQ(QsoModeText(Mode::kUnknown), "");
  EXPECT_EQ(QsoModeText(static_cast<Mode>(6)), "");
  EXPECT_EQ(QsoModeText(static_cast<Mode>(255)), "");

  QsoRecord q;
  q.Score = 12;
  q.Bonus = 3;
  EXPECT_EQ(QsoScoreText(q), "12*");
  q.Bonus = 0;
  EXPECT_EQ(QsoScoreText(q), "12");
  q.Score = -1;
  q.Multi = 1;
  EXPECT_EQ(QsoScoreText(q), "-1*");
}

TEST(QsoIdCounterTest, RaisesAndWrapsWithoutOverflow) {
  QsoIdCounter ids;
  ids.Set(99);
  EXPECT_EQ(ids.Raise(), 100);
  EXPECT_EQ(ids.Current(), 100);
  ids.Set(INT32_MAX);
  EXPECT_EQ(ids.Raise(), INT32_MIN);
}

}  // namespace
}  // namespace vk
