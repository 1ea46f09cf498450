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

// The hexadecimal value of a diagnostic environment variable; 0 when it is unset, empty or
// malformed.  VORKAN_DEBUG_BROADCAST names a broadcast to deliver once the desktop is up (the
// error box and other broadcast-opened dialogs can so be driven from outside);
// VORKAN_KEY_TEST_WINDOWS=1 opens two plain windows with an input line each, on which the
// routing of keys to windows can be watched.
std::uint16_t ParseDebugNumber(const char* text);

// The data directory of a station: its own data/ when it has one (rules and country files the
// operator keeps there replace the shipped ones as a whole), else the shipped data of the
// installed program or the build tree, else data/ of the station, which then names what is
// missing.
std::string StationDataDir(const std::string& workDir);

// What keeps the commands from scoring with `dataDir`: it is no folder, or the world country
// file in it is missing or empty (every own call would otherwise be "not in the country list").
// Empty when neither.
std::string DataDirProblem(const std::string& dataDir, bool worldListEmpty);

// A folder without a station (neither vorkan.cfg nor data/) gets one: the folder itself when
// it is missing, and a vorkan.cfg naming the World contest and the placeholder call N0CALL.
// `notice` then says what was made and where; it stays empty for an existing station.  The
// shipped data is read from where it is installed, never copied.
Status MakeStationIfNone(const std::string& dir, std::string& notice);

inline constexpr std::size_t kContestNameWidth = 16;
inline constexpr std::size_t kDisplayNameWidth = 40;
inline constexpr std::size_t kOwnCallWidth = 16;

}  // namespace vk
