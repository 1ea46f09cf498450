#include "ui/windows/repeat_window.h"

#include <algorithm>
#include <string>

#include "tui/screen_text.h"

namespace vk::ui {

RepeatWindow::RepeatWindow(finalcut::FWidget* parent, RepeatModel& model, CommandBus& bus)
    : InfoWindow(parent, ScreenText(parent, kRepeatWindowTitle), bus), model_(model) {
  Relayout();
}

RepeatWindow::~RepeatWindow() = default;

void RepeatWindow::LayoutViews(int width, int height) {
  lines_.Place(1, 1, width, height);
}

bool RepeatWindow::Update(bool force) {
  bool any = false;
  if (model_.TakeChanges() != changed::kNothing || force) {
    any = lines_.SetRows(model_.Rows(lines_.Width(), lines_.Height()));
  }
  // The log clock moves on between log changes: the highlighted period may change any tick.
  const int rows = std::min(static_cast<int>(model_.Lines().size()), lines_.Height());
  any |= lines_.SetHighlight(model_.HighlightColumn(), rows);
  return any;
}

}  // namespace vk::ui
