#include "app/screen_layout.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <tuple>

namespace vk {

namespace {

constexpr int kFrameRows = 3;  // title bar, top border, bottom border
constexpr int kFrameColumns = 2;
constexpr int kMinLogRows = 9;

// The smallest sizes a layout may give; below the normal ones only on a terminal too small
// for them (the status line then says so).
struct Minimums {
  int sideRows = kMinSideRows;
  int sharedRows = kMinSharedRows;
  int checkRows = kMinCheckRows;
  int width = kMinSideWidth;
};

int InteriorArea(const WindowPlace& p) {
  return std::max(p.width - kFrameColumns, 0) * std::max(p.height - kFrameRows, 0);
}

// `count` windows in a grid of `columns` columns filling `area`, row by row; the last column
// and row take the odd columns and rows.  Empty when a window would be below the minimum.
std::vector<WindowPlace> Grid(const WindowPlace& area, int count, int columns, int minRows,
                              int minWidth) {
  std::vector<WindowPlace> out;
  if (count <= 0) return out;
  const int rows = (count + columns - 1) / columns;
  const int w = area.width / columns, h = area.height / rows;
  if (w < minWidth || h < minRows) return out;
  for (int i = 0; i < count; ++i) {
    const int c = i % columns, r = i / columns;
    const bool lastColumn = c == columns - 1 || i == count - 1;
    const int width = lastColumn ? area.width - w * c : w;
    const int height = r == rows - 1 ? area.height - h * r : h;
    out.push_back(WindowPlace{area.x + w * c, area.y + h * r, width, height});
  }
  return out;
}

// The grid of `count` windows in `area` with the fewest columns: a key list reads best in
// long rows, so the windows stack while they have the rows for it.
std::vector<WindowPlace> BestGrid(const WindowPlace& area, int count, const Minimums& min) {
  for (int columns = 1; columns <= count; ++columns) {
    std::vector<WindowPlace> g = Grid(area, count, columns, min.sideRows, min.width);
    if (!g.empty()) return g;
  }
  return {};
}

bool Fits(const WindowPlace& p, int minRows, int minWidth) {
  return p.height >= minRows && p.width >= minWidth;
}

// The side windows in the free areas `a` and `b`: each on its own where they fit (split
// between the two areas as suits them best), else all in the larger area sharing one place.
// Nothing when neither works.
struct SidePlan {
  std::vector<WindowPlace> places;
  bool shared = false;
  bool usesA = false, usesB = false;
  int smallestArea = 0;
};

std::optional<SidePlan> PlaceSide(const WindowPlace& a, const WindowPlace& b, int count,
                                  const Minimums& min) {
  SidePlan plan;
  if (count == 0) return plan;
  std::optional<SidePlan> best;
  for (int inA = 0; inA <= count; ++inA) {
    const int inB = count - inA;
    std::vector<WindowPlace> ga = inA > 0 ? BestGrid(a, inA, min) : std::vector<WindowPlace>{};
    std::vector<WindowPlace> gb = inB > 0 ? BestGrid(b, inB, min) : std::vector<WindowPlace>{};
    if (static_cast<int>(ga.size()) != inA || static_cast<int>(gb.size()) != inB) continue;
    SidePlan p;
    p.places = ga;
    p.places.insert(p.places.end(), gb.begin(), gb.end());
    p.usesA = inA > 0;
    p.usesB = inB > 0;
    p.smallestArea = INT_MAX;
    for (const WindowPlace& w : p.places) p.smallestArea = std::min(p.smallestArea, InteriorArea(w));
    if (!best || p.smallestArea > best->smallestArea) best = std::move(p);
  }
  if (best) return best;
  // One place for all of them: the area that shows more.
  const bool aFits = Fits(a, min.sharedRows, min.width);
  const bool bFits = Fits(b, min.sharedRows, min.width);
  if (!aFits && !bFits) return std::nullopt;
  const bool useA = aFits && (!bFits || InteriorArea(a) >= InteriorArea(b));
  plan.shared = count > 1;
  plan.usesA = useA;
  plan.usesB = !useA;
  plan.places.assign(static_cast<std::size_t>(count), useA ? a : b);
  plan.smallestArea = InteriorArea(useA ? a : b);
  return plan;
}

struct Candidate {
  OperatingLayout layout;
  // Compared in this order: side windows on their own, the fuller score, the side windows'
  // room, the Check window's room.
  std::tuple<bool, int, int, int> rank;
};

int FormRank(ScoreForm f) {
  return f == ScoreForm::kColumns ? 2 : f == ScoreForm::kRows ? 1 : 0;
}

int ScoreHeight(ScoreForm f, int bands) {
  switch (f) {
    case ScoreForm::kColumns:
      return ScoreHeightByColumns();
    case ScoreForm::kRows:
      return ScoreHeightByRows(bands);
    default:
      return ScoreHeightTotals();
  }
}

// The right-hand side for one score form, one shape of the room beside the entry window and
// one home of the Check window (0 none, 1 under the score, 2 beside the entry window).
std::optional<Candidate> Try(const OperatingLayout& base, const WindowPlace& upper,
                             const WindowPlace& lower, ScoreForm form, int checkHome,
                             const LayoutNeeds& needs, const Minimums& min) {
  if (form == ScoreForm::kColumns && upper.width < ScoreWidthByColumns(needs.scoreBands)) {
    return std::nullopt;
  }
  const int scoreRows = ScoreHeight(form, needs.scoreBands);
  if (scoreRows > upper.height) return std::nullopt;
  Candidate c{base, {}};
  OperatingLayout& l = c.layout;
  l.scoreForm = form;
  l.score = WindowPlace{upper.x, upper.y, upper.width, scoreRows};
  WindowPlace rest{upper.x, l.score.Bottom(), upper.width, upper.height - scoreRows};
  WindowPlace beside = lower;
  if (checkHome == 1) {
    if (!Fits(rest, min.checkRows, min.width)) return std::nullopt;
    l.check = WindowPlace{rest.x, rest.y, rest.width, min.checkRows};
    rest.y += min.checkRows;
    rest.height -= min.checkRows;
  } else if (checkHome == 2) {
    if (!Fits(lower, min.checkRows, min.width)) return std::nullopt;
    l.check = lower;
    beside = WindowPlace{};
  }
  const std::optional<SidePlan> side = PlaceSide(rest, beside, needs.sideWindows, min);
  if (!side) return std::nullopt;
  l.side = side->places;
  l.sideShared = side->shared;
  // Rows nobody uses go to the window above them.
  if (!side->usesA) {
    if (checkHome == 1) {
      l.check.height += rest.height;
    } else {
      l.score.height += rest.height;
    }
  }
  c.rank = {!side->shared, FormRank(form), side->smallestArea, InteriorArea(l.check)};
  return c;
}

std::optional<OperatingLayout> Search(const OperatingLayout& base, const WindowPlace& upper,
                                      const std::vector<WindowPlace>& lowers,
                                      const LayoutNeeds& needs, const Minimums& min) {
  std::optional<Candidate> best;
  const std::array<int, 2> checkHomes = needs.checkWindow ? std::array<int, 2>{1, 2}
                                                          : std::array<int, 2>{0, 0};
  for (ScoreForm form : {ScoreForm::kColumns, ScoreForm::kRows, ScoreForm::kTotals}) {
    for (const WindowPlace& lower : lowers) {
      for (int home : checkHomes) {
        std::optional<Candidate> c = Try(base, upper, lower, form, home, needs, min);
        if (c && (!best || c->rank > best->rank)) best = std::move(c);
      }
    }
  }
  if (!best) return std::nullopt;
  return best->layout;
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

// A header, the sums and the total line.
int ScoreHeightTotals() {
  return 3 + kFrameRows;
}

OperatingLayout LayOutOperatingWindows(int desktopWidth, int desktopHeight,
                                       const LayoutNeeds& needs) {
  OperatingLayout base;
  const int w = std::max(desktopWidth, kLogWidth + kMinSideWidth);
  const int h = std::max(desktopHeight, kEntryHeight + kMinLogRows);
  base.entry = WindowPlace{0, h - kEntryHeight, kEntryWidth, kEntryHeight};
  base.log = WindowPlace{0, 0, kLogWidth, h - kEntryHeight};
  const WindowPlace upper{kLogWidth, 0, w - kLogWidth, h - kEntryHeight};
  // Beside the entry window: all of it, or with the CW window in its bottom right corner the
  // rows above that window or the columns left of it.
  std::vector<WindowPlace> lowers;
  const WindowPlace lower{kEntryWidth, h - kEntryHeight, w - kEntryWidth, kEntryHeight};
  if (needs.cwWindow) {
    base.cw = WindowPlace{w - kCwWidth, h - kCwHeight, kCwWidth, kCwHeight};
    lowers.push_back(WindowPlace{lower.x, lower.y, lower.width, kEntryHeight - kCwHeight});
    lowers.push_back(WindowPlace{lower.x, lower.y, lower.width - kCwWidth, kEntryHeight});
  } else {
    lowers.push_back(lower);
  }
  if (auto l = Search(base, upper, lowers, needs, Minimums{})) return *l;
  // A terminal smaller than the program asks for: every window still gets a place of its own,
  // however small, so that none covers another.
  if (auto l = Search(base, upper, lowers, needs, Minimums{4, 4, 4, kMinSideWidth})) return *l;
  OperatingLayout l = base;
  l.scoreForm = ScoreForm::kTotals;
  l.score = WindowPlace{upper.x, 0, upper.width, std::min(ScoreHeightTotals(), upper.height)};
  const int rest = upper.height - l.score.height;
  if (needs.checkWindow) l.check = WindowPlace{upper.x, l.score.Bottom(), upper.width, rest / 2};
  const WindowPlace shared{upper.x, l.score.Bottom() + l.check.height, upper.width,
                           rest - l.check.height};
  l.side.assign(static_cast<std::size_t>(needs.sideWindows), shared);
  l.sideShared = needs.sideWindows > 1;
  return l;
}

}  // namespace vk
