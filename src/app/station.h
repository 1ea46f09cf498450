// The program-wide objects of one station, in the order the program builds them: the country
// lists, the empty log, the settings, the contest list and the rule tree with the configured
// contest.  The shell, the windows and the dialogs share them through the application; they
// live from before the desktop appears until after it is gone.
#pragma once

#include <string>

#include "app/shell.h"
#include "app/startup.h"
#include "country/country.h"
#include "log/log_collection.h"
#include "rules/contest_list.h"
#include "rules/tree_rules.h"
#include "util/result.h"

namespace vk {

class Station {
 public:
  // Reads the country files of `dataDir` and creates the empty log.
  explicit Station(std::string dataDir = "data");
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  // The settings groups of start-up; a configuration file that cannot be created fails here.
  Status ReadSettings(const std::string& configPath = ConfigPath());

  // Builds the contest list, wires the rule tree, and loads the configured contest.  Fills the
  // shell's own call, contest name, display name and NoContest.  A contest that cannot be
  // loaded is journalled; the desktop still comes up.
  void LoadConfiguredContest(ShellState& state);

  const std::string& DataDir() const { return dataDir_; }
  const CountryLists& Countries() const { return countries_; }
  TLogCollection& Log() { return log_; }
  TTreeRules& Rules() { return rules_; }
  const ContestList& Contests() const { return contests_; }
  const StartupSettings& Settings() const { return settings_; }
  StartupSettings& Settings() { return settings_; }

 private:
  std::string dataDir_;
  CountryLists countries_;
  TLogCollection log_;
  StartupSettings settings_;
  ContestList contests_;
  TTreeRules rules_;  // last: it points at the lists and the log
};

}  // namespace vk
