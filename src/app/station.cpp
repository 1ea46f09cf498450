#include "app/station.h"

#include <utility>

#include "log/guid_repair.h"
#include "log/journal.h"
#include "rules/rules_loader.h"
#include "util/strings.h"

namespace vk {

namespace {

std::string JoinPath(const std::string& dir, std::string_view name) {
  return dir.empty() ? std::string(name) : AddPathDelimiter(dir) + std::string(name);
}

// What loading the log file cannot do itself: raise the band totals and let the rules note
// the multipliers and bonuses the log holds, so a restarted station does not count them as new
// again.  The stored figures are kept; nothing is rescored.
class RebuildSink final : public AdifLoadSink {
 public:
  RebuildSink(BandTotals& totals, TTreeRules& rules) : totals_(totals), rules_(rules) {}

  void OnRecordLoaded(const QsoRecord& q) override {
    const BandIndex band = BandOfFreq(q.Freq);
    totals_.Add(band, static_cast<std::uint16_t>(q.Score), static_cast<std::uint16_t>(q.Multi),
                static_cast<std::uint16_t>(q.Bonus));
    if (q.Multi != 0) (void)rules_.GetMulti(q.Call, q.Rcvd, band, q.Mode, true);
    if (q.Bonus != 0) (void)rules_.GetBonus(q.Call, q.Rcvd, band, q.Mode, true);
  }

 private:
  BandTotals& totals_;
  TTreeRules& rules_;
};

}  // namespace

Station::Station(std::string workDir, const CountryLists* countries)
    : workDir_(std::move(workDir)),
      dataDir_(JoinPath(workDir_, "data")),
      contests_(dataDir_),
      clock_(std::make_unique<LogClock>()) {
  if (countries == nullptr) {
    ownCountries_ = std::make_unique<CountryLists>(LoadCountryFiles(dataDir_));
    countries = ownCountries_.get();
  }
  countries_ = countries;
  rules_.SetCountryLists(countries_);
  rules_.SetLog(&log_);
}

Station::~Station() = default;

std::string Station::PathOf(std::string_view fileName) const {
  return JoinPath(workDir_, fileName);
}

Status Station::ReadSettings() {
  return ReadSettings(PathOf(kConfigFileName));
}

Status Station::ReadSettings(const std::string& configPath) {
  return ReadStartupSettings(settings_, configPath);
}

void Station::LoadConfiguredContest(ShellState& state) {
  contests_ = ContestList::Build(dataDir_);
  ApplyMainSettings(settings_.main, state);
  ownCall_ = state.ownCall;
  noContest_ = state.NoContest;
  rules_.SetOwnCall(state.ownCall);
  rules_.SetOwnExchange(settings_.main.txnr);
  clock_ = std::make_unique<LogClock>(LogClockStartText(settings_.main));
  if (!clock_->StartStatus()) JournalAppend("LogClock: " + clock_->StartStatus().message);
  state.contestDisplayName.clear();
  if (state.NoContest) return;
  if (Status s = LoadContest(rules_, contests_, state.contestName); !s) {
    JournalAppend("Contest " + state.contestName + " not loaded: " + s.message);
  }
  totals_.SetFormula(rules_.Settings().scoreTotal);
  state.contestDisplayName =
      contests_.DisplayNameOfContestName(state.contestName).substr(0, kDisplayNameWidth);
}

Status Station::LoadLog(AdifLoadStats* stats) {
  if (!log_.Empty()) {
    return Status::Error(ErrCode::kBadInput, "the log is already loaded");
  }
  RebuildSink sink(totals_, rules_);
  Status s = LoadAdifLog(LogPath(), log_, sink, stats);
  if (s.code == ErrCode::kIo) {
    logUnreadable_ = true;
    JournalAppend("Log not read: " + s.message);
  }
  if (const int repaired = RepairDuplicateGuids(log_); repaired > 0) {
    JournalAppend("Log: " + IntToStr(repaired) + " QSOs shared a Guid and were given new ones");
  }
  return s;
}

StartPoint Station::ChooseStart() {
  StartPoint sp;
  if (log_.Empty()) {
    const ContestSettings& cs = rules_.Settings();
    for (BandIndex b = 1; b <= kBandCount; ++b) {
      if (cs.bands[b]) {
        sp.freq = DefaultFreqOfBand(b);
        break;
      }
    }
    sp.mode = ConfiguredMode();
    if (sp.mode == 0) {
      sp.mode = 3;  // FM when the rules allow no mode at all
      for (ModeCode m = 1; m <= 3; ++m) {
        if (cs.modes[m]) {
          sp.mode = m;
          break;
        }
      }
    }
  } else {
    const int last = log_.Count() - 1;
    sp.freq = log_.GetFreq(last);
    sp.mode = log_.GetMode(last);
    // A running clock follows the computer again at once; a fixed one (a paper log typed in
    // afterwards) carries on from where the typing stopped.
    (void)clock_->SetFromText(log_.GetStampStr(last, LogClock::kTextMask));
  }
  sp.band = BandOfFreq(sp.freq);
  SetCurrentFreq(sp.freq);
  SetCurrentMode(sp.mode);
  return sp;
}

bool Station::WantsCwWindow() const {
  const std::string& port = settings_.main.port;
  const std::uint8_t mode = ConfiguredMode();
  return !port.empty() && LowerCase(port) != "null" && (mode == 0 || mode == 1);
}

Status Station::WriteLog() {
  if (!logUnreadable_) return WriteAdifLog(log_, LogPath());
  const std::string rescue = PathOf(kRescueLogFileName);
  Status s = WriteAdifLog(log_, rescue);
  if (!s) return s;
  return Status::Error(ErrCode::kIo, std::string(kLogFileName) + ": was unreadable; saved to " +
                                         std::string(kRescueLogFileName));
}

Status Station::WriteLogOnExit(bool discardLog) {
  if (discardLog) return Status::Ok();
  Status s = WriteLog();
  if (!s) JournalAppend("Log not written: " + s.message);
  return s;
}

void Station::SetCurrentFreq(Freq f) {
  freq_ = f;
  band_ = BandOfFreq(f);
}

void Station::SetCurrentMode(ModeCode m) {
  mode_ = m;
  rules_.SetCurrentMode(m);
}

}  // namespace vk
