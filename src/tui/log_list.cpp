#include "tui/log_list.h"

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FKey;
using finalcut::FPoint;

LogList::LogList(finalcut::FWidget* parent, const std::string& cp866Header)
    : finalcut::FListBox(parent), header_(ScreenText(parent, cp866Header)) {}

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
