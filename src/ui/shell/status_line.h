// The bottom row: the Alt-X Exit key on the left and the diagnostic texts on the right.  The
// toolkit would name the key "Meta+X", so the row is drawn here.
#pragma once

#include <final/final.h>

#include <functional>

#include "app/status_texts.h"

namespace vk::ui {

class StatusLine final : public finalcut::FStatusBar {
 public:
  StatusLine(finalcut::FWidget* desktop, std::function<void()> quit);

  // Redraws only when a text changed.
  void SetTexts(const StatusTexts& texts);

  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onMouseUp(finalcut::FMouseEvent* ev) override;
  void onMouseMove(finalcut::FMouseEvent* ev) override;

 private:
  void draw() override;
  void PrintAt(int fromRight, const std::string& text);
  bool OverExitKey(const finalcut::FMouseEvent* ev) const;

  std::function<void()> quit_;
  finalcut::FStatusKey exit_{finalcut::FKey::Meta_x, "Exit", this};
  StatusTexts texts_;
  bool exitPressed_ = false;
};

}  // namespace vk::ui
