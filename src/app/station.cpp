#include "app/station.h"

#include <utility>

#include "cw/keyer_choice.h"
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
      contests_(dataDir_, journal_),
      clock_(std::make_unique<LogClock>(time_)),
      bus_(bus),
      rules_(journal_),
      book_(rules_, workDir_, time_, journal_) {
  if (countries == nullptr) {
    ownCountries_ = std::make_unique<CountryLists>(LoadCountryFiles(dataDir_));
    countries = ownCountries_.get();
  }
  countries_ = countries;
  rules_.SetCountryLists(countries_);
  book_.Subscribe([this](const LogChange& c) { RelayToBus(c); });
}

// The windows hear of every change of the log by the broadcasts they have always heard, in the
// order the logbook publishes the changes.
void Station::RelayToBus(const LogChange& c) {
  const MessageInfo at = MessageInfo::Number(c.position);
  const bool fromGroup = c.origin == LogOrigin::kGroup;
  switch (c.kind) {
    case LogChangeKind::kAppended:
      bus_.Broadcast(cm::kQsoAppended, at);
      bus_.Broadcast(cm::kLogChanged);
      if (fromGroup) bus_.SendCommand(cm::kRefreshTxNr);
      return;
    case LogChangeKind::kInserted:
      bus_.Broadcast(cm::kQsoInserted, at);
      bus_.Broadcast(cm::kLogChanged);
      if (fromGroup) bus_.SendCommand(cm::kRefreshTxNr);
      return;
    case LogChangeKind::kEdited:
      bus_.Broadcast(cm::kQsoEdited, at);
      if (c.origin != LogOrigin::kEntry) bus_.SendCommand(cm::kRefreshTxNr);
      return;
    case LogChangeKind::kDeleted:
      bus_.Broadcast(cm::kQsoDeleted, at);
      return;
    case LogChangeKind::kRescored:
      bus_.Broadcast(cm::kLogRescored);
      bus_.Broadcast(cm::kLogChanged);
      return;
    case LogChangeKind::kReordered: {
      // The log window keeps a line per QSO: the lines go from the end and come back in the new
      // order, so every position it is told stays valid.
      const int count = Log().Count();
      for (int pos = count - 1; pos >= 0; --pos) {
        bus_.Broadcast(cm::kQsoDeleted, MessageInfo::Number(pos));
      }
      for (int pos = 0; pos < count; ++pos) {
        bus_.Broadcast(cm::kQsoInserted, MessageInfo::Number(pos));
      }
      bus_.Broadcast(cm::kLogChanged);
      return;
    }
  }
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
  book_.SetTotalsFormula(rules_.Settings().scoreTotal);
  state.contestDisplayName =
      contests_.DisplayNameOfContestName(state.contestName).substr(0, kDisplayNameWidth);
}

StartPoint Station::ChooseStart() {
  StartPoint sp;
  const TLogCollection& log = Log();
  if (log.Empty()) {
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
    const int last = log.Count() - 1;
    sp.freq = log.GetFreq(last);
    sp.mode = log.GetMode(last);
    // A running clock follows the computer again at once; a fixed one (a paper log typed in
    // afterwards) carries on from where the typing stopped.
    (void)clock_->SetFromText(log.GetStampStr(last, LogClock::kTextMask));
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
