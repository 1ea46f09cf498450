#include "app/startup.h"

#include <charconv>
#include <cstring>
#include <filesystem>

#include "util/atomic_file.h"
#include "util/install_paths.h"

namespace vk {

Status ReadStartupSettings(StartupSettings& out, const std::string& path) {
  out.network = ReadNetworkSettings(path);
  if (Status s = ReadMainSettings(out.main, path); !s) return s;
  return ReadCwMessages(out.cwMessages, path);
}

void ApplyMainSettings(const MainSettings& main, ShellState& state) {
  state.contestName = main.contest.substr(0, kContestNameWidth);
  state.ownCall = main.call.substr(0, kOwnCallWidth);
  state.NoContest = state.contestName.empty();
}

std::string LogClockStartText(const MainSettings& main) {
  if (main.work != 1) return {};
  return main.date + " " + main.time;
}

std::string StationDataDir(const std::string& workDir) {
  namespace fs = std::filesystem;
  const std::string own =
      workDir.empty() ? std::string("data") : (fs::path(workDir) / "data").string();
  std::error_code ec;
  if (fs::is_directory(own, ec)) return own;
  const std::string shipped = FindShippedDataDir();
  return shipped.empty() ? own : shipped;
}

std::string DataDirProblem(const std::string& dataDir, bool worldListEmpty) {
  std::error_code ec;
  if (!std::filesystem::is_directory(dataDir, ec)) {
    return "no data folder " + dataDir + ": run inside a station folder or pass --data";
  }
  if (!worldListEmpty) return {};
  return "the world country file " + (std::filesystem::path(dataDir) / "cty_wt.dat").string() +
         " is missing or empty: put a cty.dat there (Debian: hamradio-files)";
}

Status MakeStationIfNone(const std::string& dir, std::string& notice) {
  namespace fs = std::filesystem;
  notice.clear();
  std::error_code ec;
  const fs::path at = dir.empty() ? fs::path(".") : fs::path(dir);
  if (fs::exists(at / "vorkan.cfg", ec) || fs::exists(at / "data", ec)) return Status::Ok();
  if (fs::create_directories(at, ec); ec) {
    return Status::Error(ErrCode::kIo,
                         "cannot make the station folder " + at.string() + ": " + ec.message());
  }
  const std::string config =
      "[Main]\r\nComment=<<- VORKAN Contest program ->>\r\nContest=WORLD\r\nCall=N0CALL\r\n"
      "Work=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n";
  if (Status s = ReplaceFileAtomically((at / "vorkan.cfg").string(), config); !s) return s;
  const fs::path where = fs::absolute(at, ec).lexically_normal();
  std::string place = where.string();
  if (place.size() > 1 && place.back() == '/') place.pop_back();
  const std::string shipped = FindShippedDataDir();
  notice = "A new station was made in " + place +
           "; vorkan.cfg: the World contest and the call N0CALL; set your own call with "
           "Options > Station; the log is kept in vorkan.adi there; ";
  notice += shipped.empty()
                ? "no shipped contest rules were found: put them into " + place + "/data."
                : "contest rules and country files are read from " + shipped + ".";
  return Status::Ok();
}

std::uint16_t ParseDebugNumber(const char* text) {
  if (text == nullptr) return 0;
  const char* end = text + std::strlen(text);
  unsigned value = 0;
  const auto [ptr, ec] = std::from_chars(text, end, value, 16);
  if (ec != std::errc{} || ptr != end || value > 0xFFFF) return 0;
  return static_cast<std::uint16_t>(value);
}

}  // namespace vk
