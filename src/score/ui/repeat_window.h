// The Repeat window: per call worked on the current band and mode, the time periods it was
// worked in, the current period's column highlighted.  It shows only what RepeatModel holds.
#pragma once

#include <final/final.h>

#include "app/multi_list_model.h"

namespace vk::ui {

class RepeatWindow final : public finalcut::FDialog {
 public:
  RepeatWindow(finalcut::FWidget* parent, RepeatModel& model);
  ~RepeatWindow() override;
  RepeatWindow(const RepeatWindow&) = delete;
  RepeatWindow& operator=(const RepeatWindow&) = delete;

  // Called on the idle tick: redraws when the model reports a change.
  void Tick();

 private:
  RepeatModel& model_;
};

}  // namespace vk::ui
