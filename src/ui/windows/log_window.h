// The log window "[Журнал]" on the terminal: one line per QSO under the column header, the QSO
// count, and the Edit, Del and Insert buttons.  It shows what LogViewModel holds; the lines
// follow the log through the broadcasts every change of the log sends.  The window can be
// moved and resized but not zoomed or closed, and sits above the entry window.
#pragma once

#include <final/final.h>

#include <functional>

#include "app/command_bus.h"
#include "app/screen_layout.h"
#include "app/views/log_window_model.h"
#include "tui/log_list.h"
#include "tui/text_view.h"
#include "ui/windows/docked_window.h"

namespace vk::ui {

class LogWindow final : public DockedWindow {
 public:
  LogWindow(finalcut::FWidget* desktop, LogViewModel& model, CommandBus& bus);
  ~LogWindow() override;
  LogWindow(const LogWindow&) = delete;
  LogWindow& operator=(const LogWindow&) = delete;

  // A change of the log (QSO inserted, edited, deleted, appended); the model has already
  // taken it.
  void LogMessage(const Message& m);
  // Count and focused line follow the model; lines changed other than at the end are shown
  // again.
  void Tick();
  LogList& List() { return list_; }

  void onClose(finalcut::FCloseEvent* ev) override { ev->ignore(); }

 private:
  void Layout(int width, int height) override;
  void FillList();
  void Press(CommandId command);
  void ListMoved();

  LogViewModel& model_;
  CommandBus& bus_;
  LogList list_;
  TextView countLabel_;
  TextView count_;
  finalcut::FButton edit_{"&Edit", this};
  finalcut::FButton del_{"&Del", this};
  finalcut::FButton insert_{"&Insert", this};
  bool refill_ = false;  // lines changed in the middle: show them all again on the next tick
};

}  // namespace vk::ui
