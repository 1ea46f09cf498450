// Texts on the menu bar's row: the program banner and the clock.  They are children of the menu
// bar, so they stay visible while a menu is open and move with it when the screen is resized.
#pragma once

#include <final/final.h>

#include <string>

#include "app/command_bus.h"
#include "util/clock.h"

namespace vk::ui {

class RowText : public finalcut::FWidget {
 public:
  // `fromRight`: the first column, counted back from the right edge of the screen.
  RowText(finalcut::FWidget* menuBar, int fromRight, std::size_t width);

  // CP866 text; redraws only when it changed.
  void SetText(const std::string& cp866);
  const std::string& Text() const { return text_; }
  // The next SetText draws even an unchanged text (the row was painted over).
  void Invalidate() { text_.clear(); }
  // Follows the screen width.
  void Place(std::size_t screenWidth);
  // A new first column (counted back from the right edge) and width.
  // True when it moved: the row must be drawn again where it stood.
  bool SetSpan(int fromRight, std::size_t width);

 private:
  void draw() override;

  int fromRight_;
  std::size_t width_;
  std::string text_;
};

// UTC as "hh:nn:ss UTC", refreshed on every tick.
class TopClock final : public RowText, public MessageTarget {
 public:
  explicit TopClock(finalcut::FWidget* menuBar);
  void HandleMessage(Message& m) override;

 private:
  SystemTimeSource time_;  // the computer's clock, whatever the log clock says
};

}  // namespace vk::ui
