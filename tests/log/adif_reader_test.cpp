#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>
#include <string>
#include <vector>

#include "log/adif.h"
#include "log/journal.h"
#include "log_test_util.h"

namespace vk {
namespace {

using testing::ExampleQso;
using testing::MakeQso;
using testing::ScratchDir;
using testing::Spit;

// Remembers every record it is shown and how long the log was at that moment.
class RecordingSink : public AdifLoadSink {
 public:
  explicit RecordingSink(const TLogCollection& log) : log_(log) {}
  void OnRecordLoaded(const QsoRecord& q) override {
    seen.push_back(q);
    countAtCall.push_back(log_.Count());
  }
  std::vector<QsoRecord> seen;
  std::vector<int> countAtCall;

 private:
  const TLogCollection& log_;
};

// `lastGuid`: the Guid of the last record the sink heard of, where a station's counter goes on.
TLogCollection LoadText(const std::string& text, AdifLoadStats* stats = nullptr,
                        std::int32_t* lastGuid = nullptr, Journal* journal = nullptr) {
  TLogCollection log;
  RecordingSink sink(log);
  LoadAdifText(text, log, sink, stats, journal);
  if (lastGuid != nullptr) *lastGuid = sink.seen.empty() ? 0 : sink.seen.back().Guid;
  return log;
}

// Random contacts that the file can carry exactly: no spaces at the ends of texts, four-digit
// years, modes the writer names.  Texts may hold '<' and '>': the lengths in the tags carry them.
TLogCollection RandomLog(unsigned seed, int count) {
  std::mt19937 rng(seed);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto text = [&](int maxLen) {
    std::string s;
    int n = pick(0, maxLen);
    for (int i = 0; i < n; ++i) {
      char c = static_cast<char>(pick(0, 3) == 0 ? pick(0x80, 0xEF) : pick('!', 'Z'));
      s += c;
    }
    if (pick(0, 4) == 0 && s.size() > 2) s[1] = ' ';  // spaces inside are kept
    return s;
  };
  TLogCollection log;
  for (int i = 0; i < count; ++i) {
    QsoRecord q;
    q.Guid = pick(1, 2000000000) * (pick(0, 9) == 0 ? -1 : 1);
    q.Stamp = {
        static_cast<std::uint16_t>(pick(1000, 9999)), static_cast<std::uint16_t>(pick(1, 12)),
        static_cast<std::uint16_t>(pick(1, 28)),      static_cast<std::uint16_t>(pick(0, 23)),
        static_cast<std::uint16_t>(pick(0, 59)),      static_cast<std::uint16_t>(pick(0, 59))};
    q.Freq = pick(0, 3) == 0 ? pick(0, 20000000) : pick(18000, 300000);
    q.Mode = ModeOrUnknown(pick(0, 5));
    q.Call = text(16);
    q.Sent = text(16);
    q.Rcvd = text(16);
    q.Score = static_cast<std::int16_t>(pick(-32768, 32767) * (pick(0, 1)));
    q.Multi = static_cast<std::int16_t>(pick(0, 3) == 0 ? pick(-5, 300) : 0);
    q.Bonus = static_cast<std::int16_t>(pick(0, 3) == 0 ? pick(-5, 300) : 0);
    q.Mark = pick(0, 3) == 0 ? pick(2, 100000) : 1;
    q.Place = pick(0, 5) == 0 ? pick(1, 2000000000) * 1000LL + pick(0, 999) : 0;
    log.Append(q);
  }
  return log;
}

// Every load that meets damaged input leaves one summary line in the journal; keep it here.
class AdifReaderTest : public ::testing::Test {
 protected:
  std::string Journal() const { return testing::Slurp(journalDir_.File("debug.txt")); }
  TLogCollection LoadText(const std::string& text, AdifLoadStats* stats = nullptr,
                          std::int32_t* lastGuid = nullptr) {
    return vk::LoadText(text, stats, lastGuid, &journal_);
  }

 private:
  ScratchDir journalDir_;
  vk::Journal journal_{journalDir_.File("debug.txt")};
};

void ExpectSameLog(const TLogCollection& a, const TLogCollection& b) {
  ASSERT_EQ(a.Count(), b.Count());
  for (int i = 0; i < a.Count(); ++i) {
    ASSERT_EQ(*a.At(i), *b.At(i)) << "position " << i << ": " << a.At(i)->Call;
  }
  EXPECT_EQ(a.LogCrc(), b.LogCrc());
}

TEST_F(AdifReaderTest, WrittenLogsReadBackUnchanged) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    TLogCollection log = RandomLog(seed, 150);
    ExpectSameLog(LoadText(BuildAdifLog(log)), log);
  }
}

TEST_F(AdifReaderTest, ThroughTheFileWithSinkAndCounter) {
  ScratchDir dir;
  std::string path = dir.File("vorkan.adi");
  TLogCollection log = RandomLog(99, 500);
  ASSERT_TRUE(WriteAdifLog(log, path).ok());
  TLogCollection back;
  RecordingSink sink(back);
  AdifLoadStats stats;
  ASSERT_TRUE(LoadAdifLog(path, back, sink, &stats).ok());
  ExpectSameLog(back, log);
  EXPECT_EQ(stats.records, 500);
  EXPECT_EQ(sink.seen.back().Guid, log.At(499)->Guid);
  ASSERT_EQ(sink.seen.size(), 500u);
  for (int i = 0; i < 500; ++i) {
    EXPECT_EQ(sink.countAtCall[i], i);  // the sink hears of each record before it is appended
    EXPECT_EQ(sink.seen[i].Guid, log.At(i)->Guid);
  }
}

TEST_F(AdifReaderTest, MissingFileLoadsNothingAndIsNoError) {
  ScratchDir dir;
  TLogCollection log;
  EXPECT_TRUE(LoadAdifLog(dir.File("vorkan.adi"), log).ok());
  EXPECT_TRUE(log.Empty());
}

TEST_F(AdifReaderTest, UnreadableFileIsAnIoError) {
  ScratchDir dir;
  TLogCollection log;
  Status st = LoadAdifLog(dir.path(), log);  // a directory cannot be read as a log
  EXPECT_EQ(st.code, ErrCode::kIo);
  EXPECT_TRUE(log.Empty());
}

TEST_F(AdifReaderTest, RecordsWithoutGuidAreNumberedByFives) {
  std::int32_t lastGuid = 777;
  TLogCollection log = LoadText(
      "<EOH>\r\n"
      "<CALL:3>AAA<EOR>\r\n"
      "\r\n"
      "<CALL:3>BBB<QGUID:3>100<EOR>\r\n"
      "<CALL:3>CCC<EOR>\r\n",
      nullptr, &lastGuid);
  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.GetGuid(0), 5);
  EXPECT_EQ(log.GetGuid(1), 100);
  EXPECT_EQ(log.GetGuid(2), 15);  // the counter runs on for records that had a Guid
  EXPECT_EQ(lastGuid, 15);
}

TEST_F(AdifReaderTest, MissingFieldsRepeatTheLineBeforeButNumbersDoNot) {
  TLogCollection log = LoadText(
      "<QSO_DATE:8>20240305<TIME_ON:4>0907<BAND:3>20M<FREQ:6>14.025<MODE:3>SSB<CALL:6>N0CALL"
      "<RST_SENT:3>001<RST_RCVD:2>59<QSCORE:1>2<QMULTI:1>1<QBONUS:1>3<QGUID:2>40<EOR>\r\n"
      "<CALL:6>UA3AAA<RST_RCVD:2>57<EOR>\r\n");
  ASSERT_EQ(log.Count(), 2);
  const QsoRecord& q = *log.At(1);
  EXPECT_EQ(q.Call, "UA3AAA");
  EXPECT_EQ(q.Sent, "001");
  EXPECT_EQ(q.Rcvd, "57");
  EXPECT_EQ(q.Freq, 140250);
  EXPECT_EQ(q.Mode, Mode::kPhone);
  EXPECT_EQ(q.Stamp, (DateTime{2024, 3, 5, 9, 7, 0}));
  EXPECT_EQ(q.Score, 0);
  EXPECT_EQ(q.Multi, 0);
  EXPECT_EQ(q.Bonus, 0);
  EXPECT_EQ(q.Guid, 10);
}

TEST_F(AdifReaderTest, FirstRecordStartsFromANewRecord) {
  TLogCollection log = LoadText("<CALL:3>AAA<EOR>");
  ASSERT_EQ(log.Count(), 1);
  QsoRecord expect;
  expect.Guid = 5;
  expect.Call = "AAA";
  expect.Crc = ComputeQsoCrc(expect);
  EXPECT_EQ(*log.At(0), expect);
}

// ADIF names are case-insensitive; fields the log does not keep are counted.
TEST_F(AdifReaderTest, TagNamesInAnyCaseAndUnknownTagsCounted) {
  AdifLoadStats stats;
  TLogCollection log = LoadText(
      "<CALL:6>N0CALL<EOR>\r\n"
      "<call:6>UA3AAA<NAME:4>Ivan<COMMENT:3>x:y<EOR>\r\n"
      "<CALL:4>R3AA<eor>\r\n",
      &stats);
  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.GetCall(1), "UA3AAA");
  EXPECT_EQ(log.GetCall(2), "R3AA");
  EXPECT_EQ(stats.unknownFields, 2);
  EXPECT_EQ(stats.unknownNames, "NAME COMMENT");
}

TEST_F(AdifReaderTest, BandAloneGivesTheBandFrequencyAndFreqWins) {
  TLogCollection log = LoadText(
      "<BAND:3>40M<EOR>\r\n"
      "<BAND:3>30M<EOR>\r\n"
      "<BAND:3>20M<FREQ:6>14.025<EOR>\r\n"
      "<BAND:3>xyz<EOR>\r\n"
      "<BAND:2>2M<FREQ:3>abc<EOR>\r\n"
      "<FREQ:0><EOR>\r\n"
      "<FREQ:5>1e300<EOR>\r\n");
  ASSERT_EQ(log.Count(), 7);
  EXPECT_EQ(log.GetFreq(0), 70500);
  EXPECT_EQ(log.GetFreq(1), 101000);
  EXPECT_EQ(log.GetFreq(2), 140250);
  EXPECT_EQ(log.GetFreq(3), 0);
  // A FREQ that is not a number leaves the frequency the record already had.
  EXPECT_EQ(log.GetFreq(4), 1440000);
  EXPECT_EQ(log.GetFreq(5), 1440000);
  EXPECT_EQ(log.GetFreq(6), 1440000);
  EXPECT_EQ(Journal(), "ADIF text: 7 QSO; 3 FREQ not a number\r\n");
}

TEST_F(AdifReaderTest, ValuesAreTrimmedCutAndNumbersDefaultToZero) {
  TLogCollection log = LoadText(
      "  <CALL:20> ABCDEFGHIJKLMNOPQRST <RST_SENT:3> 5 9 <QSCORE:2>x1<QGUID:3>abc"
      "< MODE:2 >CW<QMULTI:6>-32768<EOR>\r\n");
  ASSERT_EQ(log.Count(), 1);
  const QsoRecord& q = *log.At(0);
  EXPECT_EQ(q.Call, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(q.Sent, "5 9");
  EXPECT_EQ(q.Score, 0);
  EXPECT_EQ(q.Guid, 5);
  EXPECT_EQ(q.Mode, Mode::kCw);
  EXPECT_EQ(q.Multi, -32768);
}

TEST_F(AdifReaderTest, BrokenTagsDoNotStopTheRecordOrTheLoad) {
  TLogCollection log = LoadText(
      "<CALL:6>N0CALL<RST_SENT:3>001<EOR>\r\n"
      "<CALL:6 UA3AAA<RST_SENT:3>002<EOR>\r\n"      // "<" without ">": that tag is skipped
      "<CALL:4>R3AA>junk<<<RST_RCVD:2>57<EOR>\r\n"  // stray ">" and "<"
      "<CALL:4>R4AA<RST_SENT:3>003<EOR\r\n"         // the record goes on to the next "<EOR>"
      "garbage<EOR>more<\r\n"
      "<<<<<EOR>\r\n"
      ">>>><EOR><CALL:4>R9AA\r\n");  // unfinished at the end
  ASSERT_EQ(log.Count(), 6);
  EXPECT_EQ(log.GetCall(1), "N0CALL");
  EXPECT_EQ(log.GetSent(1), "002");
  EXPECT_EQ(log.GetCall(2), "R3AA>junk");
  EXPECT_EQ(log.GetRcvd(2), "57");
  EXPECT_EQ(log.GetCall(3), "R4AA");
  EXPECT_EQ(log.GetSent(3), "003");
  EXPECT_EQ(log.GetCall(5), "R4AA");
}

TEST_F(AdifReaderTest, LoadAppendsToWhatTheLogHoldsAndSumsOnce) {
  TLogCollection log;
  log.Append(ExampleQso());
  RecordingSink sink(log);
  LoadAdifText("<CALL:3>AAA<EOR>\n<CALL:3>BBB<EOR>", log, sink);  // LF only, no final newline
  ASSERT_EQ(log.Count(), 3);
  EXPECT_EQ(log.GetCall(0), "N0CALL");
  EXPECT_EQ(log.GetCall(2), "BBB");
  TLogCollection fresh;
  for (const QsoRecord& q : log) fresh.Append(q);
  EXPECT_EQ(log.LogCrc(), fresh.LogCrc());
}

TEST_F(AdifReaderTest, LinesEndedByCarriageReturnAloneAreRead) {
  TLogCollection log = LoadText("<EOH>\r<CALL:3>AAA<EOR>\r<CALL:3>BBB<EOR>\r");
  EXPECT_EQ(log.Count(), 2);
}

TEST_F(AdifReaderTest, OverlongRecordsAreSkippedAndCounted) {
  std::string longCall = "<CALL:3>BAD" + std::string(2 << 20, ' ') + "<EOR>";
  std::string longish = "<CALL:3>OK1<COMMENT:400>" + std::string(400, 'c') + "<EOR>";
  AdifLoadStats stats;
  TLogCollection log = LoadText(longCall + "\r\n" + longish + "\r\n<CALL:3>OK2<EOR>", &stats);
  ASSERT_EQ(log.Count(), 2);
  EXPECT_EQ(log.GetCall(0), "OK1");
  EXPECT_EQ(log.GetCall(1), "OK2");
  EXPECT_EQ(stats.longLines, 1);
}

TEST_F(AdifReaderTest, RecordsBeyondAFullLogAreDroppedAndCounted) {
  std::string text;
  for (int i = 0; i < TLogCollection::kMaxCount + 3; ++i) text += "<CALL:3>AAA<EOR>\n";
  AdifLoadStats stats;
  std::int32_t lastGuid = 0;
  TLogCollection log = LoadText(text, &stats, &lastGuid);
  EXPECT_EQ(log.Count(), TLogCollection::kMaxCount);
  EXPECT_EQ(stats.droppedFull, 3);
  EXPECT_EQ(lastGuid, TLogCollection::kMaxCount * 5);
}

// Binary garbage with plenty of "<", ">" and "<EOR>" and a long stretch without any line end:
// the load must finish in linear time and keep the good records around the damage.
TEST_F(AdifReaderTest, LargeGarbageFileLoadsTheGoodRecords) {
  std::string text = "<CALL:5>FIRST<EOR>\r\n";
  const char pieces[] = {'<', '>', '\n', 'E', 'O', 'R', ':', '\0', '\x80'};
  std::uint32_t x = 7;  // xorshift: std::mt19937 per byte would dominate the test's time
  text.reserve(48u << 20);
  while (text.size() < (24u << 20)) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    text += (x & 7) ? static_cast<char>(x >> 8) : pieces[(x >> 8) % sizeof pieces];
    if ((x & 0xFFFF0) == 0x10) text += "<EOR>";
  }
  text += "\r\n";
  // 16 MB of "<" without a line end: work that is quadratic in a line would never end.
  text.append(16u << 20, '<');
  text += "\r\n<CALL:4>LAST<EOR>\r\n";
  AdifLoadStats stats;
  TLogCollection log = LoadText(text, &stats);
  ASSERT_GE(log.Count(), 2);
  EXPECT_EQ(log.GetCall(0), "FIRST");
  EXPECT_EQ(log.GetCall(log.Count() - 1), "LAST");
  EXPECT_GE(stats.longLines, 1);
}

}  // namespace
}  // namespace vk
