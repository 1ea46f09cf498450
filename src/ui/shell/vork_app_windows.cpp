// The desktop's window keys, the ones the status line of a classic desktop carries besides
// Alt-X: Alt+F3 closes the active window, Ctrl+F5 lets the arrows move it, Shift+F6 selects
// the previous window.  (F5 and F6 themselves are CW message keys.)
#include <vector>

#include "app/key_table.h"
#include "ui/shell/vork_app.h"

namespace vk::ui {

using finalcut::FDialog;
using finalcut::FWidget;
using finalcut::FWindow;

namespace {

FDialog* ActiveWindow() {
  auto* d = dynamic_cast<FDialog*>(FWidget::getActiveWindow());
  return d != nullptr && !d->isModal() && d->isShown() ? d : nullptr;
}

// A window that can be neither closed nor moved (the entry window) takes Alt+F3 and Ctrl+F5
// as its own keys, as the classic status line leaves them to a window without those frame
// controls: Alt+F3 then steps the entry window's mode.
bool WindowTakesKey(FDialog* w, KeyCode key) {
  auto* p = dynamic_cast<KeyPreview*>(w);
  return p != nullptr && p->PreviewKey(key);
}

}  // namespace

// The desktop's own windows, in the toolkit's list order; menus and the bars are not dialogs.
std::vector<FDialog*> VorkApp::DesktopWindows() const {
  std::vector<FDialog*> out;
  if (getDialogList() == nullptr) return out;
  for (FWidget* w : *getDialogList()) {
    auto* d = dynamic_cast<FDialog*>(w);
    if (d != nullptr && d->isShown() && d->isEnabled() && !d->isModal()) out.push_back(d);
  }
  return out;
}

void VorkApp::SelectPreviousWindow() {
  const std::vector<FDialog*> windows = DesktopWindows();
  if (windows.size() < 2) return;
  FDialog* active = ActiveWindow();
  std::size_t i = 0;
  while (i < windows.size() && windows[i] != active) ++i;
  SelectWindow(windows[(i == 0 || i == windows.size() ? windows.size() : i) - 1]);
}

void VorkApp::ReturnFocusHome() {
  if (!ModalDialogRunning()) SelectEntryWindow();
}

bool VorkApp::HandleWindowKey(KeyCode key) {
  const KeyBinding* b = FindKey(KeyScope::kDesktop, key);
  if (b == nullptr) return false;
  switch (b->action) {
    case KeyAction::kCloseWindow:
      // A window that must stay open refuses in its close handler.
      if (FDialog* w = ActiveWindow(); w != nullptr && !WindowTakesKey(w, key)) {
        w->close();
      }
      return true;
    case KeyAction::kMoveWindow:
      if (FDialog* w = ActiveWindow(); w != nullptr && !WindowTakesKey(w, key)) {
        FWidget::setMoveSizeWidget(w);
        w->redraw();
      }
      return true;
    case KeyAction::kPreviousWindow:
      SelectPreviousWindow();
      return true;
    default:
      return false;
  }
}

}  // namespace vk::ui
