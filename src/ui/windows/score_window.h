// The score window "[Point]": per allowed band the QSO count and the sums of points,
// multipliers and bonus, and the total line with the contest's formula.  It shows only what
// ScoreModel holds and redraws on the tick after the model reports new texts.
#pragma once

#include <final/final.h>

#include "app/views/score_window_model.h"
#include "tui/text_rows.h"
#include "ui/windows/info_window.h"

namespace vk::ui {

class ScoreWindow final : public InfoWindow {
 public:
  // `model` outlives the window.
  ScoreWindow(finalcut::FWidget* parent, ScoreModel& model, CommandBus& bus);
  ~ScoreWindow() override;

 private:
  Rect ClassicBounds() const override { return kScoreWindowBounds; }
  void LayoutViews(int width, int height) override;
  bool Update(bool force) override;

  ScoreModel& model_;
  TextRows header_{this};
  TextRows qsoLabel_{this};
  TextRows qsos_{this};
  TextRows pointsLabel_{this};
  TextRows points_{this};
  TextRows multiLabel_{this};
  TextRows multi_{this};
  TextRows bonusLabel_{this};
  TextRows bonus_{this};
  TextRows totalLabel_{this};
  TextRows total_{this};
  // One row per band when the window is too narrow for a column per band.
  TextRows byRows_{this};
  bool showByRows_ = false;
};

}  // namespace vk::ui
