// Windows on the desktop: selecting one, the keys a window sees before its fields, and where
// the keys go when the window that had them is gone.
#pragma once

#include <final/final.h>

namespace vk::ui {

// A window that wants keys before its fields do (an input line would otherwise turn Up, Down
// and Tab into focus moves before the window sees them).  Return true to consume the key.
class KeyPreview {
 public:
  virtual ~KeyPreview() = default;
  virtual bool PreviewKey(finalcut::FKey key) = 0;
};

// The application's part in handing the keys back (FocusReturn): it is asked once the window
// that had the keys is gone, and chooses the window they belong to now.
class FocusHome {
 public:
  virtual ~FocusHome() = default;
  virtual void ReturnFocusHome() = 0;
};

// Brings a window to the front and gives it the focus (or `child`), repainting the title bars
// of the old and the new active window.
void SelectWindow(finalcut::FDialog* window, finalcut::FWidget* child = nullptr);

}  // namespace vk::ui
