#include "ui/windows/docked_window.h"

#include "ui/windows/side_place.h"

namespace vk::ui {

DockedWindow::DockedWindow(finalcut::FWidget* parent, const std::string& title,
                           std::function<WindowPlace()> home)
    : finalcut::FDialog(parent), home_(std::move(home)) {
  setText(title);
  setTitlebarButtonVisibility(false);
  setResizeable(false);
  setMinimizable(false);
  unsetShadow();
}

void DockedWindow::Place() {
  if (placing_) return;
  placing_ = true;
  const WindowPlace p = home_();
  // The toolkit counts desktop columns and rows from 1.
  setGeometry(
      finalcut::FPoint{p.x + 1, p.y + 1},
      finalcut::FSize{static_cast<std::size_t>(p.width), static_cast<std::size_t>(p.height)});
  Layout(InteriorWidth(p), InteriorHeight(p));
  placing_ = false;
  Redraw();
}

void DockedWindow::adjustSize() {
  finalcut::FDialog::adjustSize();
  Place();
}

}  // namespace vk::ui
