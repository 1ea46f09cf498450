#include "app/views/entry_window_model.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/key_table.h"
#include "rig/rig_control.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::string_view kActivity = "-\\|/";

bool IsPrintable(KeyCode key) {
  const auto c = KeyChar(key);
  return c >= 0x20 && c != 0x7F;
}

// What a call or an exchange may hold: printable ASCII without the space (which clears the
// line).  Anything else would go into the log file, the Cabrillo report and the ADIF export.
bool IsEntryChar(unsigned char c) {
  return c > 0x20 && c < 0x7F;
}

}  // namespace

std::string EntryFreqText(Freq f) {
  const long long v = std::llabs(static_cast<long long>(f));
  std::string s =
      IntToStr(v / 10000) + "`" + IntToStrZero(v / 10 % 1000, 3) + "." + IntToStr(v % 10);
  if (f < 0) s.insert(0, "-");
  return PadLeft(s, 10);
}

std::string EntryModeText(Mode m) {
  switch (m) {
    case Mode::kCw:
      return " CW ";
    case Mode::kPhone:
      return " PH ";
    case Mode::kFm:
      return " FM ";
    case Mode::kRtty:
      return "RTTY";
    case Mode::kPsk31:
      return "PSK ";
    case Mode::kUnknown:
      break;
  }
  return "    ";
}

EntryModel::EntryModel(Station& station, const StartPoint& start)
    : ViewModel(station.Bus()), station_(station) {
  station_.SetCurrentFreq(start.freq);
  station_.SetCurrentMode(start.mode);
  const ContestSettings& cs = station_.Rules().Settings();
  station_.Clock().SetHourOffset(cs.timeZone);
  MutLine(EntryField::kRxNr).SetPicture(cs.rxMask);
  MutLine(EntryField::kTxNr).SetText(station_.Rules().GetTxNr(station_.OwnCall()));
}

// --- views ----------------------------------------------------------------------------------

std::string ClockZoneText(int hourOffset) {
  if (hourOffset == 0) return "UTC";
  return std::string("UTC") + (hourOffset > 0 ? "+" : "-") + IntToStr(std::abs(hourOffset));
}

ClockView EntryModel::Clock() {
  LogClock& clock = station_.Clock();
  const DateTime now = clock.Now();
  // A clock set by hand is no longer the computer's UTC: the zone says so until the QSO is
  // logged or Alt+A lets it run again.
  const bool byHand = !clock.IsRunning() && !clock.IsFixed();
  return ClockView{FormatDateTime(now, "dd-mm-yyyy"), FormatDateTime(now, "hh:nn:ss"),
                   !clock.IsRunning(), byHand ? std::string("SET") : ClockZoneText(clock.HourOffset())};
}

std::string EntryModel::FreqText() const {
  return EntryFreqText(station_.CurrentFreq());
}

std::string EntryModel::ModeText() const {
  return EntryModeText(station_.CurrentMode());
}

char EntryModel::ActivityChar() const {
  return kActivity[activity_];
}

Changes EntryModel::FieldChange(EntryField f) const {
  switch (f) {
    case EntryField::kCall:
      return changed::kCall;
    case EntryField::kTxNr:
      return changed::kTxNr;
    case EntryField::kRxNr:
      return changed::kRxNr;
  }
  return changed::kNothing;
}

void EntryModel::SetMessages(std::string_view first, std::string_view second) {
  message1_.assign(first.substr(0, kMessageWidth));
  message2_.assign(second.substr(0, kMessageWidth));
}

// --- keys -----------------------------------------------------------------------------------

EntryResult EntryModel::Key(KeyCode key) {
  bool handled = false;
  EntryResult r = WindowKey(key, handled);
  if (handled) return r;
  // Any other key: with an empty Call line the operator starts afresh, so the old message goes.
  Changes c = changed::kNothing;
  if (CallText().empty() && !message1_.empty()) {
    message1_.clear();
    c = Note(changed::kMessages);
  }
  r = LineKey(key);
  r.changes |= c;
  return r;
}

EntryResult EntryModel::WindowKey(KeyCode key, bool& handled) {
  handled = true;
  const KeyBinding* b = FindKey(KeyScope::kEntry, key);
  switch (b != nullptr ? b->action : KeyAction::kTypingLine) {
    case KeyAction::kNextField:
      return {true, Tab()};
    case KeyAction::kLogQso:
      return Enter();
    case KeyAction::kClearEntry:
      return {true, ClearEntry()};
    case KeyAction::kToLogWindow:
      return {true, SelectLogWindow()};
    case KeyAction::kToRxNr:
      // Down follows Tab's road and never lands in TxNr, where a call typed after it would be
      // sent as the exchange; in RxNr it stays.
      return {true,
              focus_ == EntryField::kRxNr ? changed::kNothing : FocusField(EntryField::kRxNr)};
    case KeyAction::kKeyer:
      // PgUp / PgDn: the CW speed, as every contest logger has it; the keyer takes it if there
      // is one.
      Bus().Send(EventClass::kKeyer, b->command, MessageInfo::Number(key));
      return {true, changed::kNothing};
    case KeyAction::kClockForward:
      return {true, StepClock(1)};
    case KeyAction::kClockBack:
      return {true, StepClock(-1)};
    case KeyAction::kToTxNr:
      return {true, FocusField(EntryField::kTxNr)};
    case KeyAction::kBandDown:
      return {true, BandDown()};
    case KeyAction::kBandUp:
      return {true, BandUp()};
    case KeyAction::kNextMode:
      return {true, ChangeMode()};
    default:
      break;
  }
  handled = false;
  return {};
}

EntryResult EntryModel::LineKey(KeyCode key) {
  InputLineModel& line = MutLine(focus_);
  bool done = false;
  if (const KeyBinding* b = FindKey(KeyScope::kEntry, key); b != nullptr) {
    switch (b->action) {
      case KeyAction::kClearField:
        done = !line.Empty() || line.Cursor() != 0;
        line.Clear();
        if (focus_ == EntryField::kRxNr) proposedFrom_ = std::string::npos;
        return {true, done ? Note(FieldChange(focus_)) : changed::kNothing};
      case KeyAction::kBackspace:
        done = line.Backspace();
        break;
      case KeyAction::kDeleteChar:
        done = line.Delete();
        break;
      case KeyAction::kCursorLeft:
        done = line.Left();
        break;
      case KeyAction::kCursorRight:
        done = line.Right();
        break;
      case KeyAction::kLineStart:
        done = line.Home();
        break;
      case KeyAction::kLineEnd:
        done = line.End();
        break;
      case KeyAction::kCallOrRxNr:
        // Back and forth between Call and RxNr: the sent exchange is only reached on purpose
        // (Alt+N), so a call typed after Shift+Tab never goes out as the exchange.
        return {true, FocusField(focus_ == EntryField::kCall ? EntryField::kRxNr
                                                             : EntryField::kCall)};
      default:
        // A key of the window (Alt+U without ESM): not for the line.
        return {false, changed::kNothing};
    }
  } else {
    // Alt combinations carry no character; everything else printable is typed.
    if (!IsPrintable(key)) return {false, changed::kNothing};
    // Taken and refused: the line must not see it either.
    if (!IsEntryChar(KeyChar(key))) return {true, changed::kNothing};
    if (focus_ == EntryField::kRxNr && proposedFrom_ != std::string::npos) {
      // The proposal is selected: what is typed replaces it, the report in front stays.
      line.SetText(line.Text().substr(0, proposedFrom_));
      proposedFrom_ = std::string::npos;
    }
    done = line.Type(static_cast<char>(KeyChar(key)));
  }
  if (focus_ == EntryField::kRxNr) proposedFrom_ = std::string::npos;
  return {true, done ? Note(FieldChange(focus_)) : changed::kNothing};
}

Changes EntryModel::Type(std::string_view text) {
  Changes c = changed::kNothing;
  for (char ch : text) c |= Key(KeyCodeForChar(static_cast<unsigned char>(ch))).changes;
  return c;
}

Changes EntryModel::Tab() {
  // From Call the exchange to send is skipped: it is filled in by the rules.
  if (focus_ == EntryField::kCall) return FocusField(EntryField::kRxNr);
  return FocusField(static_cast<EntryField>((Index(focus_) + 1) % 3));
}

Changes EntryModel::FocusField(EntryField f) {
  if (focus_ == f) return changed::kNothing;
  focus_ = f;
  return Note(changed::kFocus);
}

Changes EntryModel::LineEdited(EntryField f, std::string_view text, std::size_t cursor) {
  if (f == EntryField::kRxNr) proposedFrom_ = std::string::npos;
  std::string kept;
  for (const char c : text) {
    if (IsEntryChar(static_cast<unsigned char>(c))) kept += c;
  }
  MutLine(f).SetEdited(kept, std::min(cursor, kept.size()));
  return Note(FieldChange(f));
}

Changes EntryModel::ClearEntry() {
  MutLine(EntryField::kRxNr).Clear();
  // TxNr goes back to what the rules give: whatever was typed into it by mistake is gone.
  MutLine(EntryField::kTxNr).SetText(station_.Rules().GetTxNr(station_.OwnCall()));
  warnedTxNr_.clear();
  warnedRxNr_.clear();
  proposedReport_.clear();
  proposedFrom_ = std::string::npos;
  // A clock stopped by PgUp or PgDn follows the computer again; a fixed one stays fixed.
  station_.Clock().Step(0);
  MutLine(EntryField::kCall).Clear();
  focus_ = EntryField::kCall;
  SetMessages({}, {});
  return Note(changed::kCall | changed::kTxNr | changed::kRxNr | changed::kFocus |
              changed::kMessages | changed::kClock);
}

Changes EntryModel::SelectLogWindow() {
  Bus().Broadcast(cm::kSelectLogWindow);
  return changed::kNothing;
}

Changes EntryModel::StepClock(int minutes) {
  station_.Clock().Step(minutes);
  return Note(changed::kClock);
}

Changes EntryModel::BandDown() {
  return StepBand(-1);
}
Changes EntryModel::BandUp() {
  return StepBand(+1);
}

Changes EntryModel::StepBand(int direction) {
  const auto& allowed = station_.Rules().Settings().bands;
  int band = station_.CurrentBand();
  for (int i = 0; i < kBandCount; ++i) {
    band += direction;
    if (band < 1) band = kBandCount;
    if (band > kBandCount) band = 1;
    if (!allowed[band]) continue;
    const Freq f = DefaultFreqOfBand(static_cast<BandIndex>(band));
    if (RigControl* rig = station_.Rig()) {
      rig->SetFreq(f);
      // The sideband follows the band.
      if (station_.CurrentMode() == Mode::kPhone) rig->SetMode(Mode::kPhone);
    }
    return SetOperatingPoint(f, station_.CurrentMode(), 1);
  }
  return changed::kNothing;  // the rules allow no band at all
}

Changes EntryModel::ChangeMode() {
  if (station_.ConfiguredMode() != Mode::kUnknown) return changed::kNothing;
  const ContestSettings& rules = station_.Rules().Settings();
  // Alt+F3 steps CW, PH, FM, RTTY (the modes the contest allows) and round again; from PSK31
  // (a radio's reading) to CW.
  Mode mode = station_.CurrentMode();
  for (int i = 0; i < 4; ++i) {
    mode = mode == Mode::kCw      ? Mode::kPhone
           : mode == Mode::kPhone ? Mode::kFm
           : mode == Mode::kFm    ? Mode::kRtty
                                  : Mode::kCw;
    if (!rules.Allows(mode)) continue;
    if (RigControl* rig = station_.Rig()) rig->SetMode(mode);
    return SetOperatingPoint(station_.CurrentFreq(), mode, 2);
  }
  return changed::kNothing;
}

Changes EntryModel::TakeSpot(std::string_view call, Freq freq, Mode mode) {
  Changes c = ClearEntry();
  MutLine(EntryField::kCall).SetText(std::string(call.substr(0, kCallLineLength)), true);
  // A spot without a frequency leaves the frequency as it is.
  c |= TuneTo(freq > 0 ? freq : station_.CurrentFreq(), mode);
  return Note(c | changed::kCall);
}

Changes EntryModel::TakeCall(std::string_view call) {
  MutLine(EntryField::kCall).SetText(std::string(call.substr(0, kCallLineLength)), true);
  return Note(changed::kCall | FocusField(EntryField::kCall));
}

Changes EntryModel::TuneTo(Freq f, Mode m) {
  // A mode the contest does not work, or a mode fixed by the configuration, stays as it is.
  if (!station_.Rules().Settings().Allows(m) || station_.ConfiguredMode() != Mode::kUnknown) {
    m = station_.CurrentMode();
  }
  if (RigControl* rig = station_.Rig()) {
    if (f != station_.CurrentFreq()) rig->SetFreq(f);
    // Phone is a sideband, and which one depends on the band: sent again with every move.
    if (m != station_.CurrentMode() || (m == Mode::kPhone && f != station_.CurrentFreq())) {
      rig->SetMode(m);
    }
  }
  return SetOperatingPoint(f, m, 0);
}

Changes EntryModel::FollowRadio(Freq f, Mode m) {
  if (m == Mode::kUnknown || station_.ConfiguredMode() != Mode::kUnknown) {
    m = station_.CurrentMode();
  }
  return SetOperatingPoint(f, m, 0);
}

Changes EntryModel::PollRadio() {
  RigControl* rig = station_.Rig();
  RigReading r;
  if (rig == nullptr || !rig->TakeReading(r)) return changed::kNothing;
  return FollowRadio(r.freq, r.mode);
}

Changes EntryModel::SetOperatingPoint(Freq f, Mode m, int always) {
  Changes c = changed::kNothing;
  const BandIndex oldBand = station_.CurrentBand();
  if (f != station_.CurrentFreq() || (always & 1)) {
    station_.SetCurrentFreq(f);
    c |= changed::kFreq;
    if (station_.CurrentBand() != oldBand || (always & 1)) {
      Bus().Broadcast(cm::kBandChanged, MessageInfo::Number(station_.CurrentBand()));
    }
  }
  if (m != station_.CurrentMode() || (always & 2)) {
    station_.SetCurrentMode(m);
    c |= changed::kMode;
    // The window hears this broadcast too and recomputes TxNr: the report may change.
    Bus().Broadcast(cm::kModeChanged, MessageInfo::Number(ModeNumber(m)));
  }
  return Note(c);
}

Changes EntryModel::RefreshTxNr() {
  MutLine(EntryField::kTxNr).SetText(station_.Rules().GetTxNr(station_.OwnCall()));
  return Note(changed::kTxNr);
}

void EntryModel::HandleMessage(Message& m) {
  if (m.what == EventClass::kStatus && m.command == cm::kChecksumReport) {
    activity_ = (activity_ + 1) % static_cast<int>(kActivity.size());
    Note(changed::kActivity);
    m.handled = true;
    return;
  }
  if (m.what == EventClass::kBroadcast && m.command == cm::kEntryNote) {
    if (const EntryNote* n = m.info.pointer<EntryNote>()) {
      auto tail = [](const std::string& s) {
        return s.size() <= kMessageWidth ? s : "..." + s.substr(s.size() - kMessageWidth + 3);
      };
      SetMessages(tail(n->first), tail(n->second));
      Note(changed::kMessages);
    }
    return;
  }
  if (m.what == EventClass::kBroadcast && m.command == cm::kModeChanged) {
    RefreshTxNr();
    m.handled = true;
    return;
  }
  if (m.what == EventClass::kTick) {
    PollRadio();
    return;
  }
  if (m.what != EventClass::kCommand) return;
  switch (m.command) {
    case cm::kTuneTo:
      if (const TuneRequest* t = m.info.pointer<TuneRequest>()) TuneTo(t->freq, t->mode);
      m.handled = true;
      break;
    case cm::kQuit:
      ClearEntry();  // and the command travels on
      break;
    case cm::kRefreshTxNr:
      RefreshTxNr();
      m.handled = true;
      break;
    case cm::kChangeMode:
      ChangeMode();
      m.handled = true;
      break;
    default:
      break;
  }
}

}  // namespace vk
