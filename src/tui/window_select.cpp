#include "tui/window_select.h"

namespace vk::ui {

void SelectWindow(finalcut::FDialog* window, finalcut::FWidget* child) {
  if (window == nullptr) return;
  finalcut::FWidget* old = finalcut::FWidget::getActiveWindow();
  finalcut::FWindow::raiseWindow(window);
  window->activateDialog();
  if (child != nullptr) child->setFocus();
  window->redraw();
  if (old != nullptr && old != window) old->redraw();
}

}  // namespace vk::ui
