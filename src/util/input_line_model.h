// One input line of the entry window without a terminal: its text, its cursor and the editing
// the operator's keys do to it.  Letters a-z are upper-cased as they are typed (call signs and
// exchanges are upper case), the Space key empties the whole line instead of typing a space
// (the received-exchange correction turns "/" into the space between exchange parts), and an
// optional picture mask guards what may be typed, filling in its literal characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "util/picture_mask.h"

namespace vk {

class InputLineModel {
 public:
  // `maxLength` characters fit; longer texts are cut, never refused.
  explicit InputLineModel(std::size_t maxLength) : max_(maxLength) {}

  const std::string& Text() const { return text_; }
  std::size_t Cursor() const { return cursor_; }
  std::size_t MaxLength() const { return max_; }
  bool Empty() const { return text_.empty(); }

  // Text put in by the program (a proposed exchange, a completed call): cut to the line's
  // length and not checked against the picture.
  void SetText(std::string_view text, bool cursorAtEnd = true);
  // Text put back by the terminal's own line editor after the operator edited it there.
  void SetEdited(std::string_view text, std::size_t cursor);
  // Empty text, cursor at 0 (also what the Space key does).
  void Clear();

  // Empty picture: none.  A picture that cannot be used accepts everything (see PictureMask).
  void SetPicture(std::string_view picture);
  bool HasPicture() const { return mask_.has_value(); }

  // Editing keys; each answers whether the line changed.
  bool Type(
      char c);  // inserted at the cursor; refused when the line is full or the picture says no
  bool Backspace();
  bool Delete();
  bool Left();
  bool Right();
  bool Home();
  bool End();

 private:
  // Takes `candidate` as the new text when the picture allows it; the cursor goes to `cursor`,
  // or to the end when filling lengthened the text past it.
  bool Accept(std::string candidate, std::size_t cursor, bool autoFill);

  std::size_t max_;
  std::string text_;
  std::size_t cursor_ = 0;
  std::optional<PictureMask> mask_;
};

// a-z to A-Z; every other byte (digits, "/", CP866 letters) as it is.
char UpperAscii(char c);

}  // namespace vk
