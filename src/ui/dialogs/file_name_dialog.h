// Asks for the name of a file (File > Export ADIF, File > Import ADIF).  A name without a
// directory is taken in the station's working directory.
#pragma once

#include <final/final.h>

#include <string>
#include <string_view>

#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"

namespace vk::ui {

class FileNameDialog final : public OkCancelDialog {
 public:
  FileNameDialog(finalcut::FWidget* parent, std::string_view title, std::string_view name);
  std::string Name() const { return name_.Cp866(); }

 private:
  bool Confirm() override;

  finalcut::FLabel label_{"&File:", this};
  MaskedLine name_{this, 200};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

}  // namespace vk::ui
