// The band map: a side window in the right-hand column listing the spots of the current band
// with the entry frequency among them.  Up, Down, PgUp, PgDn, Home and End move the selection,
// Enter takes the spot into the entry window, Esc stops the keyer and goes back to the entry
// window.  Alt+B shows and hides it; it never takes keys while hidden.
#pragma once

#include <final/final.h>

#include <functional>

#include "app/screen_layout.h"
#include "app/views/band_map_model.h"
#include "tui/text_rows.h"
#include "tui/window_select.h"
#include "ui/windows/docked_window.h"

namespace vk::ui {

class BandMapWindow final : public DockedWindow, public KeyPreview, public LeftOnEscape {
 public:
  // `take`: Enter on a spot; `leave`: Esc; `typed`: a character or Backspace typed here, which
  // belongs to the entry window (nullptr: the map ignores it).
  BandMapWindow(finalcut::FWidget* parent, BandMapModel& model, std::function<void()> take,
                std::function<void()> leave, std::function<WindowPlace()> home,
                std::function<void(KeyCode)> typed = nullptr);

  // From the tick: new rows drawn when the model changed.
  void Update(bool force = false);
  bool PreviewKey(KeyCode key) override;
  void LeaveOnEscape() override { leave_(); }

 private:
  void Layout(int width, int height) override { rows_.Place(1, 1, width, height); }
  void Redraw() override { Update(true); }
  void onClose(finalcut::FCloseEvent* ev) override;
  int VisibleRows() const { return rows_.Height(); }

  BandMapModel& model_;
  std::function<void()> take_;
  std::function<void()> leave_;
  std::function<void(KeyCode)> typed_;
  TextRows rows_{this};
  int top_ = 0;  // first model row shown
};

}  // namespace vk::ui
