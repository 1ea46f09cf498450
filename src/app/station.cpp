#include "app/station.h"

#include <utility>

#include "log/journal.h"
#include "rules/rules_loader.h"

namespace vk {

Station::Station(std::string dataDir)
    : dataDir_(std::move(dataDir)), countries_(LoadCountryFiles(dataDir_)), contests_(dataDir_) {
  rules_.SetCountryLists(&countries_);
  rules_.SetLog(&log_);
}

Status Station::ReadSettings(const std::string& configPath) {
  return ReadStartupSettings(settings_, configPath);
}

void Station::LoadConfiguredContest(ShellState& state) {
  contests_ = ContestList::Build(dataDir_);
  ApplyMainSettings(settings_.main, state);
  rules_.SetOwnCall(state.ownCall);
  rules_.SetOwnExchange(settings_.main.txnr);
  state.contestDisplayName.clear();
  if (state.NoContest) return;
  if (Status s = LoadContest(rules_, contests_, state.contestName); !s) {
    JournalAppend("Contest " + state.contestName + " not loaded: " + s.message);
  }
  state.contestDisplayName =
      contests_.DisplayNameOfContestName(state.contestName).substr(0, kDisplayNameWidth);
}

}  // namespace vk
