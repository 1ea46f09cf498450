#include "ui/shell/row_text.h"

#include "app/status_texts.h"
#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

RowText::RowText(finalcut::FWidget* menuBar, int fromRight, std::size_t width)
    : finalcut::FWidget(menuBar), fromRight_(fromRight), width_(width) {
  unsetFocusable();
  Place(getDesktopWidth());
}

void RowText::Place(std::size_t screenWidth) {
  const int x = static_cast<int>(screenWidth) - fromRight_ + 1;
  setGeometry(FPoint{x > 1 ? x : 1, 1}, FSize{width_, 1}, false);
}

bool RowText::SetSpan(int fromRight, std::size_t width) {
  if (fromRight == fromRight_ && width == width_) return false;
  fromRight_ = fromRight;
  width_ = width;
  Place(getDesktopWidth());
  return true;
}

void RowText::SetText(const std::string& cp866) {
  if (cp866 == text_) return;
  text_ = cp866;
  redraw();
}

void RowText::draw() {
  const auto& wc = getColorTheme();
  // The bar's second colour, as the disabled items use it.
  setColor(wc->menu_inactive_fg, wc->menu_inactive_bg);
  print() << FPoint{1, 1}
          << UntranslatedText(this, FixedWidth(TranslatedText(this, text_), static_cast<int>(width_)));
}

TopClock::TopClock(finalcut::FWidget* menuBar)
    : RowText(menuBar, kClockColumnFromRight, kClockColumnFromRight) {}

void TopClock::HandleMessage(Message& m) {
  // Contest logs are kept in UTC; the clock says so, whatever the computer's time zone.
  if (m.what == EventClass::kTick) SetText(FormatMask(time_.UtcNow(), "hh:nn:ss") + " UTC");
}

}  // namespace vk::ui
