// Files the log must survive: other programs' ADIF, damaged files, impossible stamps, and the
// one-record append that saves a new QSO.
#include <gtest/gtest.h>

#include <string>

#include "log/adif.h"
#include "log_test_util.h"
#include "scratch_mount.h"

namespace vk {
namespace {

using testing::MakeQso;
using testing::ScratchDir;
using testing::Slurp;
using testing::Spit;

class AdifDurabilityTest : public ::testing::Test {
 protected:
  TLogCollection Load(const std::string& text, AdifLoadStats& stats) {
    TLogCollection log;
    Spit(dir_.File("in.adi"), text);
    EXPECT_TRUE(LoadAdifLog(dir_.File("in.adi"), log, sink_, &stats).ok());
    return log;
  }

  ScratchDir dir_;
  struct : AdifLoadSink {
    void OnRecordLoaded(const QsoRecord&) override {}
  } sink_;
};

// Another program writes one field per line, lower-case names and "<eor>", and fields this
// log does not keep: every QSO is read, and the load says the file was not read whole.
TEST_F(AdifDurabilityTest, RecordsSpreadOverSeveralLinesAreRead) {
  std::string text = "Exported by another logger\n<adif_ver:5>3.1.4\n<eoh>\n\n";
  for (int i = 0; i < 20; ++i) {
    text +=
        "<call:5>W1A" + std::string(1, static_cast<char>('A' + i)) + "A\n<qso_date:8>20240305\n";
    text += "<time_on:6>090759\n<band:3>20m\n<mode:3>SSB\n<name:4>John\n<rst_sent:3>599\n<eor>\n\n";
  }
  AdifLoadStats stats;
  TLogCollection log = Load(text, stats);
  ASSERT_EQ(log.Count(), 20);
  EXPECT_EQ(log.GetCall(19), "W1ATA");
  EXPECT_EQ(log.GetSent(0), "599");
  EXPECT_EQ(log.At(0)->Stamp, (DateTime{2024, 3, 5, 9, 7, 59}));
  EXPECT_EQ(log.GetFreq(0), 141000);
  EXPECT_EQ(log.GetMode(0), Mode::kPhone);
  EXPECT_FALSE(stats.Whole());
  EXPECT_EQ(stats.unknownFields, 20);
  EXPECT_NE(stats.Describe().find("name"), std::string::npos);
}

TEST_F(AdifDurabilityTest, OwnFilesReadWholeAndDamagedOnesDoNot) {
  TLogCollection own;
  own.Append(MakeQso(10, "DL1ABC"));
  own.Append(MakeQso(15, "UA3AAA"));
  AdifLoadStats stats;
  EXPECT_EQ(Load(BuildAdifLog(own), stats).Count(), 2);
  EXPECT_TRUE(stats.Whole());
  EXPECT_TRUE(stats.endsWithLineEnd);

  std::string random;
  std::uint32_t x = 1;
  for (int i = 0; i < 1 << 20; ++i) {
    x = x * 1103515245u + 12345u;
    random += static_cast<char>(x >> 23);
  }
  const struct {
    const char* what;
    std::string text;
  } damaged[] = {
      {"random bytes", random},
      {"cut in the middle of a record", BuildAdifLog(own) + "<QSO_DATE:8>20240305<CALL:4>R3"},
      {"text between records", BuildAdifLog(own) + "garbage\r\n"},
      {"a call longer than the log keeps", "<CALL:20>ABCDEFGHIJKLMNOPQRST<EOR>\r\n"},
      {"a record too long to be one", "<CALL:3>BIG" + std::string(2 << 20, ' ') + "<EOR>\r\n"},
  };
  for (const auto& d : damaged) {
    Load(d.text, stats);
    EXPECT_FALSE(stats.Whole()) << d.what;
  }
}

// An 8 KB comment and many records on one line are ordinary ADIF.
TEST_F(AdifDurabilityTest, LongFieldsAndOneLineFilesAreRead) {
  std::string text = "<EOH>";
  for (int i = 0; i < 1000; ++i)
    text += "<CALL:4>K1AA<COMMENT:8192>" + std::string(8192, 'c') + "<EOR>";
  AdifLoadStats stats;
  EXPECT_EQ(Load(text, stats).Count(), 1000);
  EXPECT_EQ(stats.longLines, 0);
}

TEST_F(AdifDurabilityTest, ImpossibleStampsAreLeftOutAndShortYearsKeepFourDigits) {
  AdifLoadStats stats;
  TLogCollection log = Load(
      "<CALL:4>OK1A<QSO_DATE:8>20240305<TIME_ON:4>0907<EOR>\r\n"
      "<CALL:4>BAD1<QSO_DATE:8>20249905<EOR>\r\n"
      "<CALL:4>BAD2<QSO_DATE:8>20240230<EOR>\r\n"
      "<CALL:4>BAD3<TIME_ON:4>9999<EOR>\r\n"
      "<CALL:4>BAD4<QSO_DATE:8> 2240305<EOR>\r\n"
      "<CALL:4>OK2A<EOR>\r\n",
      stats);
  ASSERT_EQ(log.Count(), 2);
  EXPECT_EQ(log.GetCall(1), "OK2A");
  EXPECT_EQ(log.At(1)->Stamp, (DateTime{2024, 3, 5, 9, 7, 0}));  // not one of the bad ones
  EXPECT_EQ(stats.badStamps, 4);
  EXPECT_FALSE(stats.Whole());

  // A record that never had a date keeps none through a save and a load (found by fuzzing: the
  // time's parse gave the empty year a century).
  TLogCollection undated = Load("<CALL:4>K1AA<EOR>\r\n", stats);
  EXPECT_EQ(Load(BuildAdifLog(undated), stats).At(0)->Stamp, DateTime{});

  QsoRecord q = MakeQso(7, "OLD1");
  q.Stamp = {224, 3, 5, 9, 7, 0};
  EXPECT_EQ(AdifRecordLine(q).substr(0, 20), "<QSO_DATE:8>02240305");
  TLogCollection one;
  one.Append(q);
  EXPECT_EQ(Load(BuildAdifLog(one), stats).At(0)->Stamp, q.Stamp);
}

// Appending the records one by one gives exactly the bytes of writing the whole log.
TEST_F(AdifDurabilityTest, AppendedRecordsGiveTheWholeFileLayout) {
  const std::string path = dir_.File("vorkan.adi");
  TLogCollection log;
  log.Append(MakeQso(5, "DL1ABC"));
  FileMark mark;
  ASSERT_TRUE(WriteAdifLog(log, path, &mark).ok());
  for (int i = 0; i < 50; ++i) {
    log.Append(MakeQso(10 + i, "UA" + std::to_string(i) + "AA"));
    ASSERT_TRUE(AppendAdifRecord(*log.At(log.Count() - 1), path, mark).ok());
  }
  EXPECT_EQ(Slurp(path), BuildAdifLog(log));
  EXPECT_EQ(mark.size, Slurp(path).size());

  // Changed behind the writer's back: not appended to, and the caller is told to write it all.
  Spit(path, "replaced by hand");
  EXPECT_EQ(AppendAdifRecord(MakeQso(1, "X"), path, mark).code, ErrCode::kNotFound);
  EXPECT_EQ(Slurp(path), "replaced by hand");
}

// On a full disk the append fails and leaves no half record behind.
TEST_F(AdifDurabilityTest, FullDiskAppendLeavesTheFileAsItWas) {
  ScratchDir disk;
  if (!testing::MountSmallDisk(disk.path(), 16 * 1024)) GTEST_SKIP() << "cannot mount here";
  const std::string path = disk.File("vorkan.adi");
  TLogCollection log;
  log.Append(MakeQso(5, "DL1ABC"));
  FileMark mark;
  ASSERT_TRUE(WriteAdifLog(log, path, &mark).ok());
  Spit(disk.File("filler"), std::string(64 * 1024, 'x'));  // fills what is left
  const std::string before = Slurp(path);
  Status s;
  for (int i = 0; i < 200 && s.ok(); ++i) {
    log.Append(MakeQso(10 + i, "UA3AAA"));
    s = AppendAdifRecord(*log.At(log.Count() - 1), path, mark);
  }
  const std::string after = Slurp(path);
  testing::Unmount(disk.path());
  EXPECT_EQ(s.code, ErrCode::kIo);
  ASSERT_GE(after.size(), before.size());
  EXPECT_EQ(after.substr(after.size() - 2), "\r\n");  // whole records only
  EXPECT_EQ(after.size(), mark.size);
}

}  // namespace
}  // namespace vk
