#include "ui/dialogs/file_name_dialog.h"

#include "util/strings.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

FileNameDialog::FileNameDialog(finalcut::FWidget* parent, std::string_view title,
                               std::string_view name)
    : OkCancelDialog(parent, title, 50, 4) {
  label_.setGeometry(FPoint{3, 2}, FSize{6, 1});
  label_.setAccelWidget(&name_);
  name_.setGeometry(FPoint{10, 2}, FSize{36, 1});
  name_.SetCp866(name);
  PlaceButtons(ok_, cancel_);
  name_.setFocus();
}

bool FileNameDialog::Confirm() {
  if (Trim(name_.Cp866()).empty()) return RefuseField(name_, "No file name");
  return true;
}

}  // namespace vk::ui
