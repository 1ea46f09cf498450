// The common frame of the score, multiplier and Repeat windows: a non-modal window that shows
// figures and never takes input.  It sits at the place the screen layout gives it (or, until it
// has one, its classic place: see side_place.h), follows the terminal when it is resized, cannot
// be closed or zoomed (the operator keeps these windows for the whole contest), and asks its
// subclass for new texts on every tick of the application.
#pragma once

#include <final/final.h>

#include <functional>
#include <optional>

#include "app/command_bus.h"
#include "app/views/score_window_model.h"
#include "app/views/view_model.h"
#include "ui/windows/docked_window.h"
#include "ui/windows/side_place.h"

namespace vk::ui {

class InfoWindow : public DockedWindow, public MessageTarget {
 public:
  InfoWindow(const InfoWindow&) = delete;
  InfoWindow& operator=(const InfoWindow&) = delete;

  // Ticks come from the application's bus; everything else is the models' business.
  void HandleMessage(Message& m) override;
  // The window is number `index` (from 0) of `count` windows that share one place and show
  // one at a time: the title says which ("Zone CQ 1/4"); `count` 1 for a place of its own.
  void MarkShared(int index, int count);

 protected:
  // Attached to the application's bus (which outlives the window); the subclass calls
  // Relayout() once its views exist.
  InfoWindow(finalcut::FWidget* parent, const finalcut::FString& title, CommandBus& bus);

  // Puts the window at its place for the current desktop size (or where the operator moved
  // it) and lays out its views.
  void Relayout() { Place(); }

  // The window's bounds on the classic desktop.
  virtual Rect ClassicBounds() const = 0;
  // Places the views inside an interior of that size (columns and rows, frame excluded).
  virtual void LayoutViews(int width, int height) = 0;
  // Takes the model's news; true when something shown changed.  `force` after a new layout.
  virtual bool Update(bool force) = 0;

 private:
  void Layout(int width, int height) override { LayoutViews(width, height); }
  void Redraw() override;
  // A window the operator has moved stays where it was put, with its classic size.
  WindowPlace Where(const WindowPlace& home) override;
  void onClose(finalcut::FCloseEvent* ev) override;

  BusSubscription subscription_;
  finalcut::FString title_;
  std::optional<Rect> moved_;  // the classic bounds at the place the operator chose
};

}  // namespace vk::ui
