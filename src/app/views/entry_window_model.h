// The entry window without a terminal: the three input lines (the other station's call, the
// exchange to send, the exchange received), the focus among them, the two message lines, the
// clock, frequency and mode views, and everything the operator's keys do, from the repeat check
// on Enter in Call to logging the QSO.  The window only shows what this model holds and passes
// keys to Key(); the model talks to the other windows through the command bus.
//
// Texts are CP866 bytes.  Message lines are always shown centred.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "app/command_bus.h"
#include "app/station.h"
#include "app/views/view_model.h"
#include "util/input_line_model.h"
#include "util/key_codes.h"
#include "util/result.h"

namespace vk {

enum class EntryField : std::uint8_t { kCall = 0, kTxNr = 1, kRxNr = 2 };

// "[Новая связь]"
inline constexpr std::string_view kEntryWindowTitle = "[\x8D\xAE\xA2\xA0\xEF \xE1\xA2\xEF\xA7\xEC]";
// "QSO БЫЛО !!!": the call was already worked as the repeat rule counts it.
inline constexpr std::string_view kRepeatText = "QSO \x81\x9B\x8B\x8E !!!";
// Under kRepeatText when a repeat was logged all the same: it stays in the log at no score.
inline constexpr std::string_view kDupeLoggedText = "Dupe logged: 0 points";
// "Новый множитель": the QSO would bring a new multiplier or bonus.
inline constexpr std::string_view kNewMultiplierText =
    "\x8D\xAE\xA2\xEB\xA9 \xAC\xAD\xAE\xA6\xA8\xE2\xA5\xAB\xEC";
inline constexpr std::string_view kGreetingText = "Hello Friend`s!";
// Enter in the exchange lines with no call: nothing is logged.
inline constexpr std::string_view kNoCallText = "No call: QSO not logged";
inline constexpr std::string_view kNoCallHint = "type the call in Call first";
// TxNr no longer holds what the rules give (a call typed into it, say): a second Enter sends it.
inline constexpr std::string_view kTxNrEditedText = "TxNr changed: Enter again logs it";
inline constexpr std::string_view kTxNrEditedHint = "Alt+A restores TxNr";
// Under the reason a received exchange does not fit the contest.
inline constexpr std::string_view kExchangeCheckHint = "Enter again logs it as typed";
inline constexpr std::string_view kDotsText = "..................";

inline constexpr std::size_t kCallLineLength = 12;
inline constexpr std::size_t kTxNrLineLength = 14;
inline constexpr std::size_t kRxNrLineLength = 14;
inline constexpr std::size_t kMessageWidth = 46;

// What cm::kEntryNote carries: the first (lower) and second message line.  A line longer than
// the window shows its end, where a path keeps its file name.
struct EntryNote {
  std::string first;
  std::string second;
};

// What cm::kTuneTo carries: where to go.  An unknown mode keeps the mode.
struct TuneRequest {
  Freq freq = 0;
  Mode mode = Mode::kUnknown;
};

struct EntryResult {
  bool consumed = true;  // false: the key was not the window's; it travels on
  Changes changes = changed::kNothing;
  // Not ok when a logged QSO could not be saved to the log file (it stays in the log) or the
  // log is full; the text is also in the first message line.
  Status status;
};

// Asked on Enter in Call after the rules proposed RxNr (`rulesText`, often empty or only the
// report): the whole RxNr to propose instead, or empty to keep the rules' text.  Call history
// and earlier QSOs know what the rules cannot.
using ExchangeAid =
    std::function<std::string(const std::string& call, const std::string& rulesText)>;

// The clock views, read from one look at the clock.
struct ClockView {
  std::string date;      // "05-03-2024"
  std::string time;      // "09:07:00"
  bool stopped = false;  // stopped or fixed: drawn yellow on red instead of white on blue
  std::string zone;      // "UTC", or "UTC+3" for a contest kept in Moscow time
};

// The time zone the log clock shows: UTC plus the contest's whole-hour offset.
std::string ClockZoneText(int hourOffset);

class EntryModel final : public ViewModel {
 public:
  // Builds the window's state at the starting frequency and mode (the station's current values
  // follow them), sets the clock's hour offset from the contest's time zone, fills TxNr and
  // attaches to the station's bus.
  EntryModel(Station& station, const StartPoint& start);

  // --- what the window shows -----------------------------------------------------------------
  const InputLineModel& Line(EntryField f) const { return lines_[Index(f)]; }
  const std::string& CallText() const { return Line(EntryField::kCall).Text(); }
  const std::string& TxNrText() const { return Line(EntryField::kTxNr).Text(); }
  const std::string& RxNrText() const { return Line(EntryField::kRxNr).Text(); }
  EntryField Focus() const { return focus_; }
  const std::string& FirstMessage() const { return message1_; }   // the lower line
  const std::string& SecondMessage() const { return message2_; }  // the upper line
  ClockView Clock();
  std::string FreqText() const;  // "  14`025.0"
  std::string ModeText() const;  // " CW "
  char ActivityChar() const;

  // --- keys and actions ----------------------------------------------------------------------
  // One key as a PC key code (scan code high, character low), handled by the window's key
  // table and then by the focused line.
  EntryResult Key(KeyCode key);
  // Convenience for typing a run of characters into the focused line.
  Changes Type(std::string_view text);
  EntryResult Enter();
  Changes Tab();
  Changes FocusField(EntryField f);
  Changes ClearEntry();
  // Ctrl+PgUp (or Alt+PgUp) +1, Ctrl+PgDn (Alt+PgDn) -1; also clicks in the time view.
  Changes StepClock(int minutes);
  Changes BandDown();
  Changes BandUp();
  Changes ChangeMode();  // only when the configuration leaves the mode to the operator
  // The one way the program changes frequency and mode (Alt+F1/F2/F3, a spot taken from a
  // band map, the command kTuneTo): the station's values and the broadcasts as the band and
  // mode keys make them, and the radio, when one is connected, is told.  An unknown mode, or
  // one the contest does not work, keeps the mode.
  Changes TuneTo(Freq f, Mode m);
  // A reading of the radio acts as the band and mode keys do, but nothing goes back to it.
  // A mode the configuration fixes, or one the log has no code for, is not taken.
  Changes FollowRadio(Freq f, Mode m);
  // Takes the radio's newest reading, if there is one; also done on every tick.
  Changes PollRadio();
  Changes SelectLogWindow();
  Changes RefreshTxNr();
  // A spot taken from the band map: the call into the Call line (focused, the other lines and
  // messages as after a clear) and the station tuned to the spot.
  Changes TakeSpot(std::string_view call, Freq freq, Mode mode);
  // A call taken from the check-partial list: into Call, focused, cursor at its end.
  Changes TakeCall(std::string_view call);
  // The terminal's own line editor changed the focused line.
  Changes LineEdited(EntryField f, std::string_view text, std::size_t cursor);

  // Quit clears the entry; refresh sent number and mode changed recompute TxNr; change mode
  // steps the mode; a checksum report moves the activity indicator.
  void HandleMessage(Message& m) override;

  // nullptr: the rules' proposal stands.
  void SetExchangeAid(ExchangeAid aid) { exchangeAid_ = std::move(aid); }

 private:
  static std::size_t Index(EntryField f) { return static_cast<std::size_t>(f); }
  InputLineModel& MutLine(EntryField f) { return lines_[Index(f)]; }
  Changes FieldChange(EntryField f) const;
  EntryResult WindowKey(KeyCode key, bool& handled);
  EntryResult LineKey(KeyCode key);
  Changes StepBand(int direction);
  // Sets the station's frequency and mode and broadcasts what changed; `always` broadcasts the
  // band (bit 0) or mode (bit 1) even when it stayed.
  Changes SetOperatingPoint(Freq f, Mode m, int always);
  void SetMessages(std::string_view first, std::string_view second);

  // Enter in Call and logging a QSO (entry_enter_model.cpp).
  Changes EnterInCall();
  void CompleteCall();
  void ProposeExchange(const std::string& call);
  // "worked 20 40": the bands the call is already in the log on; empty for a new call.
  std::string WorkedText(const std::string& call) const;
  // The received exchange as the operator means it: a zone or serial typed alone keeps the
  // report the rules proposed in front of it.
  void KeepProposedReport();
  EntryResult LogQso();
  // Why the QSO must not be logged as it stands (a message is shown); false to log.
  bool HoldBack();
  QsoRecord BuildQso();
  void ReportSaveFailure(const Status& s);

  Station& station_;
  std::array<InputLineModel, 3> lines_{InputLineModel(kCallLineLength),
                                       InputLineModel(kTxNrLineLength),
                                       InputLineModel(kRxNrLineLength)};
  EntryField focus_ = EntryField::kCall;
  std::string message1_{kGreetingText};
  std::string message2_{kDotsText};
  int activity_ = 0;
  // The exchange texts the operator was warned about; a second Enter with the same text logs.
  std::string warnedTxNr_;
  std::string warnedRxNr_;
  ExchangeAid exchangeAid_;
  // What the rules proposed in RxNr: the report in front ("599/", empty when none) and, while
  // the proposal stands untouched, where the part the first typed character replaces begins
  // (npos: typing inserts at the cursor as usual).
  std::string proposedReport_;
  std::size_t proposedFrom_ = std::string::npos;
};

// Frequency in 100 Hz units as the frequency view shows it: MHz, a backquote, kHz with three
// digits, "." and the 100 Hz digit, right-aligned in 10 (140250 -> "  14`025.0").
std::string EntryFreqText(Freq f);
// " CW ", " PH ", " FM ", "RTTY", "PSK "; four spaces for any other code.
std::string EntryModeText(Mode m);

}  // namespace vk
