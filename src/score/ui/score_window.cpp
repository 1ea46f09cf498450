#include "score/ui/score_window.h"

namespace vk::ui {

ScoreWindow::ScoreWindow(finalcut::FWidget* parent, ScoreModel& model)
    : finalcut::FDialog(parent), model_(model) {}

ScoreWindow::~ScoreWindow() = default;

void ScoreWindow::Tick() { model_.TakeChanges(); }

}  // namespace vk::ui
