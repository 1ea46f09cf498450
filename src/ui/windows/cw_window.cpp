#include "ui/windows/cw_window.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "app/key_table.h"
#include "app/station_keyer.h"
#include "tui/screen_text.h"
#include "util/key_codes.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

// Three rows on the classic frame; the toolkit's title bar takes one more above the border.
constexpr int kHeight = kCwHeight;
constexpr std::size_t kTextWidth = 22;
constexpr std::size_t kStatusWidth = 20;

bool IsFocusToggle(KeyCode key) {
  const KeyBinding* b = FindKey(KeyScope::kCw, key);
  return b != nullptr && b->action == KeyAction::kTypingLine;
}

CommandId ErrorBroadcast(KeyerPortError e) {
  return e == KeyerPortError::kPortInit ? cm::kErrComPortInit : cm::kErrComPortName;
}

bool StillOnDesktop(finalcut::FDialog* w) {
  const auto* list = finalcut::FVTerm::getWindowList();
  if (list == nullptr) return false;
  return std::find(list->begin(), list->end(), static_cast<finalcut::FVTerm*>(w)) != list->end();
}

}  // namespace

CwWindow::CwWindow(finalcut::FWidget* desktop, Station& station, const EntryModel& entry,
                   const CwMessageList& messages)
    : DockedWindow(desktop, ScreenText(desktop, "[ CW ]"),
                   OperatingHome(desktop, &OperatingLayout::cw)),
      station_(station),
      entry_(entry),
      model_(
          messages, station.Settings().main.port, station.PathOf(kConfigFileName),
          [&station](std::string& port) {
            return MakeStationKeyer(station, port, KeyerWithoutHardware());
          },
          station.journal()),
      bus_(station.Bus()),
      text_(this, 1, 1, kTextWidth),
      status_(this, 3, kHeight, kStatusWidth) {
  // The status line sits on the bottom frame line, outside the interior.
  status_.ignorePadding();
  status_.setGeometry(FPoint{3, kHeight}, FSize{kStatusWidth, 1}, false);
  Place();
  ReportPortError(model_.OpenKeyer());
  Show(cw_changed::kLines);
}

WindowPlace CwWindow::Where(const WindowPlace& home) {
  if (MovedByOperator()) moved_ = true;
  if (!moved_) return home;
  WindowPlace p = home;
  p.x = std::clamp(getX() - 1, 0, std::max(home.x, 0));
  p.y = std::clamp(getY() - 1, 0, std::max(home.y, 0));
  return p;
}

void CwWindow::PortChanged() {
  ReportPortError(model_.PortChanged());
  Show(cw_changed::kLines);
}

void CwWindow::CloseKeyer() {
  model_.CloseKeyer();
  Show(cw_changed::kLines);
}

void CwWindow::ReportPortError(KeyerPortError e) {
  // Posted: the port is opened while a command is being handled, and the error box is modal.
  if (e != KeyerPortError::kNone) bus_.Post(EventClass::kBroadcast, ErrorBroadcast(e));
}

void CwWindow::Show(CwChanges c) {
  if ((c & cw_changed::kLines) != 0) {
    const bool lines = model_.HasLines();
    text_.setVisible(lines);
    status_.setVisible(lines);
    c |= cw_changed::kText | cw_changed::kStatus;
    if (isShown()) redraw();
  }
  if ((c & cw_changed::kText) != 0) text_.SetText(model_.LineText());
  if ((c & cw_changed::kStatus) != 0) status_.SetText(model_.StatusText());
}

void CwWindow::HandleMessage(Message& m) {
  switch (m.what) {
    case EventClass::kTick:
      Show(model_.Tick());
      return;
    case EventClass::kKeyer:
      KeyerCommand(m);
      m.handled = true;
      return;
    case EventClass::kBroadcast:
      if (m.command == cm::kModeChanged) ShowForMode(ModeOrUnknown(m.info.number()));
      return;
    default:
      return;
  }
}

void CwWindow::KeyerCommand(const Message& m) {
  switch (m.command) {
    case cm::kKeyerMessageKey: {
      const auto key = static_cast<KeyCode>(m.info.number());
      if (IsFocusToggle(key)) {
        FocusToggle();
      } else {
        SendMessage(key);
      }
      return;
    }
    case cm::kKeyerMessages:
      if (const auto* keys = m.info.pointer<std::vector<KeyCode>>()) {
        model_.MessageKeys(*keys, Macros());
      }
      return;
    // clang-format off
    case cm::kKeyerAbort:       Show(model_.Operate(KeyerOp::kAbort)); return;
    case cm::kKeyerSpeedUp:     Show(model_.Operate(KeyerOp::kSpeedUp)); return;
    case cm::kKeyerSpeedDown:   Show(model_.Operate(KeyerOp::kSpeedDown)); return;
    case cm::kKeyerStandbyUp:   Show(model_.Operate(KeyerOp::kStandbyUp)); return;
    case cm::kKeyerStandbyDown: Show(model_.Operate(KeyerOp::kStandbyDown)); return;
    case cm::kKeyerCycleZero:   Show(model_.Operate(KeyerOp::kCycleZero)); return;
    case cm::kKeyerToggleOne:   Show(model_.Operate(KeyerOp::kToggleOne)); return;
    case cm::kKeyerToggleNine:  Show(model_.Operate(KeyerOp::kToggleNine)); return;
    // clang-format on
    default:
      return;
  }
}

MacroValues CwWindow::Macros() {
  const TLogCollection& log = station_.Log();
  lastCall_ = log.Count() > 0 ? log.GetCall(log.Count() - 1) : std::string();
  return MacroValues{station_.OwnCall(), entry_.TxNrText(), entry_.CallText(), lastCall_};
}

void CwWindow::SendMessage(KeyCode key) {
  model_.MessageKey(key, Macros());
}

bool CwWindow::PreviewKey(KeyCode pc) {
  if (pc == 0) return false;
  const char c = static_cast<char>(KeyChar(pc));
  return c != 0 && model_.TypeKey(c);
}

void CwWindow::ShowForMode(Mode mode) {
  if (mode == Mode::kCw) {
    if (!isShown()) show();
    redraw();
    return;
  }
  if (!isShown()) return;
  const bool wasActive = isWindowActive();
  hide();
  // A hidden window keeps the keyboard until another one is selected.
  if (wasActive) bus_.Post(EventClass::kBroadcast, cm::kSelectEntryWindow);
}

void CwWindow::FocusToggle() {
  if (!isShown()) return;
  if (!isWindowActive()) {
    remembered_.clear();
    const auto* windows = finalcut::FVTerm::getWindowList();
    if (windows == nullptr) return;
    // The window list runs from the back to the front.
    for (auto it = windows->rbegin(); it != windows->rend(); ++it) {
      auto* d = dynamic_cast<finalcut::FDialog*>(*it);
      if (d == nullptr || d == this || d->isWindowActive() || d->isModal()) continue;
      if (d->isShown() && d->isEnabled()) remembered_.push_back(d);
    }
    SelectWindow(this);
    return;
  }
  // A remembered window that has been closed since is passed over.
  for (finalcut::FDialog* d : remembered_) {
    if (StillOnDesktop(d) && d->isShown() && d->isEnabled()) {
      SelectWindow(d);
      return;
    }
  }
}

}  // namespace vk::ui
