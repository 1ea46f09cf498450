// The base of every dialog that ends with OK and Cancel.
#pragma once

#include <final/final.h>

#include <string>
#include <string_view>
#include <vector>

#include "tui/tv_dialog.h"

namespace vk::ui {

// It is built three rows taller than its contents need; both buttons, ten columns wide, sit on
// the contents' bottom row: OK (the default) from column w/4 - 2, Cancel from column
// w/2 + w/4 - 7.
class OkCancelDialog : public TvDialog {
 protected:
  // `height`: of the contents, without the button row.
  OkCancelDialog(finalcut::FWidget* parent, std::string_view title, int width, int height);
  // Called last by the derived constructor, so that Tab reaches the buttons after the fields.
  void PlaceButtons(finalcut::FButton& ok, finalcut::FButton& cancel);
  // OK asks first; false keeps the dialog open.
  virtual bool Confirm() { return true; }
  // For Confirm: shows why OK was refused and puts the cursor back on the field at fault.
  // Returns false, so that Confirm can return it.
  bool RefuseField(finalcut::FWidget& field, std::string_view message);

 private:
  int contentsHeight_;
};

// A question with OK and Cancel: lines of CP866 text above the buttons.  True for OK.
bool AskOkCancel(finalcut::FWidget* parent, std::string_view title,
                 const std::vector<std::string>& cp866Lines);

}  // namespace vk::ui
