#include "tui/masked_line.h"

#include <algorithm>
#include <cstdint>

#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FKey;

MaskedLine::MaskedLine(finalcut::FWidget* parent, std::size_t maxLength)
    : finalcut::FLineEdit(parent), max_(maxLength) {
  // The classic input line has no shadow.
  unsetShadow();
  setMaxLength(maxLength);
}

void MaskedLine::SetPicture(std::string_view picture) {
  if (picture.empty()) {
    mask_.reset();
  } else {
    mask_.emplace(std::string(picture));
  }
}

void MaskedLine::SetCp866(std::string_view text) {
  // The operator's own text: shown as it is, never translated.
  setText(UntranslatedText(this, text.substr(0, max_)));
  redraw();
}

std::string MaskedLine::Cp866() const {
  return Cp866FromScreen(this, getText());
}

bool MaskedLine::Type(char32_t ch) {
  const int byte = TypedCp866(this, ch);
  if (byte < 0) return false;
  std::string text = Cp866();
  const std::size_t at = std::min(getCursorPosition(), text.size());
  std::string candidate = text;
  candidate.insert(at, 1, static_cast<char>(byte));
  // Filling may add literals after the typed character; the cursor goes past them.
  if (mask_ && !mask_->IsValidInput(candidate, true)) return false;
  if (candidate.size() > max_) return false;
  const std::size_t grown = candidate.size() > text.size() ? candidate.size() - text.size() : 1;
  const std::size_t cursor = at + grown;
  setText(UntranslatedText(this, candidate));
  // The toolkit counts the cursor from 1.
  setCursorPosition(cursor + 1);
  redraw();
  emitCallback("changed");
  return true;
}

void MaskedLine::onKeyPress(finalcut::FKeyEvent* ev) {
  const FKey key = ev->key();
  switch (key) {
    case FKey::Left:
    case FKey::Right:
    case FKey::Home:
    case FKey::End:
    case FKey::Del_char:
    case FKey::Backspace:
    case FKey::Erase:
      // Deleting never adds literals back: the operator just removed one.
      finalcut::FLineEdit::onKeyPress(ev);
      ev->accept();
      return;
    default:
      break;
  }
  const auto code = static_cast<std::uint32_t>(key);
  // Printable characters only; the stock line edit would also swallow every other key once
  // the line is full, so Esc, Enter, Tab and the Alt keys travel on to the dialog.
  if (code < 0x20 || code == 0x7F || code >= 0x110000) {
    ev->ignore();
    return;
  }
  if (!Type(static_cast<char32_t>(code))) finalcut::FVTerm::getFOutput()->beep();
  ev->accept();
}

}  // namespace vk::ui
