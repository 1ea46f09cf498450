// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/install_paths.h"

#include <filesystem>
#include <system_error>

#include "vorkan_version.h"

namespace vk {

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

std::vector<std::string> Candidates(const std::string& programDir, const char* installed,
                                    const fs::path& besideBinary, const fs::path& inBuildTree,
                                    const char* system) {
  std::vector<std::string> out;
  auto add = [&out](const fs::path& p) {
    const std::string s = p.lexically_normal().string();
    for (const std::string& have : out) {
      if (have == s) return;
    }
    out.push_back(s);
  };
  if (!programDir.empty()) {
    add(fs::path(programDir) / besideBinary);
    add(fs::path(programDir) / inBuildTree);
  }
  add(installed);
  add(system);
  return out;
}

}  // namespace

std::string ProgramDir() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.parent_path().string();
}

std::vector<std::string> ShippedDataCandidates(const std::string& programDir) {
  return Candidates(programDir, VORKAN_INSTALL_DATADIR, "../share/vorkan", "share/vorkan",
                    "/usr/share/vorkan");
}

std::vector<std::string> LocaleCandidates(const std::string& programDir) {
  return Candidates(programDir, VORKAN_INSTALL_LOCALEDIR, "../share/locale", "locale",
                    "/usr/share/locale");
}

std::string FindShippedDataDir(const std::string& programDir) {
  for (const std::string& dir : ShippedDataCandidates(programDir)) {
    if (IsFile(fs::path(dir) / "contest.xml")) return dir;
  }
  return {};
}

std::string FindLocaleDir(const std::string& lang, const std::string& programDir) {
  for (const std::string& dir : LocaleCandidates(programDir)) {
    if (IsFile(fs::path(dir) / lang / "LC_MESSAGES" / "vorkan.mo")) return dir;
  }
  return {};
}

}  // namespace vk
