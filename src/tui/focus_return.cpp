#include "tui/focus_return.h"

#include <algorithm>
#include <utility>

#include "tui/window_select.h"

namespace vk::ui {

namespace {

// The window that has the keys now: a desktop window or a modal dialog that runs beneath the
// new one, never the menu bar or an open menu.
finalcut::FWindow* KeyWindow() {
  finalcut::FWidget* focus = finalcut::FWidget::getFocusWidget();
  finalcut::FWindow* win = focus != nullptr ? finalcut::FWindow::getWindowWidget(focus) : nullptr;
  if (win == nullptr) win = dynamic_cast<finalcut::FWindow*>(finalcut::FWidget::getActiveWindow());
  if (win == nullptr || win->isMenuWidget() || dynamic_cast<finalcut::FDialog*>(win) == nullptr) {
    return nullptr;
  }
  return win;
}

bool OnDesktop(const finalcut::FWindow* w) {
  const auto* list = finalcut::FVTerm::getWindowList();
  if (list == nullptr || w == nullptr) return false;
  return std::find(list->begin(), list->end(), static_cast<const finalcut::FVTerm*>(w)) !=
             list->end() &&
         w->isShown();
}

}  // namespace

FocusReturn::FocusReturn() : window_(KeyWindow()) {}

FocusReturn::~FocusReturn() {
  if (finalcut::FApplication::isQuit()) return;
  if (OnDesktop(window_)) {
    auto* dialog = static_cast<finalcut::FDialog*>(window_);
    SelectWindow(dialog, dialog->getWindowFocusWidget());
    return;
  }
  // Nothing had the keys (the desktop was still empty), or that window is gone: the
  // application knows where they belong.
  if (auto* home = dynamic_cast<FocusHome*>(finalcut::FApplication::getApplicationObject())) {
    home->ReturnFocusHome();
  }
}

void ShowMessage(finalcut::FWidget* parent, finalcut::FString title, finalcut::FString text,
                 bool beep) {
  using Button = finalcut::FMessageBox::ButtonType;
  MessageBox box{std::move(title), std::move(text), Button::Ok,
                 Button::Reject,   Button::Reject,  parent};
  box.setCenterText();
  if (beep) finalcut::FVTerm::getFOutput()->beep();
  box.exec();
}

}  // namespace vk::ui
