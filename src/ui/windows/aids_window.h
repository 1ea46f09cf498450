// The operator aids' side window: the check-partial list (partials, then N+1) for the call
// being typed, and the rate line of the current band.  It shows what AidsPanelModel holds,
// hides while both parts are switched off, and carries out Alt+S, Alt+R and Tools > Statistics.
#pragma once

#include <final/final.h>

#include <functional>

#include "app/views/aids_panel_model.h"
#include "ui/windows/info_window.h"
#include "tui/text_rows.h"

namespace vk::ui {

class AidsWindow final : public InfoWindow {
 public:
  // `model` outlives the window.
  AidsWindow(finalcut::FWidget* parent, AidsPanelModel& model, CommandBus& bus);
  ~AidsWindow() override;

  // Ticks, and the commands kToggleScp, kToggleRate, kPickCall and kStatistics.
  void HandleMessage(Message& m) override;
  // Shown unless the operator switched both parts off.
  void ShowAsChosen();
  // Places the side windows again: the window takes a place only while it is shown.
  void SetRelayout(std::function<void()> relayout) { relayout_ = std::move(relayout); }
  // The model's files were read: its rows are shown again.
  void FilesRead() {
    if (Update(true)) redraw();
  }
  // Where Alt+C puts the call it picked from the list.
  void SetTake(std::function<void(const std::string&)> take) { take_ = std::move(take); }

 private:
  Rect ClassicBounds() const override { return Rect{54, 12, 80, 20}; }
  void LayoutViews(int width, int height) override;
  bool Update(bool force) override;
  void Toggled();

  AidsPanelModel& model_;
  TextRows rows_{this};
  std::function<void()> relayout_;
  std::function<void(const std::string&)> take_;
};

}  // namespace vk::ui
