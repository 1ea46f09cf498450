// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include <filesystem>
#include <ostream>

#include "app/rules_command.h"
#include "app/report_command.h"
#include "app/score_command.h"
#include "app/startup.h"
#include "app/station.h"
#include "app/transfer_command.h"
#include "config/ini_file.h"
#include "vorkan_version.h"

namespace vk {

namespace {

namespace fs = std::filesystem;

struct CommandInfo {
  std::string_view name;
  std::string_view summary;
  std::string_view help;
};

constexpr CommandInfo kCommands[] = {
    {"score", "score a log by a contest's rules and print the totals",
     "usage: vorkan score [--data DIR] [--contest NAME] [--call CALL] [--txnr TEXT] [--qsos]\n"
     "                    [--cabrillo FILE] LOG.adi\n"
     "\n"
     "Scores LOG.adi through the contest's rules as if each QSO had been typed in log order\n"
     "and prints, per band, the QSOs, points and multipliers, then the dupes and last\n"
     "  TOTAL qsos=N points=P multipliers=M score=S\n"
     "\n"
     "  --data DIR       rules and country files (default: the station's data/, else the\n"
     "                   shipped data)\n"
     "  --contest NAME   contest name, as Contest= of vorkan.cfg (default: the station's)\n"
     "  --call CALL      own call (default: Call= of the station's vorkan.cfg)\n"
     "  --txnr TEXT      own exchange, a zone or a region (default: Txnr= of vorkan.cfg)\n"
     "  --qsos           one tab-separated line per QSO: number, call, band, points,\n"
     "                   multipliers, bonus, dupe\n"
     "  --cabrillo FILE  write the Cabrillo report of the scored log to FILE\n"},
    {"export", "write a log as standard ADIF for LoTW, Club Log or QRZ",
     "usage: vorkan export [--data DIR] [--contest NAME] [--call CALL] [--txnr TEXT]\n"
     "                     [--no-dupes] --adif OUT LOG.adi\n"
     "\n"
     "Scores LOG.adi by the contest and writes it as standard ADIF 3.1 to OUT (report,\n"
     "serials, zones and contest id in their own fields).\n"
     "\n"
     "  --data, --contest, --call, --txnr   as for score, with the same defaults\n"
     "  --no-dupes       leave the dupes out\n"
     "  --adif OUT       the file to write (replaced whole)\n"},
    {"report", "write the post-contest report as one HTML page with plots",
     "usage: vorkan report [--data DIR] [--contest NAME] [--call CALL] [--txnr TEXT]\n"
     "                     --html OUT [LOG.adi]\n"
     "\n"
     "Scores LOG.adi (default: the station's vorkan.adi) as score does and writes OUT: the\n"
     "score summary, QSOs and points per band, the rate per hour and per 10 minutes,\n"
     "continents and multipliers over time, the QSO of each new multiplier, dupes and\n"
     "corrections, with the plots drawn inside the page.\n"
     "\n"
     "  --data, --contest, --call, --txnr   as for score, with the same defaults\n"
     "  --html OUT       the page to write (replaced whole)\n"},
    {"rules", "check the rules files for mistakes before a contest",
     "usage: vorkan rules check [--data DIR] [--cty FILE] [FILE|CONTEST...]\n"
     "\n"
     "Checks the rules files: without names every rules file of DIR, else each FILE whole\n"
     "and each CONTEST in the file that holds it.  Country selectors are checked against\n"
     "FILE (default DIR/cty_wt.dat).  Each problem is printed as \"file:line: message\"; the\n"
     "exit status is 0 when there is none and 2 when there are problems.\n"
     "\n"
     "  --data DIR   the rules files (default: the station's data/, else the shipped data)\n"
     "  --cty FILE   the world country file\n"},
    {"import", "add another program's ADIF QSOs to the station's log",
     "usage: vorkan import IN.adi\n"
     "\n"
     "Adds the QSOs of IN.adi to the station's log (vorkan.adi), lists the records it cannot\n"
     "take with the reason, and scores the log again by the station's contest.  Nothing is\n"
     "written when no record was taken.\n"},
};

// The toolkit's options of the full-screen program; those with a value take it after "=" or as
// the next word.
constexpr std::string_view kToolkitFlags[] = {"--no-mouse",
                                              "--no-optimized-cursor",
                                              "--no-terminal-detection",
                                              "--no-terminal-data-request",
                                              "--no-color-change",
                                              "--no-sgr-optimizer",
                                              "--vgafont",
                                              "--newfont",
                                              "--dark-theme"};
constexpr std::string_view kToolkitValued[] = {"--encoding", "--log-file"};

const CommandInfo* FindCommand(std::string_view name) {
  for (const CommandInfo& c : kCommands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

bool IsHelp(std::string_view a) {
  return a == "--help" || a == "-h";
}

CommandLine Error(std::string text) {
  CommandLine line;
  line.action = CommandLineAction::kError;
  line.error = std::move(text);
  return line;
}

bool Given(std::span<const char* const> args, std::string_view option) {
  for (const char* a : args) {
    if (option == a) return true;
  }
  return false;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const char* const> args) {
  CommandLine line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (IsHelp(a) || a == "--version" || a == "-V") {
      CommandLine only;
      only.action = IsHelp(a) ? CommandLineAction::kHelp : CommandLineAction::kVersion;
      return only;
    }
    if (a == "--station" || a.starts_with("--station=")) {
      if (a == "--station") {
        if (i + 1 >= args.size()) return Error("option --station needs a folder");
        line.station = args[++i];
      } else {
        line.station = std::string(a.substr(10));
      }
      if (line.station.empty()) return Error("option --station needs a folder");
      continue;
    }
    if (!a.starts_with("-")) {
      if (!line.toolkitArgs.empty()) {
        return Error("unexpected argument " + std::string(a) + " after the screen options");
      }
      if (FindCommand(a) == nullptr) {
        return Error("unknown command " + std::string(a) + " (see vorkan --help)");
      }
      line.command = std::string(a);
      line.commandArgs.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      line.action = CommandLineAction::kCommand;
      for (const char* w : line.commandArgs) {
        if (IsHelp(w)) line.action = CommandLineAction::kCommandHelp;
      }
      return line;
    }
    bool known = false;
    for (std::string_view f : kToolkitFlags) known = known || a == f;
    for (std::string_view f : kToolkitValued) {
      if (a.starts_with(std::string(f) + "=")) known = true;
      if (a == f) {
        if (i + 1 >= args.size()) return Error("option " + std::string(f) + " needs a value");
        line.toolkitArgs.push_back(args[i]);
        ++i;
        known = true;
      }
    }
    if (!known) return Error("unknown option " + std::string(a) + " (see vorkan --help)");
    line.toolkitArgs.push_back(args[i]);
  }
  return line;
}

std::string UsageText() {
  std::string text =
      "usage: vorkan [--station DIR] [SCREEN OPTION...]\n"
      "       vorkan [--station DIR] COMMAND [ARGUMENT...]\n"
      "       vorkan --help | --version\n"
      "\n"
      "Full-screen contest logger for radio amateurs.  Without a command it opens the\n"
      "operating screen in the station folder; a folder without a station (no vorkan.cfg,\n"
      "no data/) gets one on the first start, with the World contest and the call N0CALL.\n"
      "\n"
      "Commands (vorkan COMMAND --help for each):\n";
  for (const CommandInfo& c : kCommands) {
    text += "  " + std::string(c.name);
    text.append(10 - c.name.size(), ' ');
    text += std::string(c.summary) + "\n";
  }
  text +=
      "\n"
      "Options:\n"
      "  --station DIR   the station folder (default: $VORKAN_STATION, else the current\n"
      "                  folder)\n"
      "  -h, --help      print this help and exit\n"
      "  -V, --version   print the version and exit\n"
      "\n"
      "Environment:\n"
      "  VORKAN_STATION  the station folder when --station is not given\n"
      "\n"
      "Screen options (the FINAL CUT toolkit's):\n";
  return text;
}

std::string CommandHelpText(std::string_view command) {
  const CommandInfo* c = FindCommand(command);
  return c == nullptr ? std::string() : std::string(c->help);
}

std::string VersionText(std::string_view finalcutVersion, std::string_view hamlibVersion) {
  return "vorkan " VORKAN_VERSION "\nFINAL CUT " + std::string(finalcutVersion) + "\n" +
         std::string(hamlibVersion) + "\n";
}

std::string ChooseStationDir(const std::string& given, const char* fromEnvironment) {
  if (!given.empty()) return given;
  if (fromEnvironment != nullptr && *fromEnvironment != '\0') return fromEnvironment;
  return ".";
}

int RunCommand(const CommandLine& line, const std::string& stationDir, std::ostream& out,
               std::ostream& err) {
  const std::span<const char* const> args(line.commandArgs);
  if (line.command == "import") {
    // The import adds to a station's log; outside one it would only make an empty station.
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(stationDir) / std::string(kConfigFileName), ec)) {
      err << "vorkan import: no vorkan.cfg here: run inside a station folder or pass --station\n";
      return kCommandLineError;
    }
    return RunImportCommand(args, out, err, stationDir == "." ? std::string() : stationDir);
  }
  if (line.command == "rules") {
    // The station's rules, or the shipped ones, unless --data names others.
    std::vector<const char*> all(args.begin(), args.end());
    const std::string data = StationDataDir(stationDir);
    if (!all.empty() && std::string_view(all[0]) == "check" && !Given(args, "--data")) {
      all.insert(all.begin() + 1, {"--data", data.c_str()});
    }
    return RunRulesCommand(all, out, err);
  }
  // score and export: what is not given comes from the station.
  std::vector<std::string> words;
  if (!Given(args, "--data")) {
    const std::string data = StationDataDir(stationDir);
    std::error_code ec;
    if (!fs::is_directory(data, ec)) {
      err << "vorkan " << line.command
          << ": no data/ here: run inside a station folder or pass --data\n";
      return kCommandLineError;
    }
    words.insert(words.end(), {"--data", data});
  }
  const fs::path config = fs::path(stationDir) / std::string(kConfigFileName);
  std::error_code ec;
  const bool haveConfig = fs::is_regular_file(config, ec);
  const IniFile ini{haveConfig ? config.string() : std::string()};
  for (auto [option, key] : {std::pair{"--contest", "Contest"}, std::pair{"--call", "Call"},
                             std::pair{"--txnr", "Txnr"}}) {
    if (Given(args, option)) continue;
    const std::string value = haveConfig ? ini.GetEntry("Main", key, "") : std::string();
    if (!value.empty()) {
      words.insert(words.end(), {option, value});
    } else if (std::string_view(option) != "--txnr") {
      err << "vorkan " << line.command << ": no " << option << " given and "
          << (haveConfig ? "vorkan.cfg of the station names none"
                         : "no vorkan.cfg here: run inside a station folder or pass " +
                               std::string(option))
          << '\n';
      return kCommandLineError;
    }
  }
  std::vector<const char*> all;
  for (const std::string& w : words) all.push_back(w.c_str());
  all.insert(all.end(), args.begin(), args.end());
  if (line.command == "report") {
    // Without a log file named, the station's own.
    bool named = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string_view a = args[i];
      if (a == "--data" || a == "--contest" || a == "--call" || a == "--txnr" || a == "--html") {
        ++i;
      } else if (!a.starts_with("--")) {
        named = true;
      }
    }
    const std::string log = (fs::path(stationDir) / std::string(kLogFileName)).string();
    if (!named) all.push_back(log.c_str());
    return RunReportCommand(all, out, err);
  }
  return line.command == "score" ? RunScoreCommand(all, out, err) : RunExportCommand(all, out, err);
}

}  // namespace vk
