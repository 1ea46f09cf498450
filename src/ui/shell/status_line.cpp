#include "ui/shell/status_line.h"

#include <algorithm>
#include <string_view>

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FPoint;

namespace {
constexpr std::string_view kExitKey = "Alt-X";
constexpr std::string_view kExitText = " Exit";
constexpr int kExitWidth = 1 + static_cast<int>(kExitKey.size() + kExitText.size());
constexpr std::size_t kMinColumns = 80;
constexpr std::size_t kMinRows = 25;
}  // namespace

StatusLine::StatusLine(finalcut::FWidget* desktop, std::function<void()> quit)
    : finalcut::FStatusBar(desktop), quit_(std::move(quit)) {
  exit_.addCallback("activate", [this] { quit_(); });
}

void StatusLine::SetTexts(const StatusTexts& texts) {
  if (texts.lastKey == texts_.lastKey && texts.memory == texts_.memory &&
      texts.checksums == texts_.checksums && texts.sync == texts_.sync &&
      texts.cluster == texts_.cluster && texts.rig == texts_.rig) {
    return;
  }
  texts_ = texts;
  redraw();
}

void StatusLine::draw() {
  const auto& wc = getColorTheme();
  setColor(wc->statusbar_fg, wc->statusbar_bg);
  print() << FPoint{1, 1} << finalcut::FString(getWidth(), L' ');
  setColor(wc->statusbar_hotkey_fg, wc->statusbar_hotkey_bg);
  print() << FPoint{2, 1} << finalcut::FString{std::string(kExitKey)};
  setColor(wc->statusbar_fg, wc->statusbar_bg);
  print() << finalcut::FString{std::string(kExitText)};
  // Below 80x25 the windows cannot all be placed: the operator is told rather than left with
  // windows drawn off the screen.
  const std::size_t columns = getDesktopWidth();
  const std::size_t rows = getDesktopHeight();
  if (columns < kMinColumns || rows < kMinRows) {
    // In the links' place; the diagnostics on the right stay.
    setColor(wc->statusbar_hotkey_fg, wc->statusbar_hotkey_bg);
    print() << FPoint{kExitWidth + 2, 1}
            << finalcut::FString{"Terminal " + std::to_string(columns) + "x" +
                                 std::to_string(rows) + ": 80x25 needed"};
    setColor(wc->statusbar_fg, wc->statusbar_bg);
  } else {
    // The links' states run up to the group's state, or up to the checksums without one.
    const int end = texts_.sync.empty() ? kChecksumColumnFromRight : kSyncColumnFromRight;
    const int room = kLinksColumnFromRight - end - 1;
    PrintAt(kLinksColumnFromRight, LinkStatesText(texts_.rig, texts_.cluster,
                                                  static_cast<std::size_t>(std::max(room, 0))));
  }
  if (!texts_.sync.empty()) PrintAt(kSyncColumnFromRight, texts_.sync);
  PrintAt(kChecksumColumnFromRight, texts_.checksums);
  PrintAt(kMemoryColumnFromRight, texts_.memory);
  PrintAt(kLastKeyColumnFromRight, texts_.lastKey);
}

void StatusLine::PrintAt(int fromRight, const std::string& text) {
  const int x = static_cast<int>(getWidth()) - fromRight + 1;
  if (x < 1) return;
  print() << FPoint{x, 1} << ScreenText(this, text);
}

bool StatusLine::OverExitKey(const finalcut::FMouseEvent* ev) const {
  return ev->getX() >= 1 && ev->getX() <= kExitWidth;
}

void StatusLine::onMouseDown(finalcut::FMouseEvent* ev) {
  exitPressed_ = ev->getButton() == finalcut::MouseButton::Left && OverExitKey(ev);
}

void StatusLine::onMouseMove(finalcut::FMouseEvent* ev) {
  if (!OverExitKey(ev)) exitPressed_ = false;
}

void StatusLine::onMouseUp(finalcut::FMouseEvent* ev) {
  const bool click = exitPressed_ && OverExitKey(ev);
  exitPressed_ = false;
  if (click) quit_();
}

}  // namespace vk::ui
