#include "ui/windows/band_map_window.h"

#include <algorithm>

#include "app/key_table.h"
#include "util/key_codes.h"

namespace vk::ui {

BandMapWindow::BandMapWindow(finalcut::FWidget* parent, BandMapModel& model,
                             std::function<void()> take, std::function<void()> leave,
                             std::function<WindowPlace()> home,
                             std::function<void(KeyCode)> typed)
    : DockedWindow(parent, "Band map", std::move(home)),
      model_(model),
      take_(std::move(take)),
      leave_(std::move(leave)),
      typed_(std::move(typed)) {
  Place();
}

void BandMapWindow::Update(bool force) {
  if (!model_.Refresh() && !force) return;
  const auto& rows = model_.Rows();
  const int height = std::max(VisibleRows(), 1);
  const int sel = model_.Selected();
  // Keep the selection in sight; without one, the entry frequency.
  int focus = sel;
  if (focus < 0) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].entryFreq) focus = static_cast<int>(i);
    }
  }
  if (focus < top_) top_ = focus;
  if (focus >= top_ + height) top_ = focus - height + 1;
  top_ = std::clamp(top_, 0, std::max(static_cast<int>(rows.size()) - height, 0));
  std::vector<std::string> shown;
  const auto width = static_cast<std::size_t>(std::max(rows_.Width(), 1));
  for (int i = top_; i < static_cast<int>(rows.size()) && i < top_ + height; ++i) {
    std::string text = model_.RowText(rows[static_cast<std::size_t>(i)], width);
    if (i == sel && !text.empty()) text[0] = '*';  // the selected spot
    shown.push_back(std::move(text));
  }
  const bool changed = rows_.SetRows(std::move(shown));
  const finalcut::FString title{model_.Title()};
  const bool retitled = getText() != title;
  if (retitled) setText(title);
  if ((changed || retitled || force) && isShown()) redraw();
}

bool BandMapWindow::PreviewKey(KeyCode pc) {
  // A call typed while the map has the focus goes where calls are typed, and the Enter after
  // it logs there instead of tuning the radio to a spot.
  const std::uint8_t c = KeyChar(pc);
  if (typed_ && ((c > 0x20 && c < 0x7F) || pc == kb::kBackspace)) {
    typed_(pc);
    return true;
  }
  if (const KeyBinding* b = FindKey(KeyScope::kBandMap, pc);
      b != nullptr && b->action == KeyAction::kTakeSpot) {
    take_();
    return true;
  }
  if (model_.Key(pc, std::max(VisibleRows() - 1, 1))) {
    Update(true);
    return true;
  }
  return false;
}

void BandMapWindow::onClose(finalcut::FCloseEvent* ev) {
  ev->ignore();
}

}  // namespace vk::ui
