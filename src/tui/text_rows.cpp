#include "tui/text_rows.h"

#include <algorithm>
#include <utility>

#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

TextRows::TextRows(finalcut::FWidget* window) : finalcut::FWidget(window) {
  unsetFocusable();
}

void TextRows::Place(int column, int row, int width, int height) {
  // The toolkit wants at least one cell; a view the window has no room for keeps that cell
  // but draws nothing, so it never paints over the frame.
  empty_ = width <= 0 || height <= 0;
  setGeometry(FPoint{column, row},
              FSize{static_cast<std::size_t>(std::max(width, 1)),
                    static_cast<std::size_t>(std::max(height, 1))},
              false);
}

bool TextRows::SetRows(std::vector<std::string> cp866Rows) {
  if (cp866Rows == rows_) return false;
  rows_ = std::move(cp866Rows);
  return true;
}

bool TextRows::SetHighlight(int column, int rows) {
  if (column == highlightColumn_ && rows == highlightRows_) return false;
  highlightColumn_ = column;
  highlightRows_ = rows;
  return true;
}

void TextRows::draw() {
  if (empty_) return;
  const int height = Height();
  for (int i = 0; i < height; ++i) {
    DrawRow(i, i < static_cast<int>(rows_.size()) ? rows_[i] : std::string{});
  }
}

void TextRows::DrawRow(int index, const std::string& cp866) {
  const auto& wc = getColorTheme();
  const int width = Width();
  const std::string row = FixedWidth(cp866, width);
  setColor(wc->dialog_fg, wc->dialog_bg);
  const int hc = highlightColumn_;
  if (index >= highlightRows_ || hc < 0 || hc >= width) {
    print() << FPoint{1, index + 1} << ScreenText(this, row);
    return;
  }
  print() << FPoint{1, index + 1} << ScreenText(this, std::string_view(row).substr(0, hc));
  setColor(wc->current_element_focus_fg, wc->current_element_focus_bg);
  print() << ScreenText(this, std::string_view(row).substr(hc, 1));
  setColor(wc->dialog_fg, wc->dialog_bg);
  print() << ScreenText(this, std::string_view(row).substr(hc + 1));
}

}  // namespace vk::ui
