// A list side window: the keys (zones, countries, prefixes...) one multiplier or bonus rule
// has recorded on the current band and mode, the multipliers still needed or the dupe sheet,
// flowed into the rows of the window.  It shows only what its model holds and redraws on the
// tick after a band, mode or log change.
#pragma once

#include <final/final.h>

#include "app/views/multi_window_model.h"
#include "tui/text_rows.h"
#include "ui/windows/info_window.h"

namespace vk::ui {

class MultiWindow final : public InfoWindow {
 public:
  // `index` is the window's place among the side windows (0 for the first), which stack down
  // the right-hand side of the desktop.  `model` outlives the window.
  MultiWindow(finalcut::FWidget* parent, SideListModel& model, int index, CommandBus& bus);
  ~MultiWindow() override;

 private:
  Rect ClassicBounds() const override { return MultiWindowBounds(index_); }
  void LayoutViews(int width, int height) override;
  bool Update(bool force) override;

  SideListModel& model_;
  int index_;
  TextRows keys_{this};
};

}  // namespace vk::ui
