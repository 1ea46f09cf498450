// The "[ CW ]" window: 24 columns by 3 rows in the bottom-right corner of the desktop.  Its one
// inside row shows the keyer's port and then the text still to be sent; a status line over the
// bottom frame shows the cut numbers, PTT, key, speed and standby.  Both lines exist only while
// the port is open.  The window owns the keyer (through its model), acts on the keyer commands
// the application turns the global CW keys into, keys letters typed while it has the focus,
// and is shown only while the entry window works in CW.
#pragma once

#include <final/final.h>

#include <vector>

#include "app/command_bus.h"
#include "app/station.h"
#include "app/views/cw_window_model.h"
#include "app/views/entry_window_model.h"
#include "app/views/view_model.h"
#include "tui/text_view.h"
#include "tui/window_select.h"
#include "ui/windows/docked_window.h"

namespace vk::ui {

class CwWindow final : public DockedWindow, public MessageTarget, public KeyPreview {
 public:
  // `station`, `entry` and `messages` outlive the window.  The keyer is made at once by
  // `makeKeyer` (the session's); a port that fails is reported to the application as an error
  // broadcast.
  CwWindow(finalcut::FWidget* desktop, Station& station, const EntryModel& entry,
           const CwMessageList& messages, CwWindowModel::KeyerFactory makeKeyer);
  CwWindow(const CwWindow&) = delete;
  CwWindow& operator=(const CwWindow&) = delete;

  // The CW setup chose another port (already the program-wide one): a new keyer on it.
  void PortChanged();
  // The program ends: the keyer writes its settings and stops.
  void CloseKeyer();
  // Shown only while the entry window works in CW.
  void ShowForMode(Mode mode);
  // The speed keyed now in WPM; 0 while no keyer works.
  int KeyerSpeed() const { return model_.HasLines() ? model_.Status().speed : 0; }

  // Ticks, keyer commands and mode changes.
  void HandleMessage(Message& m) override;
  // Letters and digits typed while the window has the focus are keyed.
  bool PreviewKey(KeyCode key) override;

  void onClose(finalcut::FCloseEvent* ev) override { ev->ignore(); }

 private:
  // Home is the bottom-right corner; a window the operator put somewhere else stays there, as
  // far as a new terminal size allows.
  WindowPlace Where(const WindowPlace& home) override;
  void KeyerCommand(const Message& m);
  void FocusToggle();
  void ReportPortError(KeyerPortError e);
  void Show(CwChanges c);
  // A message key: its text with the macros filled in from the entry window and the log.
  void SendMessage(KeyCode key);
  // What the macros stand for now; the values live until the next call.
  MacroValues Macros();

  Station& station_;
  const EntryModel& entry_;
  CwWindowModel model_;
  CommandBus& bus_;
  TextView text_;
  TextView status_;
  // The windows behind this one when it took the focus, front to back.
  std::vector<finalcut::FDialog*> remembered_;
  std::string lastCall_;  // what Macros() gave as the last logged call
  bool moved_ = false;  // the operator moved the window; a new terminal size keeps it there
  // Last: detached before any of the above goes.
  BusSubscription subscription_{bus_, *this};
};

}  // namespace vk::ui
