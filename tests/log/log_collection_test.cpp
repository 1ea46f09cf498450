#include "log/log_collection.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "log_test_util.h"
#include "util/fake_clock.h"

namespace vk {
namespace {

using testing::ExampleQso;
using testing::MakeQso;

// Log checksum computed from scratch: CRC-32 over the little-endian record checksums.
std::uint32_t SumOfRecords(const TLogCollection& log) {
  uLong crc = crc32(0L, Z_NULL, 0);
  for (const QsoRecord& q : log) {
    Bytef b[4] = {Bytef(q.Crc), Bytef(q.Crc >> 8), Bytef(q.Crc >> 16), Bytef(q.Crc >> 24)};
    crc = crc32(crc, b, 4);
  }
  return static_cast<std::uint32_t>(crc);
}


TEST(LogCollectionTest, AppendSumsTheCopyAndTheLog) {
  TLogCollection log;
  EXPECT_EQ(log.LogCrc(), 0u);
  QsoRecord q = MakeQso(5, "N0CALL");
  q.Crc = 42;  // a stale checksum of the caller's record is never taken over
  ASSERT_TRUE(log.Append(q));
  EXPECT_EQ(log.At(0)->Crc, ComputeQsoCrc(q));
  EXPECT_EQ(log.At(0)->Mark, 1);
  EXPECT_NE(log.LogCrc(), 0u);
  EXPECT_EQ(log.LogCrc(), SumOfRecords(log));
  ASSERT_TRUE(log.Append(MakeQso(10, "UA3AAA")));
  EXPECT_EQ(log.LogCrc(), SumOfRecords(log));
}

TEST(LogCollectionTest, LogChecksumDependsOnOrder) {
  TLogCollection a, b;
  a.Append(MakeQso(5, "N0CALL"));
  a.Append(MakeQso(10, "UA3AAA"));
  b.Append(MakeQso(10, "UA3AAA"));
  b.Append(MakeQso(5, "N0CALL"));
  EXPECT_NE(a.LogCrc(), b.LogCrc());
}

TEST(LogCollectionTest, AppendAndInsertCutLongFields) {
  TLogCollection log;
  QsoRecord q = MakeQso(1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  q.Sent = std::string(40, 'S');
  log.Append(q);
  log.InsertAt(0, q);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(log.GetCall(i), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(log.GetSent(i).size(), 16u);
  }
}

TEST(LogCollectionTest, InsertDeleteAndClearKeepTheChecksumsRight) {
  TLogCollection log;
  log.Append(MakeQso(5, "AAA"));
  log.Append(MakeQso(10, "CCC"));
  ASSERT_TRUE(log.InsertAt(1, MakeQso(7, "BBB")));
  EXPECT_EQ(log.GetCall(0), "AAA");
  EXPECT_EQ(log.GetCall(1), "BBB");
  EXPECT_EQ(log.GetCall(2), "CCC");
  EXPECT_EQ(log.At(1)->Crc, ComputeQsoCrc(*log.At(1)));
  EXPECT_EQ(log.LogCrc(), SumOfRecords(log));
  ASSERT_TRUE(log.InsertAt(3, MakeQso(12, "DDD")));  // at the count: becomes the last
  EXPECT_EQ(log.GetCall(3), "DDD");

  ASSERT_TRUE(log.Delete(0));
  EXPECT_EQ(log.GetCall(0), "BBB");
  EXPECT_EQ(log.LogCrc(), SumOfRecords(log));

  log.Clear();
  EXPECT_EQ(log.Count(), 0);
  EXPECT_EQ(log.LogCrc(), 0u);
}

TEST(LogCollectionTest, DeletingTheOnlyQsoLeavesChecksumZero) {
  TLogCollection log;
  log.Append(ExampleQso());
  ASSERT_TRUE(log.Delete(0));
  EXPECT_TRUE(log.Empty());
  EXPECT_EQ(log.LogCrc(), 0u);
}

TEST(LogCollectionTest, EditThenRecomputeAndAppendAfterAStaleEdit) {
  TLogCollection log;
  log.Append(MakeQso(5, "AAA"));
  log.Append(MakeQso(10, "BBB"));
  std::uint32_t before = log.LogCrc();
  log.SetCall(0, "ZZZZZZZZZZZZZZZZZZZZ");
  log.SetSent(0, "002");
  log.SetRcvd(0, "579");
  log.SetFreq(0, 70250);
  log.SetStamp(0, "06-03-2024 10:15", "dd-mm-yyyy hh:nn", FakeTimeSource{});
  EXPECT_EQ(log.GetCall(0), "ZZZZZZZZZZZZZZZZ");
  EXPECT_EQ(log.GetStampStr(0, "yyyy-mm-dd hh:nn"), "2024-03-06 10:15");
  EXPECT_EQ(log.LogCrc(), before);  // setters alone change no checksum
  log.CalcCrc(0);
  EXPECT_EQ(log.At(0)->Crc, ComputeQsoCrc(*log.At(0)));
  // The caller forgot CalcLogCrc; the next append must still leave a true log checksum.
  log.Append(MakeQso(15, "CCC"));
  EXPECT_EQ(log.LogCrc(), SumOfRecords(log));
}

TEST(LogCollectionTest, FindByGuidGivesTheLowestPosition) {
  TLogCollection log;
  EXPECT_EQ(log.FindByGuid(0), -1);
  log.Append(MakeQso(5, "AAA"));
  log.Append(MakeQso(10, "BBB"));
  log.Append(MakeQso(10, "CCC"));
  EXPECT_EQ(log.FindByGuid(10), 1);
  EXPECT_EQ(log.FindByGuid(5), 0);
  EXPECT_EQ(log.FindByGuid(11), -1);
}

TEST(LogCollectionTest, GettersOfOneQso) {
  TLogCollection log;
  log.Append(ExampleQso());
  EXPECT_EQ(log.GetGuid(0), 12345);
  EXPECT_EQ(log.GetFreq(0), 140250);
  EXPECT_EQ(log.GetMode(0), Mode::kCw);
  EXPECT_EQ(log.GetSent(0), "001");
  EXPECT_EQ(log.GetRcvd(0), "599 12");
  EXPECT_EQ(log.GetBandStr(0), " 20");
  EXPECT_EQ(log.GetModeStr(0), "CW");
  EXPECT_EQ(log.GetScoreStr(0), "2*");
  EXPECT_EQ(log.GetScoreNumStr(0), "2");
  EXPECT_EQ(log.GetMultiNumStr(0), "1");
  EXPECT_EQ(log.GetBonusNumStr(0), "0");
  EXPECT_EQ(log.GetStampStr(0, "dd-mm-yyyy hh:nn"), "05-03-2024 09:07");
  // 5 March 2024 is day 45356 after 30 December 1899; 09:07 is 547 minutes into it.
  EXPECT_DOUBLE_EQ(log.GetStampValue(0), 45356 + 547 / 1440.0);
}

TEST(LogCollectionTest, BandNameAndModeNameSetters) {
  TLogCollection log;
  log.Append(ExampleQso());
  log.SetFreqFromBand(0, "2M");
  EXPECT_EQ(log.GetFreq(0), 1440000);
  EXPECT_EQ(log.GetBandStr(0), "144");
  log.AdifBandNames = true;
  EXPECT_EQ(log.GetBandStr(0), "2");
  log.AdifBandNames = false;
  log.SetFreqFromBand(0, "30M");
  EXPECT_EQ(log.GetBandStr(0), "   ");
  log.SetModeFromName(0, "SSB");
  EXPECT_EQ(log.GetModeStr(0), "PH");
  log.SetModeFromName(0, "ssb");
  EXPECT_EQ(log.GetMode(0), Mode::kUnknown);
}

TEST(LogCollectionTest, BadPositionsAreRefusedOrIgnored) {
  TLogCollection log;
  log.Append(ExampleQso());
  std::uint32_t crc = log.LogCrc();
  for (int pos : {-1, 1, 65535, -2147483647 - 1}) {
    EXPECT_FALSE(log.Delete(pos));
    EXPECT_EQ(log.At(pos), nullptr);
    log.SetCall(pos, "X");
    log.SetStamp(pos, "01-01-2024 00:00", "dd-mm-yyyy hh:nn", FakeTimeSource{});
    log.SetFreq(pos, 1);
    log.SetFreqFromBand(pos, "20M");
    log.SetModeFromName(pos, "CW");
    log.CalcCrc(pos);
    EXPECT_EQ(log.GetCall(pos), "");
    EXPECT_EQ(log.GetGuid(pos), 0);
    EXPECT_EQ(log.GetStampValue(pos), 0);
  }
  EXPECT_FALSE(log.InsertAt(2, MakeQso(1, "X")));
  EXPECT_FALSE(log.InsertAt(-1, MakeQso(1, "X")));
  EXPECT_EQ(log.Count(), 1);
  EXPECT_EQ(log.LogCrc(), crc);
  EXPECT_EQ(log.GetCall(0), "N0CALL");
}

TEST(LogCollectionTest, HoldsAFullLogAndRefusesMore) {
  TLogCollection log;
  for (int i = 0; i < TLogCollection::kMaxCount; ++i) {
    ASSERT_TRUE(log.Append(MakeQso(i * 5, "N0CALL")));
  }
  EXPECT_FALSE(log.Append(MakeQso(1, "ONE")));
  EXPECT_FALSE(log.InsertAt(0, MakeQso(1, "ONE")));
  EXPECT_EQ(log.Count(), 65535);
  EXPECT_EQ(log.LogCrc(), SumOfRecords(log));
  EXPECT_EQ(log.FindByGuid(65534 * 5), 65534);
}

}  // namespace
}  // namespace vk
