// What the program reads before the desktop appears, and how it becomes the shell's values.
#pragma once

#include <string>

#include "app/shell.h"
#include "config/settings.h"
#include "util/result.h"

namespace vk {

struct StartupSettings {
  NetworkSettings network;
  MainSettings main;
  CwMessages cwMessages;
};

// Reads the settings groups in start-up order: network, main settings (the file is created
// when it is missing), CW messages.  A file that cannot be created ends the start; the status
// then carries the line the operator is shown.
Status ReadStartupSettings(StartupSettings& out, const std::string& path = ConfigPath());

// Own call, contest name and NoContest from the main settings.  The contest display name is
// left to the contest list, which knows the titles.
void ApplyMainSettings(const MainSettings& main, ShellState& state);

// The start text of the log clock: the configured date and time joined by one space when the
// station logs in WriteLog mode (the clock is then fixed), else empty (it follows the computer).
std::string LogClockStartText(const MainSettings& main);

// A broadcast to deliver once the desktop is up, named by the environment variable
// VORKAN_DEBUG_BROADCAST as a hexadecimal number ("4200").  It lets a test drive the error box
// and other broadcast-opened dialogs from outside.  Empty or malformed text gives 0 (none).
CommandId ParseDebugBroadcast(const char* text);

inline constexpr std::size_t kContestNameWidth = 16;
inline constexpr std::size_t kDisplayNameWidth = 40;
inline constexpr std::size_t kOwnCallWidth = 16;

}  // namespace vk
