#include "ui/windows/info_window.h"

namespace vk::ui {

InfoWindow::InfoWindow(finalcut::FWidget* parent, const finalcut::FString& title, CommandBus& bus)
    : DockedWindow(
          parent, title,
          [this] { return PlaceOnDesktop(ClassicBounds(), DesktopColumns(), DesktopRows()); }),
      subscription_(bus, *this),
      title_(title) {}

void InfoWindow::MarkShared(int index, int count) {
  finalcut::FString text = title_;
  if (count > 1) text << " " << (index + 1) << "/" << count;
  if (text != getText()) setText(text);
}

void InfoWindow::HandleMessage(Message& m) {
  if (m.what != EventClass::kTick) return;
  if (Update(false)) redraw();
}

void InfoWindow::Redraw() {
  Update(true);
  if (isShown()) redraw();
}

WindowPlace InfoWindow::Where(const WindowPlace& home) {
  if (MovedByOperator()) {
    const int x = getX() - 1, y = getY() - 1;
    const Rect classic = ClassicBounds();
    moved_ = Rect{x, y, x + classic.right - classic.left, y + classic.bottom - classic.top};
  }
  return moved_ ? PlaceOnDesktop(*moved_, DesktopColumns(), DesktopRows()) : home;
}

void InfoWindow::onClose(finalcut::FCloseEvent* ev) {
  ev->ignore();
}

}  // namespace vk::ui
