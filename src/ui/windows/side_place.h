// Where the score and side windows sit on a desktop of a given size.  Their places are given
// in the classic desktop's terms (columns and rows from the desktop's top left, right and
// bottom exclusive).  The toolkit's window frame spends one row more at the top than a classic
// frame (a title bar above the border), so every window is made one row taller and keeps the
// interior rows its views were laid out for.  A window that would run past the desktop is cut
// at the bottom, or moved up when even its title and one interior row do not fit, so that on
// any terminal from 80 x 25 up every window can still be seen and selected.
//
// No toolkit types here: the arithmetic is tested on its own.
#pragma once

#include <algorithm>

#include "app/screen_layout.h"
#include "app/views/score_window_model.h"

namespace vk::ui {

// Title bar, top border, bottom border.
inline constexpr int kFrameRows = 3;
inline constexpr int kFrameColumns = 2;
// A window smaller than its frame and one row of content shows nothing useful.
inline constexpr int kMinWindowRows = kFrameRows + 1;
inline constexpr int kMinWindowColumns = kFrameColumns + 8;

// One span (columns or rows) kept inside [0, limit): cut first, then moved.
inline void FitSpan(int& start, int& size, int minSize, int limit) {
  if (limit <= 0) return;  // no desktop yet: leave the classic place
  minSize = std::min(minSize, limit);
  start = std::max(start, 0);
  if (start + size > limit) size = std::max(limit - start, minSize);
  if (size > limit) size = limit;
  if (start + size > limit) start = limit - size;
}

// `classic`: the window's bounds on the classic desktop; `desktopWidth` and `desktopHeight`:
// the room between the menu bar and the status line.
inline WindowPlace PlaceOnDesktop(const Rect& classic, int desktopWidth, int desktopHeight) {
  WindowPlace p{classic.left, classic.top, classic.right - classic.left,
                classic.bottom - classic.top + 1};
  FitSpan(p.x, p.width, kMinWindowColumns, desktopWidth);
  FitSpan(p.y, p.height, kMinWindowRows, desktopHeight);
  return p;
}

// The rows and columns inside the frame of a window of that place.
inline int InteriorWidth(const WindowPlace& p) {
  return std::max(p.width - kFrameColumns, 0);
}
inline int InteriorHeight(const WindowPlace& p) {
  return std::max(p.height - kFrameRows, 0);
}

}  // namespace vk::ui
