// The input line of the program's dialogs: the toolkit's line edit with an optional picture
// mask in front of the typed characters, texts handed in and out as CP866 bytes, and Enter,
// Esc and the dialog's Alt keys left to the dialog.  Unlike the entry window's lines it keeps
// letters as typed and Space types a blank (an exchange is "599 15"); a picture with "!"
// upper-cases what it covers.
#pragma once

#include <final/final.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "util/picture_mask.h"

namespace vk::ui {

class MaskedLine final : public finalcut::FLineEdit {
 public:
  MaskedLine(finalcut::FWidget* parent, std::size_t maxLength);

  // Empty: no picture.
  void SetPicture(std::string_view picture);
  // Program text: cut to the line's length, not checked against the picture.
  void SetCp866(std::string_view text);
  std::string Cp866() const;

  void onKeyPress(finalcut::FKeyEvent* ev) override;

 private:
  // A printable character typed at the cursor; false when it was refused.
  bool Type(char32_t ch);

  std::size_t max_;
  std::optional<PictureMask> mask_;
};

}  // namespace vk::ui
