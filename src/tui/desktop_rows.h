// The height of the desktop the operating windows are placed on.
#pragma once

#include <final/final.h>

namespace vk::ui {

// Rows between the menu bar (the terminal's top row) and the status line (its bottom row).
inline int DesktopRows(const finalcut::FWidget& w) {
  return static_cast<int>(w.getDesktopHeight()) - 2;
}

}  // namespace vk::ui
