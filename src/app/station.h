// The program-wide objects of one station, in the order the program builds them: the country
// lists, the empty log, the settings, the contest list and the rule tree with the configured
// contest, the band totals and the log clock, on the command bus it is handed.  The shell, the
// windows and the dialogs share them through the session; they live from before the desktop
// appears until after it is gone.
//
// Every file the station reads or writes lives in its working directory: vorkan.cfg,
// vorkan.adi and the data directory with the rules and country files.  The program works in
// the current directory; tests give each station a scratch directory of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/command_bus.h"
#include "app/logbook.h"
#include "app/shell.h"
#include "app/startup.h"
#include "country/country.h"
#include "log/adif.h"
#include "log/log_collection.h"
#include "rules/contest_list.h"
#include "rules/log_scoring.h"
#include "rig/hamlib_radio.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"
#include "util/bands.h"
#include "util/clock.h"
#include "util/log_clock.h"
#include "util/result.h"

namespace vk {

class Journal;
class RigControl;

// What an operating action changed.  Handlers return it (and the models also collect it until
// the next tick) so a window redraws once, and only the views that changed.
using Changes = std::uint16_t;
namespace changed {
inline constexpr Changes kNothing = 0;
inline constexpr Changes kCall = 1 << 0;  // text or cursor of the Call line
inline constexpr Changes kTxNr = 1 << 1;
inline constexpr Changes kRxNr = 1 << 2;
inline constexpr Changes kFocus = 1 << 3;     // which line has the focus
inline constexpr Changes kMessages = 1 << 4;  // either message line
inline constexpr Changes kClock = 1 << 5;     // clock value or running/stopped
inline constexpr Changes kFreq = 1 << 6;      // frequency and band
inline constexpr Changes kMode = 1 << 7;
inline constexpr Changes kActivity = 1 << 8;  // the network activity indicator
inline constexpr Changes kList = 1 << 9;      // lines of a list window
inline constexpr Changes kCount = 1 << 10;    // the QSO count of the log window
inline constexpr Changes kTexts = 1 << 11;    // the figures of the score or multiplier window
inline constexpr Changes kRefill = 1 << 12;   // list lines changed before the end: show all again
inline constexpr Changes kAll = 0xFFFF;
}  // namespace changed

// Where the entry window starts: the band, frequency and mode of the last QSO, or of the
// contest's lowest band on an empty log.
struct StartPoint {
  Freq freq = 0;
  BandIndex band = kBandNone;
  Mode mode = Mode::kUnknown;
};

inline constexpr std::string_view kConfigFileName = "vorkan.cfg";

class Station {
 public:
  // `bus` carries what the station and the models built on it send; it outlives the station.
  // `workDir` empty: the current directory.  `countries`: lists already read, which must
  // outlive the station (tests share one copy); nullptr reads data/cty_wt.dat and
  // data/cty_rus.dat of the working directory.  `journal`: where the station and what it
  // builds write their diagnostics (nullptr: nowhere).  `time`: where "now" comes from
  // (nullptr: the computer's clock).  Both belong to the caller and outlive the station.
  explicit Station(CommandBus& bus, std::string workDir = {},
                   const CountryLists* countries = nullptr, Journal* journal = nullptr,
                   const TimeSource* time = nullptr);
  ~Station();
  Station(const Station&) = delete;
  Station& operator=(const Station&) = delete;

  // --- start-up ---------------------------------------------------------------------------
  // The settings groups of start-up; a configuration file that cannot be created fails here.
  Status ReadSettings();  // vorkan.cfg of the working directory
  Status ReadSettings(const std::string& configPath);

  // Builds the contest list, wires the rule tree, and loads the configured contest.  Fills the
  // shell's own call, contest name, display name and NoContest, sets the formula of the band
  // totals and builds the log clock from the work mode.  A contest that cannot be loaded is
  // journalled; the desktop still comes up.
  void LoadConfiguredContest(ShellState& state);
  // Why the configured contest could not be loaded and how to put it right; empty when it was.
  const std::string& ContestNotice() const { return contestNotice_; }

  // --- opening the operating windows ----------------------------------------------------------
  // Reads vorkan.adi into the empty log and scores it by the loaded rules (Logbook::Load).
  Status LoadLog(AdifLoadStats* stats = nullptr) { return book_.Load(stats); }
  // What the operator must know about the log file after LoadLog; empty when all is well.
  const std::string& LogNotice() const { return book_.Notice(); }
  // Chooses the entry window's frequency and mode and makes them current; on a log that is not
  // empty the log clock continues from the last QSO's stamp.
  StartPoint ChooseStart();
  // Whether the CW window opens: a keyer port is configured (or cwdaemon or the radio keys)
  // and the contest is worked in CW or in any mode.
  bool WantsCwWindow() const;

  // --- the log --------------------------------------------------------------------------------
  // Every change of the log goes through the logbook; the rest of the program reads Log().
  Logbook& Book() { return book_; }
  const Logbook& Book() const { return book_; }
  // Writes the whole log (atomically); an empty log leaves the file as it was.
  Status WriteLog() { return book_.Save(); }
  bool LogSaved() const { return book_.Saved(); }
  bool LogFileInLog() const { return book_.FileInLog(); }
  Status WriteLogOnExit(bool discardLog) { return book_.SaveOnExit(discardLog); }
  Status SaveLogCopy(const std::string& dir, std::string& path) const {
    return book_.SaveCopy(dir, path);
  }

  // --- the operating values the windows share -------------------------------------------------
  Freq CurrentFreq() const { return freq_; }
  BandIndex CurrentBand() const { return band_; }
  Mode CurrentMode() const { return mode_; }
  void SetCurrentFreq(Freq f);      // the band follows the frequency
  void SetCurrentMode(Mode m);      // so does the report the rules send (599 or 59)
  // Mode from the configuration: unknown lets the operator change it, else it is fixed.
  Mode ConfiguredMode() const { return ModeOrUnknown(settings_.main.mode); }
  const std::string& OwnCall() const { return ownCall_; }
  // Options > Station; the rules' own call is the caller's to set.
  void SetOwnCall(const std::string& call) { ownCall_ = call; }
  bool NoContest() const { return noContest_; }
  // Multiplier and Repeat windows stack down the right-hand side in the order they open.
  int TakeSideWindowIndex() { return sideWindows_++; }

  // The radio, when one is configured (nullptr otherwise).  The station owns it and stops its
  // poll thread when it is replaced or the station ends.
  RigControl* Rig() { return rig_.get(); }
  void SetRig(std::unique_ptr<RigControl> rig);
  // The station's Hamlib, through which every radio of the program is made.
  HamlibLibrary& Hamlib() { return hamlib_; }

  // --- the pieces -----------------------------------------------------------------------------
  const std::string& WorkDir() const { return workDir_; }
  const std::string& DataDir() const { return dataDir_; }
  std::string PathOf(std::string_view fileName) const;
  std::string LogPath() const { return PathOf(kLogFileName); }

  const CountryLists& Countries() const { return *countries_; }
  const TLogCollection& Log() const { return book_.Log(); }
  TTreeRules& Rules() { return rules_; }
  const TTreeRules& Rules() const { return rules_; }
  const ContestList& Contests() const { return contests_; }
  const StartupSettings& Settings() const { return settings_; }
  StartupSettings& Settings() { return settings_; }
  const BandTotals& Totals() const { return book_.Totals(); }
  // Rebuilt by LoadConfiguredContest: take references only after it.
  LogClock& Clock() { return *clock_; }
  const LogClock& Clock() const { return *clock_; }
  CommandBus& Bus() { return bus_; }
  Journal* journal() const { return journal_; }
  const TimeSource& Time() const { return time_; }
  // The Guids of the QSOs made here; LoadLog sets the counter to the last Guid read.
  QsoIdCounter& Ids() { return book_.Ids(); }

 private:
  void ApplySerialSettings();
  void RelayToBus(const LogChange& change);

  Journal* journal_;
  SystemTimeSource systemTime_;  // used when the caller hands no time source
  const TimeSource& time_;
  std::string workDir_;
  std::string dataDir_;
  std::unique_ptr<CountryLists> ownCountries_;
  const CountryLists* countries_;
  StartupSettings settings_;
  ContestList contests_;
  std::unique_ptr<LogClock> clock_;
  CommandBus& bus_;
  std::string ownCall_;
  std::string contestNotice_;
  bool noContest_ = true;
  int sideWindows_ = 0;
  Freq freq_ = 0;
  BandIndex band_ = kBandNone;
  Mode mode_ = Mode::kCw;
  HamlibLibrary hamlib_;  // before the radio, which it outlives
  std::unique_ptr<RigControl> rig_;
  TTreeRules rules_;  // it points at the lists and the log
  Logbook book_;      // after the rule tree, which scores the log
};

}  // namespace vk
