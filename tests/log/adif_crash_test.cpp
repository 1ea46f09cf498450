// The log file must survive the program being killed in the middle of a save: whatever moment
// the writer dies, the file holds one complete log that was saved before.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>

#include "log/adif.h"
#include "log_test_util.h"

namespace vk {
namespace {

using testing::MakeQso;
using testing::ScratchDir;

constexpr int kLongest = 400;

TLogCollection FirstContacts(int n) {
  TLogCollection log;
  for (int i = 0; i < n; ++i) {
    QsoRecord q = MakeQso((i + 1) * 5, "RA" + std::to_string(i) + "A");
    q.Score = static_cast<std::int16_t>(i % 3);
    log.Append(q);
  }
  return log;
}

// Saves logs of 1, 2, ... kLongest contacts over and over until it is killed.
[[noreturn]] void SaveForever(const std::string& path) {
  TLogCollection log;
  for (int i = 0;; ++i) {
    if (log.Count() == kLongest) log.Clear();
    QsoRecord q = MakeQso((log.Count() + 1) * 5, "RA" + std::to_string(log.Count()) + "A");
    q.Score = static_cast<std::int16_t>(log.Count() % 3);
    log.Append(q);
    (void)WriteAdifLog(log, path);
  }
}

off_t FileSize(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_size : -1;
}

TEST(AdifCrashSafetyTest, KilledWriterAlwaysLeavesACompleteEarlierLog) {
  ScratchDir dir;
  const std::string path = dir.File("vorkan.adi");
  std::mt19937 rng(2024);
  for (int round = 0; round < 15; ++round) {
    ASSERT_TRUE(WriteAdifLog(FirstContacts(1), path).ok());
    const off_t firstSize = FileSize(path);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) SaveForever(path);
    // Let the writer get going however loaded the machine is, then kill it at a random moment.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (FileSize(path) == firstSize && std::chrono::steady_clock::now() < deadline) {
      ::usleep(200);
    }
    ::usleep(rng() % 20000);
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);

    TLogCollection back;
    ASSERT_TRUE(LoadAdifLog(path, back).ok());
    ASSERT_GE(back.Count(), 2) << "the writer never got a save done; the round proved nothing";
    ASSERT_LE(back.Count(), kLongest);
    // The file is byte for byte the save of a whole log, not a torn or truncated one.
    ASSERT_EQ(testing::Slurp(path), BuildAdifLog(FirstContacts(back.Count()))) << "round " << round;
  }
}

}  // namespace
}  // namespace vk
