// The band map: a side window in the right-hand column listing the spots of the current band
// with the entry frequency among them.  Up, Down, PgUp, PgDn, Home and End move the selection,
// Enter takes the spot into the entry window, Esc goes back to the entry window.  Alt+B shows
// and hides it; it never takes keys while hidden.
#pragma once

#include <final/final.h>

#include <functional>

#include "app/screen_layout.h"
#include "tui/window_select.h"
#include "app/views/band_map_model.h"
#include "tui/text_rows.h"

namespace vk::ui {

class BandMapWindow final : public finalcut::FDialog, public KeyPreview {
 public:
  // `take`: Enter on a spot; `leave`: Esc.
  BandMapWindow(finalcut::FWidget* parent, BandMapModel& model, std::function<void()> take,
                std::function<void()> leave, std::function<WindowPlace()> home);

  // From the tick: new rows drawn when the model changed.
  void Update(bool force = false);
  bool PreviewKey(finalcut::FKey key) override;

 private:
  void Place();
  void adjustSize() override;
  void onClose(finalcut::FCloseEvent* ev) override;
  bool zoomWindow() override { return false; }
  int VisibleRows() const { return rows_.Height(); }

  BandMapModel& model_;
  std::function<void()> take_;
  std::function<void()> leave_;
  std::function<WindowPlace()> home_;
  TextRows rows_{this};
  int top_ = 0;  // first model row shown
  bool placing_ = false;
};

}  // namespace vk::ui
