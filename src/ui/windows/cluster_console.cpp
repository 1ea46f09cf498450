#include "ui/windows/cluster_console.h"

#include <algorithm>

#include "app/key_table.h"
#include "util/key_codes.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

ClusterConsole::ClusterConsole(finalcut::FWidget* parent, ClusterHub& hub,
                               std::function<void()> leave, std::function<WindowPlace()> home)
    : DockedWindow(parent, "Cluster", std::move(home)), hub_(hub), leave_(std::move(leave)) {
  Place();
}

void ClusterConsole::Layout(int width, int height) {
  rows_.Place(1, 1, width, height - 1);
  line_.setGeometry(FPoint{1, std::max(height, 1)},
                    FSize{static_cast<std::size_t>(std::max(width, 1)), 1});
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

bool ClusterConsole::PreviewKey(KeyCode key) {
  const KeyBinding* b = FindKey(KeyScope::kCluster, key);
  if (b == nullptr || b->action != KeyAction::kSendLine) return false;
  const std::string text = line_.Cp866();
  if (!text.empty() && hub_.SendCommand(text)) {
    line_.SetCp866("");
    line_.redraw();
    Update();
  }
  return true;
}

void ClusterConsole::onClose(finalcut::FCloseEvent* ev) {
  ev->ignore();
}

}  // namespace vk::ui
