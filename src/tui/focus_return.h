// Gives the keys back to the window that had them when a modal dialog opened.  The toolkit's own
// choice after a dialog closes follows its "previous window", which opening the menu, or an
// earlier dialog that is gone by now, leaves pointing somewhere else: the keys then reach no
// operating window at all.
#pragma once

#include <final/final.h>

namespace vk::ui {

class FocusReturn {
 public:
  FocusReturn();
  // Selects the remembered window if it is still on the desktop, else the entry window.
  ~FocusReturn();

  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

 private:
  // Not owned; it may be deleted while the dialog runs, so it is looked up before use.
  finalcut::FWindow* window_ = nullptr;
};

// The toolkit's message box with the focus handed back when it is gone.
class MessageBox final : private FocusReturn, public finalcut::FMessageBox {
 public:
  using finalcut::FMessageBox::FMessageBox;
};

// An OK box (the toolkit's info() and error(), which return the focus their own way).
void ShowMessage(finalcut::FWidget* parent, finalcut::FString title, finalcut::FString text,
                 bool beep = false);

}  // namespace vk::ui
