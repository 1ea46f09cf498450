#include "tui/tv_dialog.h"

#include <algorithm>

#include "tui/screen_text.h"
#include "vorkan_version.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {
constexpr int kTitleRow = 1;  // the toolkit's title bar above the frame's first line
constexpr int kOkWidth = 10;
}  // namespace

TvDialog::TvDialog(finalcut::FWidget* parent, std::string_view title, int width, int height)
    : finalcut::FDialog(parent), width_(width), height_(height) {
  setText(ScreenText(this, title));
  setModal();
  setResizeable(false);
  setMinimizable(false);
  setTitlebarButtonVisibility(false);
  Centre();
}

void TvDialog::Centre() {
  const int dw = static_cast<int>(getDesktopWidth());
  const int dh = static_cast<int>(getDesktopHeight());
  const int h = height_ + kTitleRow;
  const int x = dw > width_ ? 1 + (dw - width_) / 2 : 1;
  const int y = dh > h ? 1 + (dh - h) / 2 : 1;
  setGeometry(FPoint{x, y}, FSize{static_cast<std::size_t>(width_), static_cast<std::size_t>(h)},
              false);
}

int TvDialog::AddOkRow(finalcut::FButton& ok) {
  height_ += 3;
  Centre();
  // The button's shadow fills the second of its two rows.
  ok.setGeometry(FPoint{(width_ - kOkWidth) / 2, height_ - 3}, FSize{kOkWidth, 1});
  ok.addCallback("clicked", [this] { Accept(); });
  SetDefaultButton(&ok);
  ok.setFocus();
  return 1;
}

bool TvDialog::Run() {
  // exec() shows the dialog and runs its loop; showing it first would run the loop twice.
  return exec() == ResultCode::Accept;
}

void TvDialog::onKeyPress(finalcut::FKeyEvent* ev) {
  if (default_ != nullptr &&
      (ev->key() == finalcut::FKey::Enter || ev->key() == finalcut::FKey::Return)) {
    default_->emitCallback("clicked");
    ev->accept();
    return;
  }
  finalcut::FDialog::onKeyPress(ev);
}

ErrorBox::ErrorBox(finalcut::FWidget* parent, std::string_view cp866Text)
    : TvDialog(parent, "Error", 38, 5) {
  const int top = AddOkRow(ok_);
  text_.setText(ScreenText(this, cp866Text));
  // Wide enough for the longest message; a classic 28-column line would cut it.
  text_.setGeometry(FPoint{2, 2 + top}, FSize{34, 1});
}

AboutBox::AboutBox(finalcut::FWidget* parent) : TvDialog(parent, "About", 46, 17) {
  static constexpr std::string_view kLines[4] = {
      "Vorkan Hamradio Contest for Windows",
      "ver - " VORKAN_VERSION " 2013",
      "Contest logging, CW and networking",
      "for the radio amateur. 73!",
  };
  const int top = AddOkRow(ok_);
  for (int i = 0; i < 4; ++i) {
    lines_[i].setText(ScreenText(this, kLines[i]));
    lines_[i].setAlignment(finalcut::Align::Center);
    lines_[i].setGeometry(FPoint{4, 2 + 2 * i + top}, FSize{37, 1});
  }
}

namespace {

int WidestLine(const std::vector<std::string>& lines) {
  std::size_t w = 0;
  for (const std::string& l : lines) w = std::max(w, l.size());
  return static_cast<int>(w);
}

}  // namespace

TextBox::TextBox(finalcut::FWidget* parent, std::string_view title,
                 const std::vector<std::string>& lines)
    : TvDialog(parent, title, std::max(WidestLine(lines) + 6, 30),
               static_cast<int>(lines.size()) + 3) {
  const int top = AddOkRow(ok_);
  std::string joined;
  for (const std::string& l : lines) joined += l + "\n";
  if (!joined.empty()) joined.pop_back();
  text_.setText(ScreenText(this, joined));
  text_.setGeometry(FPoint{2, 2 + top},
                    FSize{static_cast<std::size_t>(TvWidth() - 4), lines.size()});
}

namespace {

// The box's size for `lines` on this desktop: the frame, a scroll bar column and the OK row
// around them, no larger than the screen.
int ScrollBoxWidth(const finalcut::FWidget* parent, const std::vector<std::string>& lines) {
  const int room = static_cast<int>(parent->getDesktopWidth()) - 2;
  return std::clamp(WidestLine(lines) + 6, 30, std::max(room, 30));
}

int ScrollBoxRows(const finalcut::FWidget* parent, const std::vector<std::string>& lines) {
  const int room = static_cast<int>(parent->getDesktopHeight()) - 8;
  return std::clamp(static_cast<int>(lines.size()), 3, std::max(room, 3));
}

}  // namespace

ScrollTextBox::ScrollTextBox(finalcut::FWidget* parent, std::string_view title,
                             const std::vector<std::string>& lines)
    : TvDialog(parent, title, ScrollBoxWidth(parent, lines), ScrollBoxRows(parent, lines) + 3) {
  const int top = AddOkRow(ok_);
  const int rows = TvHeight() - 6;
  // The view's own frame takes a row above and below the text.
  text_.setGeometry(FPoint{2, top}, FSize{static_cast<std::size_t>(TvWidth() - 3),
                                          static_cast<std::size_t>(rows + 2)});
  for (const std::string& l : lines) text_.append(ScreenText(this, l));
  // The arrows scroll the text; Enter still reaches the dialog and presses OK.
  text_.setFocus();
}

}  // namespace vk::ui
