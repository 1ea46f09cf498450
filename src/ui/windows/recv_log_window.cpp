#include "ui/windows/recv_log_window.h"

#include "util/strings.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

RecvLogWindow::RecvLogWindow(finalcut::FWidget* desktop, NetworkSession& session, CommandBus& bus)
    : finalcut::FDialog(desktop), bus_(bus), receiver_(session, bus) {
  setText("[Recv Log]");
  setResizeable(false);
  setMinimizable(false);
  // (10,8)-(36,16) on the classic desktop.
  setGeometry(FPoint{11, 9}, FSize{26, 8});
  counter_.setAlignment(finalcut::Align::Center);
  counter_.setGeometry(FPoint{6, 2}, FSize{4, 1});
  counter_.setText(IntToStr(receiver_.Counter()));
}

void RecvLogWindow::onClose(finalcut::FCloseEvent* ev) {
  ev->accept();
  // Posted: the window is on its way out and must not be selected or redrawn from here.
  bus_.Post(EventClass::kBroadcast, cm::kSelectEntryWindow);
}

void RecvLogWindow::HandleMessage(Message&) {
  if ((receiver_.TakeChanges() & changed::kTexts) == 0) return;
  counter_.setText(IntToStr(receiver_.Counter()));
  counter_.redraw();
}

}  // namespace vk::ui
