// Where the operating windows sit on a desktop of a given size, so that none covers another
// from the classic 80x25 screen up, and larger terminals show more log lines and wider side
// windows.  The left column holds the log window above the entry window; the score window,
// the multiplier and Repeat windows and the CW window share the column to the right.
//
// Places are 0-based columns and rows of the desktop (the rows between the menu bar and the
// status line), sizes include the toolkit's frame: a title bar, a top and a bottom border.
#pragma once

#include <vector>

namespace vk {

// A window's place: 0-based column and row on the desktop, width and height.
struct WindowPlace {
  int x = 0, y = 0, width = 0, height = 0;
  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// What the current contest puts on the screen.
struct LayoutNeeds {
  int scoreBands = 9;   // bands the contest allows: one score column (or row) each
  int sideWindows = 0;  // multiplier windows, then the Repeat window, in that order
  bool cwWindow = false;
};

struct OperatingLayout {
  WindowPlace log, entry, score, cw;
  // The score window lists the bands as rows instead of columns: the right column is too
  // narrow for one column per band.
  bool scoreByRows = false;
  std::vector<WindowPlace> side;  // one per side window, in the order of LayoutNeeds
};

inline constexpr int kEntryWidth = 50;
inline constexpr int kEntryHeight = 10;
// A log line with a 12-character call is 53 columns; the toolkit's list keeps a blank column
// before the lines and another before the scroll bar.
inline constexpr int kLogWidth = 58;
inline constexpr int kCwWidth = 24;
inline constexpr int kCwHeight = 4;

// The score window's size with one column per band (7 columns of labels, 6 per band) and with
// one row per band (a header row, the bands, the total).
int ScoreWidthByColumns(int bands);
int ScoreHeightByColumns();
int ScoreHeightByRows(int bands);

OperatingLayout LayOutOperatingWindows(int desktopWidth, int desktopHeight,
                                       const LayoutNeeds& needs);

}  // namespace vk
