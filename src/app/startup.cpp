#include "app/startup.h"

#include <charconv>
#include <cstring>

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

std::uint16_t ParseDebugNumber(const char* text) {
  if (text == nullptr) return 0;
  const char* end = text + std::strlen(text);
  unsigned value = 0;
  const auto [ptr, ec] = std::from_chars(text, end, value, 16);
  if (ec != std::errc{} || ptr != end || value > 0xFFFF) return 0;
  return static_cast<std::uint16_t>(value);
}

}  // namespace vk
