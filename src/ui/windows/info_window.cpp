#include "ui/windows/info_window.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

InfoWindow::InfoWindow(finalcut::FWidget* parent, const finalcut::FString& title, CommandBus& bus)
    : finalcut::FDialog(parent), subscription_(bus, *this) {
  setText(title);
  setTitlebarButtonVisibility(false);
  setResizeable(false);
  setMinimizable(false);
  unsetShadow();
}

void InfoWindow::HandleMessage(Message& m) {
  if (m.what != EventClass::kTick) return;
  if (Update(false)) redraw();
}

void InfoWindow::Relayout() {
  // Setting the geometry makes the toolkit adjust the window's size again.
  if (placing_) return;
  placing_ = true;
  // A window the operator has moved stays where it was put, with its classic size.
  const int x = getX() - 1, y = getY() - 1;
  if (placed_ && (x != place_.x || y != place_.y)) {
    const Rect home = ClassicBounds();
    moved_ = Rect{x, y, x + home.right - home.left, y + home.bottom - home.top};
  }
  const Rect bounds = moved_ ? *moved_ : ClassicBounds();
  const int desktopHeight = static_cast<int>(getDesktopHeight()) - 2;  // menu bar, status line
  place_ = home_ && !moved_
               ? home_()
               : PlaceOnDesktop(bounds, static_cast<int>(getDesktopWidth()), desktopHeight);
  placed_ = true;
  setGeometry(FPoint{place_.x + 1, place_.y + 1}, FSize{static_cast<std::size_t>(place_.width),
                                                        static_cast<std::size_t>(place_.height)});
  LayoutViews(InteriorWidth(place_), InteriorHeight(place_));
  Update(true);
  placing_ = false;
  if (isShown()) redraw();
}

void InfoWindow::SetHome(std::function<WindowPlace()> home) {
  home_ = std::move(home);
  Relayout();
}

void InfoWindow::adjustSize() {
  finalcut::FDialog::adjustSize();
  Relayout();
}

void InfoWindow::onClose(finalcut::FCloseEvent* ev) {
  ev->ignore();
}

}  // namespace vk::ui
