#include "tui/input_line.h"

#include "tui/screen_text.h"

namespace vk::ui {

InputLine::InputLine(finalcut::FWidget* parent, std::size_t maxLength)
    : finalcut::FLineEdit(parent), model_(maxLength) {
  // The classic input line has no shadow; the labels and lines of a window sit edge to edge.
  unsetShadow();
  setMaxLength(maxLength);
}

void InputLine::SetLineText(std::string_view cp866) {
  model_.SetText(cp866);
  Display();
}

void InputLine::Show(const InputLineModel& line) {
  if (line.Text() == model_.Text() && line.Cursor() == model_.Cursor()) return;
  model_.SetEdited(line.Text(), line.Cursor());
  Display();
}

void InputLine::Display() {
  setText(ScreenText(this, model_.Text()));
  // The toolkit counts the cursor from 1 (and takes 0 for 1).
  setCursorPosition(model_.Cursor() + 1);
  redraw();
}

bool InputLine::EditKey(KeyCode key) {
  bool changed = false;
  switch (key) {
    case kb::kSpace:
      // Space never types a blank: it starts the line afresh.
      changed = !model_.Empty() || model_.Cursor() != 0;
      model_.Clear();
      break;
    case kb::kBackspace:
      changed = model_.Backspace();
      break;
    case kb::kDel:
      changed = model_.Delete();
      break;
    case kb::kLeft:
      changed = model_.Left();
      break;
    case kb::kRight:
      changed = model_.Right();
      break;
    case kb::kHome:
      changed = model_.Home();
      break;
    case kb::kEnd:
      changed = model_.End();
      break;
    default: {
      const auto c = KeyChar(key);
      // Alt combinations and control keys carry no printable character.
      if (c < 0x20 || c == 0x7F) return false;
      changed = model_.Type(static_cast<char>(c));
      break;
    }
  }
  if (changed) {
    Display();
    emitCallback("changed");
  }
  return true;
}

void InputLine::onKeyPress(finalcut::FKeyEvent* ev) {
  // Only editing keys are the line's, and TakeKey has had them; everything else goes on to the
  // window and the accelerators (the stock line edit would swallow every key once the line is
  // full).
  ev->ignore();
}

void InputLine::onMouseDown(finalcut::FMouseEvent* ev) {
  finalcut::FLineEdit::onMouseDown(ev);
  if (ev->getButton() != finalcut::MouseButton::Left) return;
  std::size_t cursor = getCursorPosition();
  if (cursor > model_.Text().size()) cursor = model_.Text().size();
  if (cursor == model_.Cursor()) return;
  model_.SetEdited(model_.Text(), cursor);
  if (onCursor_) onCursor_(cursor);
}

void InputLine::onFocusIn(finalcut::FFocusEvent* ev) {
  finalcut::FLineEdit::onFocusIn(ev);
  if (onFocus_) onFocus_();
}

}  // namespace vk::ui
