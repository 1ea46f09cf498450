#include "app/station.h"

#include <utility>

#include "cw/keyer_choice.h"
#include "log/guid_repair.h"
#include "log/journal.h"
#include "rig/rig_control.h"
#include "rules/log_scoring.h"
#include "rules/rules_loader.h"
#include "util/strings.h"

namespace vk {

namespace {

std::string JoinPath(const std::string& dir, std::string_view name) {
  return dir.empty() ? std::string(name) : AddPathDelimiter(dir) + std::string(name);
}

// What the operator reads when the contest could not be loaded: what is wrong and where to
// put it right.  Without its rules every QSO would only draw a rules error.
std::string ContestFix(const std::string& contest, const std::string& call, const Status& s,
                       bool noWorldFile) {
  std::string text = "Contest " + contest + " is not loaded: " + s.message + ".";
  if (noWorldFile) {
    text +=
        " The world country file data/cty_wt.dat is missing or empty: put a cty.dat there"
        " (Debian: hamradio-files, /usr/share/hamradio-files/cty.dat) and start again.";
  } else if (s.code == ErrCode::kBadInput) {
    text += " Put the rules file right (vorkan rules check lists every problem) and start"
            " again, or choose another contest with File > New contest.";
  } else if (s.message.rfind("own call", 0) == 0) {
    text += " Check the own call " + call + " with File > New contest (Call= in vorkan.cfg).";
  } else {
    text += " Choose a contest with File > New contest, or put its rules file into data.";
  }
  return text;
}

}  // namespace

Station::Station(CommandBus& bus, std::string workDir, const CountryLists* countries,
                 Journal* journal, const TimeSource* time)
    : journal_(journal),
      time_(time != nullptr ? *time : systemTime_),
      workDir_(std::move(workDir)),
      dataDir_(StationDataDir(workDir_)),
      store_(workDir_, time_, journal_),
      contests_(dataDir_, journal_),
      clock_(std::make_unique<LogClock>(time_)),
      bus_(bus),
      rules_(journal_) {
  if (countries == nullptr) {
    ownCountries_ = std::make_unique<CountryLists>(LoadCountryFiles(dataDir_));
    countries = ownCountries_.get();
  }
  countries_ = countries;
  rules_.SetCountryLists(countries_);
  rules_.SetLog(&log_);
}

Station::~Station() = default;

void Station::SetRig(std::unique_ptr<RigControl> rig) {
  rig_.reset();  // the old poll thread ends and closes its radio before the new one opens it
  rig_ = std::move(rig);
}

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
  contests_ = ContestList::Build(dataDir_, journal_);
  ApplyMainSettings(settings_.main, state);
  ownCall_ = state.ownCall;
  noContest_ = state.NoContest;
  rules_.SetOwnCall(state.ownCall);
  rules_.SetOwnExchange(settings_.main.txnr);
  ApplySerialSettings();
  clock_ = std::make_unique<LogClock>(time_, LogClockStartText(settings_.main));
  if (!clock_->StartStatus()) JournalAppend(journal_, "LogClock: " + clock_->StartStatus().message);
  state.contestDisplayName.clear();
  contestNotice_.clear();
  if (state.NoContest) return;
  if (Status s = LoadContest(rules_, contests_, state.contestName); !s) {
    JournalAppend(journal_, "Contest " + state.contestName + " not loaded: " + s.message);
    contestNotice_ = ContestFix(state.contestName, state.ownCall, s, countries_->world.Empty());
  }
  totals_.SetFormula(rules_.Settings().scoreTotal);
  state.contestDisplayName =
      contests_.DisplayNameOfContestName(state.contestName).substr(0, kDisplayNameWidth);
}

Status Station::LoadLog(AdifLoadStats* stats) {
  if (!log_.Empty()) {
    return Status::Error(ErrCode::kBadInput, "the log is already loaded");
  }
  // New QSOs are numbered on from the last Guid read (a rescue file's, when that is read).
  struct CounterSink final : AdifLoadSink {
    explicit CounterSink(QsoIdCounter& ids) : ids(ids) {}
    void OnRecordLoaded(const QsoRecord& q) override { ids.Set(q.Guid); }
    QsoIdCounter& ids;
  } sink{ids_};
  Status s = store_.Load(log_, sink, stats);
  // The figures stored in the file are those of the rules that wrote it (or of another
  // program); the log counts what the rules loaded now give.
  const RescoreStats r = Rescore();
  if (r.changed != 0) {
    JournalAppend(journal_, "Log rescored at load: " + IntToStr(r.changed) + " of " +
                                IntToStr(r.qsos) + " QSOs changed, " + IntToStr(r.dupes) +
                                " dupes");
  }
  if (const int repaired = RepairDuplicateGuids(log_); repaired > 0) {
    JournalAppend(journal_,
                  "Log: " + IntToStr(repaired) + " QSOs shared a Guid and were given new ones");
  }
  return s;
}

RescoreStats Station::Rescore() {
  if (!rules_.Nodes().empty()) return RescoreLog(log_, rules_, totals_);
  // No contest is loaded (a rules or country file the operator still has to put right):
  // scoring by an empty rule tree would write zeros over every figure of the file.  The log
  // keeps what it holds until the rules are back.
  totals_.Clear();
  for (const QsoRecord& q : log_) {
    totals_.Add(BandOfFreq(q.Freq), static_cast<std::uint16_t>(q.Score),
                static_cast<std::uint16_t>(q.Multi), static_cast<std::uint16_t>(q.Bonus));
  }
  return RescoreStats{log_.Count(), 0, 0};
}

Status Station::RescoreAndSave() {
  Rescore();
  bus_.Broadcast(cm::kLogRescored);
  bus_.Broadcast(cm::kLogChanged);
  return WriteLog();
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
    if (sp.mode == Mode::kUnknown) {
      sp.mode = Mode::kFm;  // when the rules allow no mode at all
      for (Mode m : {Mode::kCw, Mode::kPhone, Mode::kFm, Mode::kRtty}) {
        if (cs.Allows(m)) {
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
  const Mode mode = ConfiguredMode();
  // cwdaemon and the radio's keyer need no serial port.
  const bool keyer = (!port.empty() && LowerCase(port) != "null") ||
                     ReadKeyerChoice(PathOf(kConfigFileName)).kind != KeyerKind::kSerial;
  return keyer && (mode == Mode::kUnknown || mode == Mode::kCw);
}

Status Station::WriteLog() {
  return store_.WriteAll(log_);
}

Status Station::AppendQso(int pos) {
  return store_.Append(log_, pos);
}

Status Station::WriteLogOnExit(bool discardLog) {
  if (discardLog || store_.Holds(log_)) return Status::Ok();
  Status s = WriteLog();
  if (store_.Holds(log_)) return Status::Ok();  // in the rescue file, if not in vorkan.adi
  JournalAppend(journal_, "Log not written: " + s.message);
  return s;
}

void Station::SetCurrentFreq(Freq f) {
  freq_ = f;
  band_ = BandOfFreq(f);
  rules_.SetCurrentBand(band_);
}

// [NETWORK] SERIALS= and FIRSTSERIAL=: which QSOs the sent serial continues and where this
// station's sequence starts.  The station part comes from the network session.
void Station::ApplySerialSettings() {
  const NetworkSettings& net = settings_.network;
  SerialPlan plan = rules_.GetSerialPlan();
  plan.scope = SerialScope::kLog;
  if (!net.serials.empty()) {
    if (std::optional<SerialScope> scope = SerialScopeOf(net.serials)) {
      plan.scope = *scope;
    } else {
      JournalAppend(journal_,
                    "SERIALS=" + net.serials + " is not LOG, STATION or BAND: LOG is used");
    }
  }
  plan.first = net.firstSerial > 1 ? net.firstSerial : 1;
  rules_.SetSerialPlan(plan);
}

void Station::SetCurrentMode(Mode m) {
  mode_ = m;
  rules_.SetCurrentMode(m);
}

}  // namespace vk
