// The cluster console: the node's lines as they came, newest at the bottom, and a line for
// commands to the node (Enter sends, Esc goes back to the entry window).  Alt+K shows and
// hides it; it lies over the log window while shown.
#pragma once

#include <final/final.h>

#include <cstdint>
#include <functional>

#include "app/screen_layout.h"
#include "cluster/cluster_hub.h"
#include "tui/masked_line.h"
#include "tui/text_rows.h"
#include "tui/window_select.h"
#include "ui/windows/docked_window.h"

namespace vk::ui {

class ClusterConsole final : public DockedWindow, public KeyPreview, public LeftOnEscape {
 public:
  ClusterConsole(finalcut::FWidget* parent, ClusterHub& hub, std::function<void()> leave,
                 std::function<WindowPlace()> home);

  void Update(bool force = false);
  bool PreviewKey(KeyCode key) override;
  void LeaveOnEscape() override { leave_(); }
  MaskedLine& Line() { return line_; }

 private:
  void Layout(int width, int height) override;
  void Redraw() override { Update(true); }
  void onClose(finalcut::FCloseEvent* ev) override;

  ClusterHub& hub_;
  std::function<void()> leave_;
  TextRows rows_{this};
  MaskedLine line_{this, 80};
  std::uint64_t version_ = ~std::uint64_t{0};
};

}  // namespace vk::ui
