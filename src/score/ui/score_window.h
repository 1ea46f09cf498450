// The score window: per allowed band the QSO count and the sums of points, multipliers and
// bonus, and the total line with the contest's formula.  It shows only what ScoreModel holds.
#pragma once

#include <final/final.h>

#include "app/score_model.h"

namespace vk::ui {

class ScoreWindow final : public finalcut::FDialog {
 public:
  ScoreWindow(finalcut::FWidget* parent, ScoreModel& model);
  ~ScoreWindow() override;
  ScoreWindow(const ScoreWindow&) = delete;
  ScoreWindow& operator=(const ScoreWindow&) = delete;

  // Called on the idle tick: redraws when the model reports a change.
  void Tick();

 private:
  ScoreModel& model_;
};

}  // namespace vk::ui
