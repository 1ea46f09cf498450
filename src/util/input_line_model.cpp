#include "util/input_line_model.h"

#include <algorithm>
#include <utility>

namespace vk {

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

void InputLineModel::SetText(std::string_view text, bool cursorAtEnd) {
  text_.assign(text.substr(0, max_));
  cursor_ = cursorAtEnd ? text_.size() : 0;
}

void InputLineModel::SetEdited(std::string_view text, std::size_t cursor) {
  text_.assign(text.substr(0, max_));
  cursor_ = std::min(cursor, text_.size());
}

void InputLineModel::Clear() {
  text_.clear();
  cursor_ = 0;
}

void InputLineModel::SetPicture(std::string_view picture) {
  if (picture.empty()) {
    mask_.reset();
  } else {
    mask_.emplace(std::string(picture));
  }
}

bool InputLineModel::Accept(std::string candidate, std::size_t cursor, bool autoFill) {
  if (mask_ && !mask_->IsValidInput(candidate, autoFill)) return false;
  if (candidate.size() > max_) return false;
  // Filled-in literals follow the typed character, so the cursor goes past them.
  const bool grew = candidate.size() > text_.size() + 1;
  text_ = std::move(candidate);
  cursor_ = grew ? text_.size() : std::min(cursor, text_.size());
  return true;
}

bool InputLineModel::Type(char c) {
  if (text_.size() >= max_) return false;
  std::string candidate = text_;
  candidate.insert(cursor_, 1, UpperAscii(c));
  return Accept(std::move(candidate), cursor_ + 1, true);
}

bool InputLineModel::Backspace() {
  if (cursor_ == 0) return false;
  std::string candidate = text_;
  candidate.erase(cursor_ - 1, 1);
  // No filling after a deletion, or the literal just erased would come straight back.
  return Accept(std::move(candidate), cursor_ - 1, false);
}

bool InputLineModel::Delete() {
  if (cursor_ >= text_.size()) return false;
  std::string candidate = text_;
  candidate.erase(cursor_, 1);
  return Accept(std::move(candidate), cursor_, false);
}

bool InputLineModel::Left() {
  if (cursor_ == 0) return false;
  --cursor_;
  return true;
}

bool InputLineModel::Right() {
  if (cursor_ >= text_.size()) return false;
  ++cursor_;
  return true;
}

bool InputLineModel::Home() {
  return std::exchange(cursor_, 0) != 0;
}

bool InputLineModel::End() {
  return std::exchange(cursor_, text_.size()) != text_.size();
}

}  // namespace vk
