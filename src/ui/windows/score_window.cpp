#include "ui/windows/score_window.h"

#include <algorithm>
#include <string>

#include "tui/screen_text.h"

namespace vk::ui {

namespace {

// A view's classic bounds inside the window, right and bottom exclusive; the first interior
// cell is (1, 1) in both the classic and the toolkit's counting.
struct ViewBounds {
  int left, top, right, bottom;
};

// The band rows run to the right edge of the interior: a contest may allow all nine bands.
constexpr int kToRight = 1000;
constexpr ViewBounds kHeader{7, 2, kToRight, 3};
constexpr ViewBounds kQsoLabel{2, 3, 6, 4};
constexpr ViewBounds kQsos{7, 3, kToRight, 4};
constexpr ViewBounds kPointsLabel{2, 4, 8, 5};
constexpr ViewBounds kPoints{7, 4, kToRight, 5};
constexpr ViewBounds kMultiLabel{2, 5, 8, 6};
constexpr ViewBounds kMulti{7, 5, kToRight, 6};
constexpr ViewBounds kBonusLabel{2, 6, 8, 7};
constexpr ViewBounds kBonus{7, 6, kToRight, 7};
constexpr ViewBounds kTotalLabel{2, 8, 8, 9};
constexpr ViewBounds kTotal{10, 8, kToRight, 9};

// Cut to the interior, so a window squeezed by a small desktop never draws over its frame.
void PlaceView(TextRows& view, const ViewBounds& b, int width, int height) {
  const int right = std::min(b.right, width + 1);
  const int bottom = std::min(b.bottom, height + 1);
  view.Place(b.left, b.top, right - b.left, bottom - b.top);
}

}  // namespace

ScoreWindow::ScoreWindow(finalcut::FWidget* parent, ScoreModel& model, CommandBus& bus)
    : InfoWindow(parent, ScreenText(parent, kScoreWindowTitle), bus), model_(model) {
  qsoLabel_.SetText(std::string(kScoreQsoLabel));
  pointsLabel_.SetText(std::string(kScorePointsLabel));
  multiLabel_.SetText(std::string(kScoreMultiLabel));
  bonusLabel_.SetText(std::string(kScoreBonusLabel));
  totalLabel_.SetText(std::string(kScoreTotalLabel));
  Relayout();
}

ScoreWindow::~ScoreWindow() = default;

void ScoreWindow::LayoutViews(int width, int height) {
  // The classic form needs the labels' columns and six columns per band.
  showByRows_ = width < kHeader.left + static_cast<int>(model_.Texts().header.size());
  if (showByRows_) {
    for (TextRows* v : {&header_, &qsoLabel_, &qsos_, &pointsLabel_, &points_, &multiLabel_,
                        &multi_, &bonusLabel_, &bonus_, &totalLabel_, &total_}) {
      v->Place(1, 1, 0, 0);
    }
    byRows_.Place(1, 1, width, height);
    return;
  }
  byRows_.Place(1, 1, 0, 0);
  PlaceView(header_, kHeader, width, height);
  PlaceView(qsoLabel_, kQsoLabel, width, height);
  PlaceView(qsos_, kQsos, width, height);
  PlaceView(pointsLabel_, kPointsLabel, width, height);
  PlaceView(points_, kPoints, width, height);
  PlaceView(multiLabel_, kMultiLabel, width, height);
  PlaceView(multi_, kMulti, width, height);
  PlaceView(bonusLabel_, kBonusLabel, width, height);
  PlaceView(bonus_, kBonus, width, height);
  PlaceView(totalLabel_, kTotalLabel, width, height);
  PlaceView(total_, kTotal, width, height);
}

bool ScoreWindow::Update(bool force) {
  if (model_.TakeChanges() == changed::kNothing && !force) return false;
  if (showByRows_) return byRows_.SetRows(model_.Rows(byRows_.Width(), byRows_.Height()));
  const ScoreTexts& t = model_.Texts();
  bool any = header_.SetText(t.header);
  any |= qsos_.SetText(t.qsos);
  any |= points_.SetText(t.points);
  any |= multi_.SetText(t.multi);
  any |= bonus_.SetText(t.bonus);
  any |= total_.SetText(t.total);
  return any;
}

}  // namespace vk::ui
