// The bottom row: the Alt-X Exit key on the left, then what the operator keeps an eye on: the
// radio, the cluster link, the group, the mode and keyer speed, the log file.  The
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
  // The last key's code and the log checksums on the right (VORKAN_DIAGNOSTICS=1).
  void ShowDiagnostics(bool on);

  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onMouseUp(finalcut::FMouseEvent* ev) override;
  void onMouseMove(finalcut::FMouseEvent* ev) override;

 private:
  void draw() override;
  bool OverExitKey(const finalcut::FMouseEvent* ev) const;

  std::function<void()> quit_;
  finalcut::FStatusKey exit_{finalcut::FKey::Meta_x, "Exit", this};
  StatusTexts texts_;
  bool exitPressed_ = false;
  bool diagnostics_ = false;
};

}  // namespace vk::ui
