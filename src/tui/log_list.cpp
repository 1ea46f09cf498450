#include "tui/log_list.h"

#include <utility>

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FKey;
using finalcut::FPoint;

LogList::LogList(finalcut::FWidget* parent, const std::string& cp866Header)
    : finalcut::FListBox(parent), header_(ScreenText(parent, cp866Header)) {}

void LogList::SetRows(std::size_t count, std::function<finalcut::FString(std::size_t)> row) {
  rowText_ = std::move(row);
  rows_.n = count;
  // The toolkit keeps the converter and an empty item per row; the text is made on drawing.
  insert(rows_, [this](finalcut::FListBoxItem& item, finalcut::FDataAccess*, std::size_t i) {
    item.setText(rowText_(i));
  });
}

void LogList::ResizeRows(std::size_t count) {
  // A few rows off the end go one by one; a list emptied or cut short (a whole-log transfer)
  // starts again from nothing.
  constexpr std::size_t kRemovedOneByOne = 16;
  if (count < getCount()) {
    if (getCount() - count > kRemovedOneByOne) {
      clear();
    } else {
      while (getCount() > count) remove(getCount());
    }
  }
  while (getCount() < count) insert(finalcut::FListBoxItem{});
}

void LogList::ForgetTexts() {
  for (std::size_t i = 1; i <= getCount(); ++i) getItem(i).setText(finalcut::FString{});
}

int LogList::CurrentPosition() const {
  return getCount() == 0 ? -1 : static_cast<int>(currentItem()) - 1;
}

void LogList::SetCurrentPosition(int position) {
  if (position < 0 || getCount() == 0) return;
  setCurrentItem(static_cast<std::size_t>(position) + 1);
}

void LogList::onKeyPress(finalcut::FKeyEvent* ev) {
  const FKey key = ev->key();
  switch (key) {
    case FKey::Down:
      if (getCount() == 0 || currentItem() >= getCount()) {
        if (onDownAtEnd_) onDownAtEnd_();
        ev->accept();
        return;
      }
      break;
    case FKey::Up:
    case FKey::Page_up:
    case FKey::Page_down:
    case FKey::Home:
    case FKey::End:
      break;
    case FKey::Enter:
    case FKey::Return:
      if (onEnter_) onEnter_();
      ev->accept();
      return;
    default:
      // No incremental search: the key goes on to the window and its buttons' hot keys.
      ev->ignore();
      return;
  }
  finalcut::FListBox::onKeyPress(ev);
}

void LogList::drawBorder() {
  // Instead of a frame: the column header over the lines, which start in the third column.
  const auto& wc = getColorTheme();
  setColor(wc->dialog_fg, wc->dialog_bg);
  print() << FPoint{3, 1} << header_;
}

}  // namespace vk::ui
