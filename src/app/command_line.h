// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: the full-screen program with the toolkit's options, or one of
// the commands that run without a terminal (score, export, import, rules), and the global options
// that choose the station folder or only print the usage or the version.
//
//   vorkan [--station DIR] [TOOLKIT OPTION...]
//   vorkan [--station DIR] COMMAND [ARGUMENT...]     (COMMAND --help: its usage)
//   vorkan --help | --version
//
// --help and --version write nothing but standard output.  An unknown option or command is a
// usage error (exit status 2, one line naming it).
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

inline constexpr int kCommandLineError = 2;
// The station folder when --station is not given; the current folder when neither is.
inline constexpr const char* kStationVariable = "VORKAN_STATION";

enum class CommandLineAction { kRun, kHelp, kVersion, kCommand, kCommandHelp, kError };

struct CommandLine {
  CommandLineAction action = CommandLineAction::kRun;
  std::string station;                   // --station DIR; empty when not given
  std::string command;                   // score, export, import, rules
  std::vector<const char*> commandArgs;  // the words after the command
  std::vector<const char*> toolkitArgs;  // the full-screen program's toolkit options
  std::string error;                     // kError: the line to print after "vorkan: "
};

// `args`: argv without the program name.
CommandLine ParseCommandLine(std::span<const char* const> args);

// vorkan's own part of --help: usage, commands, options, environment.
std::string UsageText();
// `vorkan COMMAND --help`; empty for an unknown command.
std::string CommandHelpText(std::string_view command);
// --version: the program's name and version, then the libraries it was built with.
std::string VersionText(std::string_view finalcutVersion, std::string_view hamlibVersion);

// The station folder: `given` (--station), else the environment's, else the current folder
// (".").
std::string ChooseStationDir(const std::string& given, const char* fromEnvironment);

// Runs a command in the station folder `stationDir`.  score and export take --data, --contest,
// --call and --txnr from the station (its data/ or the shipped data, its vorkan.cfg) when they
// are not given; import works on the station's log; rules check checks the station's rules.
int RunCommand(const CommandLine& line, const std::string& stationDir, std::ostream& out,
               std::ostream& err);

}  // namespace vk
