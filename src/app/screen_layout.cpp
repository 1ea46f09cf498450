#include "app/screen_layout.h"

#include <algorithm>

namespace vk {

namespace {

constexpr int kFrameRows = 3;  // title bar, top border, bottom border
constexpr int kFrameColumns = 2;
constexpr int kMinSideRows = 4;  // a frame and one row of keys
constexpr int kMinLogRows = 9;
constexpr int kMinRightWidth = 22;

// The side windows stacked in the rows [top, bottom) of the right column, sharing them evenly;
// when the rows are too few for that, side by side across the column.
void PlaceSideWindows(OperatingLayout& l, int count, int x, int width, int top, int bottom) {
  if (count <= 0) return;
  const int rows = std::max(bottom - top, kMinSideRows);
  if (rows < count * kMinSideRows) {
    const int each = width / count;
    for (int i = 0; i < count; ++i) {
      const int w = i == count - 1 ? width - each * (count - 1) : each;
      l.side.push_back(WindowPlace{x + each * i, top, w, rows});
    }
    return;
  }
  const int each = rows / count;
  for (int i = 0; i < count; ++i) {
    const int h = i == count - 1 ? rows - each * (count - 1) : each;
    l.side.push_back(WindowPlace{x, top + each * i, width, h});
  }
}

}  // namespace

int ScoreWidthByColumns(int bands) {
  return 7 + 6 * std::max(bands, 1) + kFrameColumns;
}

// The classic window: header at interior row 2, four rows of figures, the total at row 8.
int ScoreHeightByColumns() {
  return 8 + kFrameRows;
}

int ScoreHeightByRows(int bands) {
  return std::max(bands, 1) + 2 + kFrameRows;
}

OperatingLayout LayOutOperatingWindows(int desktopWidth, int desktopHeight,
                                       const LayoutNeeds& needs) {
  OperatingLayout l;
  const int w = std::max(desktopWidth, kLogWidth + kMinRightWidth);
  const int h = std::max(desktopHeight, kEntryHeight + kMinLogRows);
  l.entry = WindowPlace{0, h - kEntryHeight, kEntryWidth, kEntryHeight};
  l.log = WindowPlace{0, 0, kLogWidth, h - kEntryHeight};

  const int x = kLogWidth;
  const int width = w - x;
  if (width >= ScoreWidthByColumns(needs.scoreBands)) {
    l.score = WindowPlace{x, 0, width, ScoreHeightByColumns()};
  } else {
    l.scoreByRows = true;
    l.score = WindowPlace{x, 0, width, ScoreHeightByRows(needs.scoreBands)};
  }
  int bottom = h;
  if (needs.cwWindow) {
    // Bottom right, beside the entry window.
    l.cw = WindowPlace{w - kCwWidth, h - kCwHeight, kCwWidth, kCwHeight};
    bottom -= kCwHeight;
  }
  PlaceSideWindows(l, needs.sideWindows, x, width, l.score.Bottom(), bottom);
  return l;
}

}  // namespace vk
