#include "ui/shell/status_line.h"

#include <algorithm>
#include <string_view>
#include <utility>

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
  // The banner is the menu bar's; only what this row shows counts.
  StatusTexts shown = texts;
  shown.banner = texts_.banner;
  if (shown == texts_) return;
  texts_ = std::move(shown);
  redraw();
}

void StatusLine::ShowDiagnostics(bool on) {
  diagnostics_ = on;
  redraw();
}

void StatusLine::draw() {
  const auto& wc = getColorTheme();
  setColor(wc->statusbar_fg, wc->statusbar_bg);
  print() << FPoint{1, 1} << finalcut::FString(getWidth(), L' ');
  setColor(wc->statusbar_hotkey_fg, wc->statusbar_hotkey_bg);
  print() << FPoint{2, 1} << ScreenText(this, kExitKey);
  setColor(wc->statusbar_fg, wc->statusbar_bg);
  print() << ScreenText(this, kExitText);
  // Below 80x25 the windows cannot all be placed: the operator is told rather than left with
  // windows drawn off the screen.
  const std::size_t columns = getDesktopWidth();
  const std::size_t rows = getDesktopHeight();
  const int x = kExitWidth + 2;
  const int width = static_cast<int>(getWidth()) - x + 1;
  if (width <= 0) return;
  const auto room = static_cast<std::size_t>(width);
  if (columns < kMinColumns || rows < kMinRows) {
    // In the place of the states; the diagnostics stay on the right.
    StatusTexts diagnostics;
    diagnostics.checksums = texts_.checksums;
    diagnostics.lastKey = texts_.lastKey;
    print() << FPoint{x, 1}
            << UntranslatedText(this, StatusRowText(diagnostics, diagnostics_, room));
    setColor(wc->statusbar_hotkey_fg, wc->statusbar_hotkey_bg);
    print() << FPoint{x, 1}
            << ScreenText(this, "Terminal " + std::to_string(columns) + "x" +
                                    std::to_string(rows) + ": 80x25 needed");
    setColor(wc->statusbar_fg, wc->statusbar_bg);
    return;
  }
  // The parts on the right are translated before the row is fitted, as a translation may be
  // longer; the links are chosen among their short forms in English, then translated, and
  // what still does not fit is cut on the left.
  StatusTexts shown = texts_;
  for (std::string* t : {&shown.sync, &shown.operating, &shown.logFile}) {
    *t = TranslatedText(this, *t);
  }
  std::string row = TranslatedText(this, StatusRowText(shown, diagnostics_, room));
  if (row.size() > room) row.erase(0, row.size() - room);
  print() << FPoint{x, 1} << UntranslatedText(this, row);
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
