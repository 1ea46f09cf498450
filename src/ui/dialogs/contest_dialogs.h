// The two "Select contest" dialogs of New contest: first a contest of the chosen rules file and
// the own call, then how the log is kept, the mode and the exchange sent.  They show and
// collect the form only; what OK leads to is the New contest core's.
#pragma once

#include <final/final.h>

#include <string_view>

#include "app/new_contest.h"
#include "app/shell.h"
#include "app/station.h"
#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"

namespace vk::ui {

// A radio button that leaves Enter to the dialog (its default button); Space chooses.
class DialogRadio final : public finalcut::FRadioButton {
 public:
  using finalcut::FRadioButton::FRadioButton;
  void onKeyPress(finalcut::FKeyEvent* ev) override;
};

// The contests of one rules file in a list, and the Call line.
class SelectContestDialog final : public OkCancelDialog {
 public:
  SelectContestDialog(finalcut::FWidget* parent, const SelectContestForm& form);

  // The display name under the list's cursor (CP866); empty for an empty list.
  std::string DisplayName() const;
  std::string Call() const { return call_.Cp866(); }

 private:
  bool Confirm() override;

  std::vector<std::string> names_;
  finalcut::FListBox list_{this};
  finalcut::FLabel callLabel_{this};
  MaskedLine call_{this, kContestCallLength};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Work mode with the start of a log typed in afterwards, the mode when the contest offers a
// choice, and the exchange when the contest asks for one.
class ContestSettingsDialog final : public OkCancelDialog {
 public:
  // `time` (the station's) dates a two-digit year typed; it outlives the dialog.
  ContestSettingsDialog(finalcut::FWidget* parent, const ContestOffer& offer,
                        const ContestSettingsForm& initial, const TimeSource& time);

  ContestSettingsForm Form() const;

 private:
  // An impossible start date or time of a WriteLog start keeps the dialog open on that line.
  bool Confirm() override;
  // The Date and Time lines exist only for a WriteLog start.
  void ShowStartLines();
  void PlaceLine(finalcut::FLabel& label, std::string_view text, MaskedLine& line, int row);

  const TimeSource& clock_;
  bool modeChoice_;
  bool exchangeShown_;
  finalcut::FButtonGroup work_{"Work", this};
  DialogRadio contest_{"Contest", &work_};
  DialogRadio writeLog_{"WriteLog", &work_};
  finalcut::FLabel dateLabel_{this};
  MaskedLine date_{this, kContestDateLength};
  finalcut::FLabel timeLabel_{this};
  MaskedLine time_{this, kContestTimeLength};
  finalcut::FButtonGroup mode_{"Mode", this};
  DialogRadio cw_{"CW", &mode_};
  DialogRadio ssb_{"SSB", &mode_};
  finalcut::FLabel caption_{this};
  MaskedLine exchange_{this, kExchangeLineLength};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// New contest with entry `entry` of the contest list: both dialogs, then the archive and the
// settings.  `logFileLoaded`: the log in memory holds the whole of vorkan.adi.  True when the
// program is to start again; every failure has been shown to the operator by then.
bool RunNewContest(finalcut::FWidget* parent, Station& station, ShellState& state, int entry,
                   bool logFileLoaded);

}  // namespace vk::ui
