// "[Recv Log]": the window that drives a whole-log transfer into this station.  It shows the
// number of the first QSO not yet received; every QSO that arrives is merged into the log and
// saved, and the program goes on after the transfer.  Closing it stops the requests and leaves
// the log as far as it has arrived.
#pragma once

#include <final/final.h>

#include "app/command_bus.h"
#include "app/views/recv_log_window_model.h"

namespace vk::ui {

class RecvLogWindow final : public finalcut::FDialog, public MessageTarget {
 public:
  // Built with new on the desktop, which owns it; the toolkit deletes it when it is closed.
  RecvLogWindow(finalcut::FWidget* desktop, NetworkSession& session, CommandBus& bus);
  RecvLogWindow(const RecvLogWindow&) = delete;
  RecvLogWindow& operator=(const RecvLogWindow&) = delete;

  // Shows the counter again when it changed; the model hears the bus on its own.
  void HandleMessage(Message& m) override;

 private:
  bool zoomWindow() override { return false; }
  // Closing hands the keyboard back to the entry window.
  void onClose(finalcut::FCloseEvent* ev) override;

  CommandBus& bus_;
  LogReceiver receiver_;  // attached to the bus before the window, so it counts first
  finalcut::FLabel counter_{this};
  BusSubscription subscription_{bus_, *this};
};

}  // namespace vk::ui
