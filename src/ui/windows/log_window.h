// The log window "[Журнал]" on the terminal: one line per QSO under the column header, the QSO
// count, and the Edit, Del and Insert buttons.  It shows what LogViewModel holds and hears
// nothing on the bus itself: on each tick it redraws what the model noted.  The window can be
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

  // Count and focused line follow the model; lines appended are added, a refill shows them
  // all again.
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
};

}  // namespace vk::ui
