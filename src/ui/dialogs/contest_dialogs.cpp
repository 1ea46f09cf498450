#include "ui/dialogs/contest_dialogs.h"

#include "tui/screen_text.h"
#include "tui/tv_dialog.h"
#include "ui/dialogs/qso_dialogs.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

// The first dialog: a 38 x 23 frame, the list from (2,2) to (35,20) with its scroll bar in the
// last column, the Call line on row 21.
constexpr int kSelectWidth = 38;
constexpr int kSelectHeight = 23;
// The second dialog: a 30 x 18 frame.
constexpr int kSettingsWidth = 30;
constexpr int kSettingsHeight = 18;
constexpr std::size_t kGroupWidth = 18;
constexpr std::size_t kRadioWidth = 13;

// The error box's line holds only so much; longer messages get the toolkit's sized box.
void ShowError(finalcut::FWidget* parent, const std::string& text) {
  ShowMessage(parent, "Error", ScreenText(parent, text), true);
}

}  // namespace

void DialogRadio::onKeyPress(finalcut::FKeyEvent* ev) {
  if (ev->key() == finalcut::FKey::Enter || ev->key() == finalcut::FKey::Return) {
    ev->ignore();
    return;
  }
  finalcut::FRadioButton::onKeyPress(ev);
}

// --- Select contest: contest and call ---------------------------------------------------------

SelectContestDialog::SelectContestDialog(finalcut::FWidget* parent, const SelectContestForm& form)
    : OkCancelDialog(parent, kSelectContestTitle, kSelectWidth, kSelectHeight),
      names_(form.displayNames) {
  list_.setGeometry(FPoint{2, 2}, FSize{34, 18});
  for (const std::string& name : names_) list_.insert(ScreenText(this, name));
  // Enter on a contest goes on to the call, as the operator fills the dialog top to bottom.
  list_.addCallback("clicked", [this] {
    call_.setFocus();
    redraw();
  });

  callLabel_.setText("Call:");
  callLabel_.setGeometry(FPoint{7, 21}, FSize{6, 1});
  callLabel_.setAccelWidget(&call_);
  call_.setGeometry(FPoint{14, 21}, FSize{kContestCallLength, 1});
  call_.SetPicture(kContestCallPicture);
  call_.SetCp866(form.call);

  PlaceButtons(ok_, cancel_);
  list_.setFocus();
}

std::string SelectContestDialog::DisplayName() const {
  const std::size_t current = list_.currentItem();  // 1-based; 0 when the list is empty
  if (current == 0 || current > names_.size()) return {};
  return names_[current - 1];
}

bool SelectContestDialog::Confirm() {
  // A rules file without a contest in it offers nothing to choose.
  return !names_.empty();
}

// --- Select contest: how the log is kept ------------------------------------------------------

ContestSettingsDialog::ContestSettingsDialog(finalcut::FWidget* parent, const ContestOffer& offer,
                                             const ContestSettingsForm& initial,
                                             const TimeSource& time)
    : OkCancelDialog(parent, kSelectContestTitle, kSettingsWidth, kSettingsHeight),
      clock_(time),
      modeChoice_(offer.modeChoice),
      exchangeShown_(!offer.exchangeCaption.empty()) {
  work_.setGeometry(FPoint{6, 2}, FSize{kGroupWidth, 4});
  contest_.setGeometry(FPoint{1, 1}, FSize{kRadioWidth, 1});
  writeLog_.setGeometry(FPoint{1, 2}, FSize{kRadioWidth, 1});
  (initial.work == kWorkWriteLog ? writeLog_ : contest_).setChecked();
  for (DialogRadio* b : {&contest_, &writeLog_}) {
    b->addCallback("toggled", [this] { ShowStartLines(); });
  }

  PlaceLine(dateLabel_, "Date:", date_, 6);
  date_.SetPicture(kContestDatePicture);
  date_.SetCp866(initial.date);
  PlaceLine(timeLabel_, "Time:", time_, 8);
  time_.SetPicture(kContestTimePicture);
  time_.SetCp866(initial.time);

  mode_.setGeometry(FPoint{6, 10}, FSize{kGroupWidth, 4});
  cw_.setGeometry(FPoint{2, 1}, FSize{kRadioWidth, 1});
  ssb_.setGeometry(FPoint{2, 2}, FSize{kRadioWidth, 1});
  (initial.mode == 1 ? ssb_ : cw_).setChecked();
  if (!modeChoice_) {
    mode_.hide();
    mode_.setDisable();
  }

  const finalcut::FString caption = ScreenText(this, offer.exchangeCaption);
  caption_.setText(caption);
  caption_.setGeometry(FPoint{4, 14}, FSize{std::max<std::size_t>(caption.getLength(), 1), 1});
  caption_.setAccelWidget(&exchange_);
  exchange_.setGeometry(FPoint{4, 16}, FSize{22, 1});
  exchange_.SetCp866(initial.exchange);
  if (!exchangeShown_) {
    caption_.hide();
    exchange_.hide();
    exchange_.setDisable();
  }

  PlaceButtons(ok_, cancel_);
  ShowStartLines();
  (initial.work == kWorkWriteLog ? writeLog_ : contest_).setFocus();
}

void ContestSettingsDialog::PlaceLine(finalcut::FLabel& label, std::string_view text,
                                      MaskedLine& line, int row) {
  label.setText(ScreenText(this, text));
  label.setGeometry(FPoint{6, row}, FSize{5, 1});
  label.setAccelWidget(&line);
  line.setGeometry(FPoint{11, row}, FSize{13, 1});
}

void ContestSettingsDialog::ShowStartLines() {
  const bool shown = writeLog_.isChecked();
  for (finalcut::FWidget* w : {static_cast<finalcut::FWidget*>(&dateLabel_),
                               static_cast<finalcut::FWidget*>(&timeLabel_)}) {
    if (shown) {
      w->show();
    } else {
      w->hide();
    }
  }
  for (MaskedLine* line : {&date_, &time_}) {
    // A hidden line must not take the focus either.
    line->setEnable(shown);
    if (shown) {
      line->show();
    } else {
      line->hide();
    }
  }
  redraw();
}

ContestSettingsForm ContestSettingsDialog::Form() const {
  ContestSettingsForm f;
  f.work = writeLog_.isChecked() ? kWorkWriteLog : kWorkContest;
  f.date = date_.Cp866();
  f.time = time_.Cp866();
  f.mode = modeChoice_ && ssb_.isChecked() ? 1 : 0;
  f.exchange = exchangeShown_ ? exchange_.Cp866() : std::string();
  return f;
}

bool ContestSettingsDialog::Confirm() {
  switch (CheckContestSettings(Form(), clock_)) {
    case SettingsFault::kDate: return RefuseField(date_, kBadDateText);
    case SettingsFault::kTime: return RefuseField(time_, kBadTimeText);
    default: return true;
  }
}

// --- the command ------------------------------------------------------------------------------

bool RunNewContest(finalcut::FWidget* parent, Station& station, ShellState& state, int entry,
                   bool logFileLoaded) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= station.Contests().Size()) return false;
  ContestOffer offer;
  {
    SelectContestDialog select{parent,
                               MakeSelectContestForm(station.Contests(), entry, state.ownCall)};
    if (!select.Run()) return false;
    offer = OfferContest(station.Contests(), station.Countries(), entry, select.DisplayName(),
                         select.Call(), station.journal());
  }
  if (!offer.callKnown) {
    ShowError(parent, "Call " + offer.ownCall + " is not in the country list.");
    return false;
  }
  ContestSettingsForm form;
  {
    ContestSettingsDialog settings{parent, offer, MakeContestSettingsForm(station.Time()),
                                   station.Time()};
    if (!settings.Run()) return false;
    form = settings.Form();
  }
  // The running log is archived and a new one begins: asked once more, with what is at stake.
  if (const int n = station.Log().Count(); n > 0) {
    const std::vector<std::string> lines{
        "The running log (" + std::to_string(n) + " QSO) goes into arch/",
        "and the new contest starts with an empty log."};
    if (!AskOkCancel(parent, "New contest", lines)) return false;
  }
  const NewContestResult r = CompleteNewContest(station, state, offer, form, logFileLoaded);
  // A folder that cannot be made has had its error box through the shell already.
  if (!r.message.empty()) ShowError(parent, r.message);
  if (r.end != NewContestEnd::kRestart) return false;
  ShowMessage(parent, "Information", ScreenText(parent, kRebootText));
  return true;
}

}  // namespace vk::ui
