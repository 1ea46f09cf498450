// Where the operating windows sit on a desktop of a given size, so that none covers another
// from the classic 80x25 screen up, and larger terminals show more log lines and wider side
// windows.  The left column holds the log window above the entry window.  To the right of the
// log sit the score window and the Check window; beside the entry window the CW window takes
// the bottom right corner and the side windows (multipliers, Repeat, needed multipliers, dupe
// sheet) take what is left there and below the score.
//
// No window is squeezed below what its contents need: when the side windows cannot all have
// a readable size, they share one place and show one at a time (a key brings the next one),
// and when the score table does not fit beside the Check window, the score window shows the
// totals only.
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
  bool Empty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// What the current contest puts on the screen.
struct LayoutNeeds {
  int scoreBands = 9;   // bands the contest allows: one score column (or row) each
  int sideWindows = 0;  // multiplier windows, Repeat, needed multipliers, dupe sheet
  bool cwWindow = false;
  bool checkWindow = false;  // the check-partial list or the rate line is shown
};

// How much of the score the window has room for.
enum class ScoreForm {
  kColumns,  // the classic table: one column per band
  kRows,     // one row per band
  kTotals,   // the sums over all bands and the total line only
};

struct OperatingLayout {
  WindowPlace log, entry, score, cw, check;
  ScoreForm scoreForm = ScoreForm::kColumns;
  // One per side window, in the order of LayoutNeeds.  When `sideShared`, every side window
  // has the same place and only one of them is shown at a time.
  std::vector<WindowPlace> side;
  bool sideShared = false;
};

inline constexpr int kEntryWidth = 50;
inline constexpr int kEntryHeight = 10;
// A log line with a 12-character call is 53 columns; the toolkit's list keeps a blank column
// before the lines and another before the scroll bar.
inline constexpr int kLogWidth = 58;
inline constexpr int kCwWidth = 24;
inline constexpr int kCwHeight = 4;
// The narrowest side or Check window: a 12-character call with its mark and a few zones per
// row, and a title such as "Zone CQ 2/4" uncut.
inline constexpr int kMinSideWidth = 22;
// A side window of its own shows four rows of keys; a shared place at least three.
inline constexpr int kMinSideRows = 7;
inline constexpr int kMinSharedRows = 6;
// The Check window: calls that contain the typed text (two rows), the N+1 row and the rate.
inline constexpr int kMinCheckRows = 7;

// The score window's size with one column per band (7 columns of labels, 6 per band), with
// one row per band (a header row, the bands, the total), and with the totals only.
int ScoreWidthByColumns(int bands);
int ScoreHeightByColumns();
int ScoreHeightByRows(int bands);
int ScoreHeightTotals();

OperatingLayout LayOutOperatingWindows(int desktopWidth, int desktopHeight,
                                       const LayoutNeeds& needs);

}  // namespace vk
