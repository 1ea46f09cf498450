// The Repeat window: the calls worked on the current band and mode, ascending, each with one
// column per time period of the contest and an "X" where it was worked.  The column of the
// period the log clock stands in is drawn highlighted.  It shows only what RepeatModel holds.
#pragma once

#include <final/final.h>

#include "app/views/repeat_window_model.h"
#include "tui/text_rows.h"
#include "ui/windows/info_window.h"

namespace vk::ui {

class RepeatWindow final : public InfoWindow {
 public:
  // `model` outlives the window.
  RepeatWindow(finalcut::FWidget* parent, RepeatModel& model, CommandBus& bus);
  ~RepeatWindow() override;

 private:
  Rect ClassicBounds() const override { return model_.Bounds(); }
  void LayoutViews(int width, int height) override;
  bool Update(bool force) override;

  RepeatModel& model_;
  TextRows lines_{this};
};

}  // namespace vk::ui
