#include "score/ui/multi_window.h"

namespace vk::ui {

MultiWindow::MultiWindow(finalcut::FWidget* parent, MultiListModel& model, int index)
    : finalcut::FDialog(parent), model_(model), index_(index) {}

MultiWindow::~MultiWindow() = default;

void MultiWindow::Tick() { model_.TakeChanges(); }

}  // namespace vk::ui
