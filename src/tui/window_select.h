// Windows on the desktop: selecting one, the keys a window sees before its fields, and where
// the keys go when the window that had them is gone.
#pragma once

#include <final/final.h>

#include "util/key_codes.h"

namespace vk::ui {

// A window that wants keys before its fields do (an input line would otherwise turn Up, Down
// and Tab into focus moves before the window sees them).  The key comes as its PC code, made
// once where the application received it.  Return true to consume the key.
// A window the operator leaves with Esc, back to the window where the typing happens.  Esc
// stops the keyer before any window sees a key; the application then asks the active window
// to step aside, so one press does both.
class LeftOnEscape {
 public:
  virtual ~LeftOnEscape() = default;
  virtual void LeaveOnEscape() = 0;
};

class KeyPreview {
 public:
  virtual ~KeyPreview() = default;
  virtual bool PreviewKey(KeyCode key) = 0;
};

// A field that edits itself with PC-coded keys.  The application offers it the code of each
// key meant for it before the toolkit's key press does; true consumes the key, false lets the
// press go on to the window and the accelerators.  (The toolkit's key events cannot carry the
// code: they are not polymorphic, so a widget could not tell a coded event from a plain one.)
class KeyTaker {
 public:
  virtual ~KeyTaker() = default;
  virtual bool TakeKey(KeyCode key) = 0;
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
