#include "score/ui/repeat_window.h"

namespace vk::ui {

RepeatWindow::RepeatWindow(finalcut::FWidget* parent, RepeatModel& model)
    : finalcut::FDialog(parent), model_(model) {}

RepeatWindow::~RepeatWindow() = default;

void RepeatWindow::Tick() { model_.TakeChanges(); }

}  // namespace vk::ui
