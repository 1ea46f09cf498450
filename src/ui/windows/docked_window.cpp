#include "ui/windows/docked_window.h"

#include <algorithm>

#include "tui/desktop_rows.h"
#include "ui/windows/side_place.h"

namespace vk::ui {

DockedWindow::DockedWindow(finalcut::FWidget* parent, const finalcut::FString& title,
                           std::function<WindowPlace()> home)
    : finalcut::FDialog(parent), home_(std::move(home)) {
  setText(title);
  setTitlebarButtonVisibility(false);
  setResizeable(false);
  setMinimizable(false);
  unsetShadow();
}

void DockedWindow::SetHome(std::function<WindowPlace()> home) {
  home_ = std::move(home);
  Place();
}

void DockedWindow::Place() {
  if (placing_ || !home_) return;
  placing_ = true;
  const WindowPlace p = Where(home_());
  // The toolkit counts desktop columns and rows from 1.
  setGeometry(
      finalcut::FPoint{p.x + 1, p.y + 1},
      finalcut::FSize{static_cast<std::size_t>(p.width), static_cast<std::size_t>(p.height)});
  placed_ = p;
  isPlaced_ = true;
  placedColumns_ = DesktopColumns();
  placedRows_ = DesktopRows();
  Layout(InteriorWidth(p), InteriorHeight(p));
  placing_ = false;
  Redraw();
}

bool DockedWindow::MovedByOperator() const {
  return isPlaced_ && (getX() - 1 != placed_.x || getY() - 1 != placed_.y);
}

void DockedWindow::adjustSize() {
  finalcut::FDialog::adjustSize();
  if (placing_) return;
  // The operator resized a window that may be resized: its views follow the new size, until
  // the terminal changes size and the window goes home.
  if (isPlaced_ && isResizeable() && DesktopColumns() == placedColumns_ &&
      DesktopRows() == placedRows_) {
    Layout(std::max(static_cast<int>(getWidth()) - kFrameColumns, 0),
           std::max(static_cast<int>(getHeight()) - kFrameRows, 0));
    return;
  }
  Place();
}

std::function<WindowPlace()> OperatingHome(const finalcut::FWidget* desktop,
                                           WindowPlace OperatingLayout::*which) {
  return [desktop, which] {
    LayoutNeeds needs;
    needs.cwWindow = true;
    const OperatingLayout layout = LayOutOperatingWindows(
        static_cast<int>(desktop->getDesktopWidth()), ui::DesktopRows(*desktop), needs);
    return layout.*which;
  };
}

}  // namespace vk::ui
