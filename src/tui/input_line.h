// An input line of the operating windows on the terminal.  The text and the cursor live in an
// InputLineModel (CP866 bytes); the toolkit's line edit only shows them.  On its own the line
// edits its model: letters a-z are upper-cased, the Space key empties the line, and a picture
// mask may guard what is typed.  The entry window instead takes every key before its lines do
// and shows its own model's lines through Show().
//
// The toolkit's line edit keeps no selection, so gaining the focus leaves the cursor where it
// was and typing appends at the cursor.
#pragma once

#include <final/final.h>

#include <cstddef>
#include <functional>
#include <string_view>

#include "tui/window_select.h"
#include "util/input_line_model.h"
#include "util/key_codes.h"

namespace vk::ui {

class InputLine final : public finalcut::FLineEdit, public KeyTaker {
 public:
  // `maxLength` characters; the widget wants maxLength + 3 columns (a leading blank, the text,
  // the cursor after the last character and one spare column).
  InputLine(finalcut::FWidget* parent, std::size_t maxLength);

  const InputLineModel& Model() const { return model_; }
  void SetPicture(std::string_view picture) { model_.SetPicture(picture); }
  // Program text: cut to the line, cursor at the end, not checked against the picture.
  void SetLineText(std::string_view cp866);
  // Shows another model's line (text and cursor); redraws only when something changed.
  void Show(const InputLineModel& line);

  // The owner hears when the line takes the focus, and when a mouse click moved the cursor.
  void OnFocus(std::function<void()> f) { onFocus_ = std::move(f); }
  void OnCursorClick(std::function<void(std::size_t)> f) { onCursor_ = std::move(f); }

  // One editing key on the line's own model; false for keys that are not editing keys.
  bool EditKey(KeyCode key);
  // The application's key, offered before the toolkit's key press: the editing keys are taken.
  bool TakeKey(KeyCode key) override { return key != 0 && EditKey(key); }

  // Only a key TakeKey refused arrives here.
  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onFocusIn(finalcut::FFocusEvent* ev) override;

 private:
  void Display();

  InputLineModel model_;
  std::function<void()> onFocus_;
  std::function<void(std::size_t)> onCursor_;
};

}  // namespace vk::ui
