#include "ui/windows/entry_window.h"

#include <algorithm>
#include <string>

#include "app/key_table.h"
#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

// White on blue while the clock runs, yellow on red while it is stopped or fixed.
constexpr std::uint8_t kClockRunning = 0x1F;
constexpr std::uint8_t kClockStopped = 0x4E;
// The message keys the next Enter sends: black on light green, as peers colour the button.
constexpr std::uint8_t kEsmNext = 0xA0;

constexpr std::size_t Columns(std::size_t length) {
  return length + 3;
}

}  // namespace

EntryWindow::EntryWindow(finalcut::FWidget* desktop, EntryModel& model, EsmModel* esm)
    : DockedWindow(desktop, ScreenText(desktop, kEntryWindowTitle),
                   OperatingHome(desktop, &OperatingLayout::entry)),
      model_(model),
      esm_(esm) {
  for (std::size_t i = 0; i < esmKeys_.size(); ++i) esmKeys_[i].SetText("F" + std::to_string(i + 1));
  // The classic window is ten rows, as is its home; the toolkit's title bar sits above the
  // frame's top line, so the views keep their rows and the message line at row 7 is the last
  // one inside.
  callLabel_.setGeometry(FPoint{1, 3}, FSize{5, 1});
  call_.setGeometry(FPoint{7, 3}, FSize{Columns(kCallLineLength), 1});
  txLabel_.setGeometry(FPoint{23, 3}, FSize{5, 1});
  txNr_.setGeometry(FPoint{29, 3}, FSize{Columns(kTxNrLineLength), 1});
  rxLabel_.setGeometry(FPoint{1, 5}, FSize{5, 1});
  rxNr_.setGeometry(FPoint{7, 5}, FSize{Columns(kRxNrLineLength), 1});
  WireLine(call_, EntryField::kCall);
  WireLine(txNr_, EntryField::kTxNr);
  WireLine(rxNr_, EntryField::kRxNr);
  WireClicks();
  Place();
  Tick();
}

EntryWindow::~EntryWindow() = default;

InputLine& EntryWindow::LineOf(EntryField f) {
  switch (f) {
    case EntryField::kTxNr:
      return txNr_;
    case EntryField::kRxNr:
      return rxNr_;
    case EntryField::kCall:
      break;
  }
  return call_;
}

void EntryWindow::WireLine(InputLine& line, EntryField f) {
  // A click puts the focus or the cursor where the operator wants it; the model must agree, or
  // the next key would go to the line it still thinks has the focus.
  line.OnFocus([this, f] { model_.FocusField(f); });
  line.OnCursorClick(
      [this, f, &line](std::size_t cursor) { model_.LineEdited(f, line.Model().Text(), cursor); });
}

void EntryWindow::WireClicks() {
  using Button = TextView::Button;
  freq_.OnClick([this](Button b) { b == Button::kLeft ? model_.BandDown() : model_.BandUp(); });
  mode_.OnClick([this](Button) { model_.ChangeMode(); });
  time_.OnClick([this](Button b) { model_.StepClock(b == Button::kLeft ? 1 : -1); });
}

bool EntryWindow::PreviewKey(KeyCode pc) {
  if (pc == 0) return false;
  if (esm_ != nullptr && pc == kb::kEnter) {
    esm_->Enter();
    return true;
  }
  const KeyBinding* b = FindKey(KeyScope::kEntry, pc);
  if (esm_ != nullptr && b != nullptr && b->action == KeyAction::kRunOrSp) {
    esm_->ToggleStyle();
    return true;
  }
  const EntryResult r = model_.Key(pc);
  // The window cannot be moved or resized, so Ctrl+F5 has nothing to start here.
  const KeyBinding* frame = FindKey(KeyScope::kDesktop, pc);
  return r.consumed || (frame != nullptr && frame->action == KeyAction::kMoveWindow);
}

void EntryWindow::Tick() {
  ShowClock();
  ShowEsm();
  freq_.SetText(model_.FreqText());
  mode_.SetText(model_.ModeText());
  const Changes c = model_.TakeChanges();
  if (c == changed::kNothing) return;
  ShowLines(c);
  if ((c & changed::kMessages) != 0) {
    message1_.SetText(model_.FirstMessage());
    message2_.SetText(model_.SecondMessage());
  }
  if ((c & changed::kActivity) != 0) activity_.SetText(std::string(1, model_.ActivityChar()));
  if ((c & changed::kFocus) != 0) ShowFocus();
}

void EntryWindow::ShowEsm() {
  if (esm_ == nullptr) return;
  style_.SetText(esm_->StyleText());
  const EsmPlan plan = esm_->Plan();
  for (std::size_t i = 0; i < esmKeys_.size(); ++i) {
    const KeyCode key = static_cast<KeyCode>(kb::kF1 + (i << 8));
    const bool next = std::find(plan.keys.begin(), plan.keys.end(), key) != plan.keys.end();
    esmKeys_[i].SetAttribute(next ? kEsmNext : 0);
  }
  esmWhat_.SetText(plan.keys.empty() ? std::string() : "Enter:" + std::string(plan.what));
}

void EntryWindow::ShowClock() {
  const ClockView clock = model_.Clock();
  const std::uint8_t attr = clock.stopped ? kClockStopped : kClockRunning;
  date_.SetAttribute(attr);
  time_.SetAttribute(attr);
  date_.SetText(clock.date);
  time_.SetText(clock.time);
  zone_.SetText(clock.zone);
}

void EntryWindow::ShowLines(Changes c) {
  if ((c & changed::kCall) != 0) call_.Show(model_.Line(EntryField::kCall));
  if ((c & changed::kTxNr) != 0) txNr_.Show(model_.Line(EntryField::kTxNr));
  if ((c & changed::kRxNr) != 0) rxNr_.Show(model_.Line(EntryField::kRxNr));
}

void EntryWindow::ShowFocus() {
  InputLine& line = FocusedLine();
  if (!isWindowActive()) {
    // Not the window the operator works in now: the line gets the focus when it comes back.
    setWindowFocusWidget(&line);
    return;
  }
  if (line.hasFocus()) return;
  line.setFocus();
  for (InputLine* l : {&call_, &txNr_, &rxNr_}) l->redraw();
}

}  // namespace vk::ui
