#include "ui/windows/multi_window.h"

#include "tui/screen_text.h"

namespace vk::ui {

MultiWindow::MultiWindow(finalcut::FWidget* parent, SideListModel& model, int index,
                         CommandBus& bus)
    : InfoWindow(parent, ScreenText(parent, model.Title()), bus), model_(model), index_(index) {
  Relayout();
}

MultiWindow::~MultiWindow() = default;

void MultiWindow::LayoutViews(int width, int height) {
  // The key list fills the interior.
  keys_.Place(1, 1, width, height);
}

bool MultiWindow::Update(bool force) {
  if (model_.TakeChanges() == changed::kNothing && !force) return false;
  // The keys are flowed again at every change: the list may have grown, or the band or mode
  // may now point at another list.
  return keys_.SetRows(model_.Rows(keys_.Width(), keys_.Height()));
}

}  // namespace vk::ui
