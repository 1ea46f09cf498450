#include "ui/windows/cluster_console.h"

#include <algorithm>

#include "tui/key_map.h"
#include "ui/windows/side_place.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

ClusterConsole::ClusterConsole(finalcut::FWidget* parent, ClusterHub& hub,
                               std::function<void()> leave, std::function<WindowPlace()> home)
    : finalcut::FDialog(parent), hub_(hub), leave_(std::move(leave)), home_(std::move(home)) {
  setText("Cluster");
  setTitlebarButtonVisibility(false);
  setResizeable(false);
  setMinimizable(false);
  unsetShadow();
  Place();
}

void ClusterConsole::Place() {
  if (placing_) return;
  placing_ = true;
  const WindowPlace p = home_();
  setGeometry(FPoint{p.x + 1, p.y + 1},
              FSize{static_cast<std::size_t>(p.width), static_cast<std::size_t>(p.height)});
  const int width = InteriorWidth(p);
  const int height = InteriorHeight(p);
  rows_.Place(1, 1, width, height - 1);
  line_.setGeometry(FPoint{1, std::max(height, 1)},
                    FSize{static_cast<std::size_t>(std::max(width, 1)), 1});
  placing_ = false;
  Update(true);
}

void ClusterConsole::Update(bool force) {
  if (hub_.Version() == version_ && !force) return;
  version_ = hub_.Version();
  const auto& lines = hub_.Console();
  const auto height = static_cast<std::size_t>(std::max(rows_.Height(), 0));
  const std::size_t from = lines.size() > height ? lines.size() - height : 0;
  std::vector<std::string> shown(lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end());
  if (rows_.SetRows(std::move(shown)) && isShown()) redraw();
}

bool ClusterConsole::PreviewKey(finalcut::FKey key) {
  if (key == finalcut::FKey::Escape) {
    leave_();
    return true;
  }
  if (PcKeyCode(key) != kb::kEnter) return false;
  const std::string text = line_.Cp866();
  if (!text.empty() && hub_.SendCommand(text)) {
    line_.SetCp866("");
    line_.redraw();
    Update();
  }
  return true;
}

void ClusterConsole::adjustSize() {
  finalcut::FDialog::adjustSize();
  Place();
}

void ClusterConsole::onClose(finalcut::FCloseEvent* ev) {
  ev->ignore();
}

}  // namespace vk::ui
