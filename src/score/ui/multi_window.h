// A multiplier window: the keys of one multiplier or bonus rule already worked on the current
// band and mode.  It shows only what MultiListModel holds.
#pragma once

#include <final/final.h>

#include "app/multi_list_model.h"

namespace vk::ui {

class MultiWindow final : public finalcut::FDialog {
 public:
  // `index` is the window's place among the multiplier windows (0 for the first).
  MultiWindow(finalcut::FWidget* parent, MultiListModel& model, int index);
  ~MultiWindow() override;
  MultiWindow(const MultiWindow&) = delete;
  MultiWindow& operator=(const MultiWindow&) = delete;

  // Called on the idle tick: redraws when the model reports a change.
  void Tick();

 private:
  MultiListModel& model_;
  int index_;
};

}  // namespace vk::ui
