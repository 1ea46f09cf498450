// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile data and configuration files: each is refused with a message that names it, and the
// station's memory stays bounded whatever the file's size.  The files are read in a child
// process, whose peak resident size the parent takes from wait4: the figure is the reading's
// own, not the test runner's.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "rules/loader_parts.h"
#include "rules/xml_file.h"
#include "util/bounded_file.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

constexpr long kPeakLimitKb = 100 * 1024;
constexpr off_t kHugeFile = 200LL << 20;

// A file of `size` bytes that takes no disk: zero bytes, one endless line.
void SparseFile(const fs::path& path, off_t size) {
  const int fd = ::open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
}

// Runs `body` in a child; its exit code and peak resident size in KB.
std::pair<int, long> InChild(const std::function<bool()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body() ? 0 : 1);
  int status = 0;
  struct rusage usage {};
  if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) return {-1, 0};
  return {WEXITSTATUS(status), usage.ru_maxrss};
}

struct HostileFile {
  const char* what;
  const char* name;
  bool endless;  // a device that never ends rather than a file with a size
  std::function<bool(const std::string& path)> refused;
};

TEST(BoundedReadingTest, HostileFilesAreRefusedInBoundedMemory) {
  const fs::path dir = fs::temp_directory_path() / ("vk_bounded_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const auto says = [](const Status& s, const std::string& path) {
    return s.code == ErrCode::kBadInput && s.message.find(path) != std::string::npos &&
           s.message.find("not read") != std::string::npos;
  };
  const std::vector<HostileFile> files = {
      {"200 MB contest rules", "contest.xml", false,
       [&](const std::string& p) {
         pugi::xml_document doc;
         return says(LoadXmlFile(p, doc, nullptr), p);
       }},
      {"endless contest rules", "endless.xml", true,
       [&](const std::string& p) {
         pugi::xml_document doc;
         return says(LoadXmlFile(p, doc, nullptr), p);
       }},
      {"200 MB list file", "sections.txt", false,
       [&](const std::string& p) {
         std::vector<std::string> entries;
         return says(ReadDomesticFile(p, entries), p) && entries.empty();
       }},
      {"vorkan.cfg of one 200 MB line", "vorkan.cfg", false,
       [&](const std::string& p) {
         StartupSettings settings;
         return says(ReadStartupSettings(settings, p), p);
       }},
      {"endless vorkan.cfg", "endless.cfg", true,
       [&](const std::string& p) {
         StartupSettings settings;
         return says(ReadStartupSettings(settings, p), p);
       }},
      {"1 GB ADIF file to import", "big.adi", false,
       [&](const std::string& p) {
         std::string text;
         return says(ReadFileBounded(p, 48 * kMiB, text), p) && text.empty();
       }},
  };
  for (const HostileFile& f : files) {
    const fs::path path = dir / f.name;
    if (f.endless) {
      fs::create_symlink("/dev/zero", path);
    } else {
      SparseFile(path, std::string(f.name) == "big.adi" ? 1024LL << 20 : kHugeFile);
    }
    const auto [code, peakKb] = InChild([&] { return f.refused(path.string()); });
    EXPECT_EQ(code, 0) << f.what << ": not refused with a message naming the file";
    EXPECT_LT(peakKb, kPeakLimitKb) << f.what << ": peak " << peakKb / 1024 << " MB";
    std::printf("%-32s peak %ld MB\n", f.what, peakKb / 1024);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace vk
