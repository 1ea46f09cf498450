#include "tui/text_view.h"

#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FColor;
using finalcut::FPoint;
using finalcut::FSize;

TextView::TextView(finalcut::FWidget* parent, int column, int row, std::size_t width, Align align)
    : finalcut::FWidget(parent), width_(width), align_(align) {
  unsetFocusable();
  setGeometry(FPoint{column, row}, FSize{width, 1}, false);
}

void TextView::SetText(const std::string& cp866) {
  if (cp866 == text_) return;
  text_ = cp866;
  redraw();
}

void TextView::SetAttribute(std::uint8_t attr) {
  if (attr == attr_) return;
  attr_ = attr;
  redraw();
}

void TextView::onMouseDown(finalcut::FMouseEvent* ev) {
  if (!onClick_) return;
  if (ev->getButton() == finalcut::MouseButton::Left) {
    onClick_(Button::kLeft);
  } else if (ev->getButton() == finalcut::MouseButton::Right) {
    onClick_(Button::kRight);
  }
}

void TextView::draw() {
  const int width = static_cast<int>(width_);
  // Fitted after translation: an English message may be longer than the Russian it stands for.
  std::string shown = TranslatedText(this, text_).substr(0, width_);
  const int room = width - static_cast<int>(shown.size());
  if (align_ == Align::kRight) {
    shown = PadLeft(shown, width);
  } else if (align_ == Align::kCentre) {
    shown = FixedWidth(RepeatChar(' ', room / 2) + shown, width);
  } else {
    shown = FixedWidth(shown, width);
  }
  if (attr_ == 0) {
    const auto& wc = getColorTheme();
    setColor(wc->dialog_fg, wc->dialog_bg);
  } else {
    // The PC attribute's colours are in the toolkit's (VGA) order; the blink bit is dropped.
    setColor(static_cast<FColor>(attr_ & 0x0F), static_cast<FColor>((attr_ >> 4) & 0x07));
  }
  print() << FPoint{1, 1} << UntranslatedText(this, shown);
}

}  // namespace vk::ui
