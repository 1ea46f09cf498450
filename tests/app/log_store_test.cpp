// The log on disk across runs: nothing a run could not read is ever replaced unread, and a new
// QSO costs one appended record.
#include "app/log_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "scratch_mount.h"
#include "station_fixture.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;

QsoRecord Qso(std::int32_t guid, const std::string& call) {
  QsoRecord q;
  q.Guid = guid;
  q.Stamp = {2024, 3, 5, 9, 7, 0};
  q.Freq = 140250;
  q.Mode = Mode::kCw;
  q.Call = call;
  q.Sent = "001";
  q.Rcvd = "599";
  return q;
}

class LogStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_storeXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    testing::Unmount(dir_.string());
    fs::remove_all(dir_);
  }

  // One run of the program: load, log the calls one by one, as the entry window saves them.
  struct Run {
    TLogCollection log;
    std::unique_ptr<LogStore> store;
    Status load;
  };
  std::unique_ptr<Run> Start() {
    auto run = std::make_unique<Run>();
    run->store = std::make_unique<LogStore>(dir_.string(), time_);
    run->load = run->store->Load(run->log, sink_, nullptr);
    return run;
  }
  static void Log(Run& run, const std::string& call) {
    run.log.Append(Qso(run.log.Count() * 5 + 5, call));
    (void)run.store->Append(run.log, run.log.Count() - 1);
  }
  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  std::vector<std::string> Calls(const std::string& name) const {
    TLogCollection log;
    (void)LoadAdifLog(File(name), log);
    std::vector<std::string> calls;
    for (const QsoRecord& q : log) calls.push_back(q.Call);
    return calls;
  }

  fs::path dir_;
  SystemTimeSource time_;
  struct : AdifLoadSink {
    void OnRecordLoaded(const QsoRecord&) override {}
  } sink_;
};

using CallList = std::vector<std::string>;

// vorkan.adi cannot be read in two runs in a row: the second run reads the rescue file of the
// first and adds to it.
TEST_F(LogStoreTest, RescueFileIsReadAndKeptAcrossRuns) {
  fs::create_directory(File("vorkan.adi"));  // cannot be read as a file
  {
    auto run = Start();
    EXPECT_EQ(run->load.code, ErrCode::kIo);
    Log(*run, "W1AA");
    Log(*run, "W1AB");
    EXPECT_TRUE(run->store->Holds(run->log));
  }
  auto run = Start();
  EXPECT_EQ(run->log.Count(), 2);
  EXPECT_NE(run->store->Notice().find("2 QSO read from vorkan-rescue.adi"), std::string::npos);
  Log(*run, "JA1AA");
  EXPECT_EQ(Calls("vorkan-rescue.adi"), (CallList{"W1AA", "W1AB", "JA1AA"}));

  // A rescue file that is itself damaged stays as it is; the log goes to a new one.
  std::ofstream(File("vorkan-rescue.adi"), std::ios::app) << "<CALL:4>HALF";
  const std::string damaged = ReadWholeFile(File("vorkan-rescue.adi"));
  auto third = Start();
  Log(*third, "UA3AAA");
  EXPECT_EQ(ReadWholeFile(File("vorkan-rescue.adi")), damaged);
  EXPECT_EQ(Calls("vorkan-rescue-2.adi"), (CallList{"W1AA", "W1AB", "JA1AA", "UA3AAA"}));
}

// A file the load skipped something of is kept in arch, byte for byte, before the first save.
TEST_F(LogStoreTest, FileNotReadWholeIsArchivedBeforeTheFirstSave) {
  const std::string original =
      "<CALL:4>K1AA<NAME:4>John<EOR>\r\n<CALL:4>K1AB<QSO_DATE:8>20241399<EOR>\r\n";
  std::ofstream(File("vorkan.adi"), std::ios::binary) << original;
  auto run = Start();
  EXPECT_TRUE(run->load.ok());
  EXPECT_NE(run->store->Notice().find("not read whole"), std::string::npos);
  EXPECT_TRUE(run->store->Holds(run->log));  // nothing to write while nothing changed
  EXPECT_FALSE(run->store->FileInLog());     // New contest must archive the file's own bytes
  EXPECT_EQ(ReadWholeFile(File("vorkan.adi")), original);
  Log(*run, "W1AW");
  EXPECT_TRUE(run->store->FileInLog());
  EXPECT_EQ(Calls("vorkan.adi"), (CallList{"K1AA", "W1AW"}));
  int kept = 0;
  for (const auto& e : fs::directory_iterator(dir_ / "arch")) {
    EXPECT_EQ(ReadWholeFile(e.path().string()), original);
    ++kept;
  }
  EXPECT_EQ(kept, 1);
}

// New QSOs are appended; an earlier change makes the next save write the whole file.  Either
// way the file is byte for byte what writing the whole log gives.
TEST_F(LogStoreTest, AppendsUntilAnEarlierQsoChanges) {
  auto run = Start();
  for (const char* call : {"DL1ABC", "F5XYZ", "G3ABC"}) Log(*run, call);
  struct stat before {};
  ::stat(File("vorkan.adi").c_str(), &before);
  Log(*run, "I2AAA");
  struct stat after {};
  ::stat(File("vorkan.adi").c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);  // appended, not replaced
  EXPECT_EQ(ReadWholeFile(File("vorkan.adi")), BuildAdifLog(run->log));

  run->log.SetCall(0, "DL2ABC");
  run->log.CalcCrc(0);
  run->log.CalcLogCrc();
  EXPECT_FALSE(run->store->Holds(run->log));
  Log(*run, "OH2AAA");
  EXPECT_EQ(ReadWholeFile(File("vorkan.adi")), BuildAdifLog(run->log));
  EXPECT_TRUE(run->store->Holds(run->log));
}

// A save killed before its rename leaves a temporary file; one holding QSOs the log lacks is
// reported at the next start, one holding nothing new is removed.
TEST_F(LogStoreTest, LeftoverTemporaryFilesAreReported) {
  TLogCollection log;
  log.Append(Qso(5, "DL1ABC"));
  ASSERT_TRUE(WriteAdifLog(log, File("vorkan.adi")).ok());
  ASSERT_TRUE(WriteAdifLog(log, File("vorkan.adi.tmpAAAAAA")).ok());
  log.Append(Qso(10, "F5XYZ"));
  ASSERT_TRUE(WriteAdifLog(log, File("vorkan.adi.tmpBBBBBB")).ok());
  auto run = Start();
  EXPECT_NE(run->store->Notice().find("vorkan.adi.tmpBBBBBB"), std::string::npos);
  EXPECT_EQ(run->store->Notice().find("tmpAAAAAA"), std::string::npos);
  EXPECT_FALSE(fs::exists(File("vorkan.adi.tmpAAAAAA")));
  EXPECT_TRUE(fs::exists(File("vorkan.adi.tmpBBBBBB")));
}

// A full disk: the save fails and says so, the log stays in memory, and once there is room
// again the next save writes everything, the QSOs of the failed saves included.
TEST_F(LogStoreTest, FullDiskLosesNothingAndTheNextSaveCatchesUp) {
  if (!testing::MountSmallDisk(dir_.string(), 64 * 1024)) GTEST_SKIP() << "cannot mount here";
  auto run = Start();
  Log(*run, "DL1ABC");
  std::ofstream(File("filler"), std::ios::binary) << std::string(128 * 1024, 'x');
  Status last;
  for (int i = 0; i < 100 && last.ok(); ++i) {
    run->log.Append(Qso(100 + i, "UA3AAA"));
    last = run->store->Append(run->log, run->log.Count() - 1);
  }
  EXPECT_EQ(last.code, ErrCode::kIo);
  EXPECT_FALSE(run->store->Holds(run->log));
  EXPECT_TRUE(run->store->WriteFailed());  // the status line warns
  fs::remove(File("filler"));
  Log(*run, "JA1AA");
  EXPECT_FALSE(run->store->WriteFailed());
  const int count = static_cast<int>(Calls("vorkan.adi").size());
  testing::Unmount(dir_.string());
  EXPECT_TRUE(run->store->Holds(run->log));
  EXPECT_EQ(count, run->log.Count());
}

}  // namespace
}  // namespace vk
