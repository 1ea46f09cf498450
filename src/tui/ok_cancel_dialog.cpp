#include "tui/ok_cancel_dialog.h"

#include <algorithm>

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

constexpr int kButtonRows = 3;
constexpr std::size_t kButtonWidth = 10;

}  // namespace

OkCancelDialog::OkCancelDialog(finalcut::FWidget* parent, std::string_view title, int width,
                               int height)
    : TvDialog(parent, title, width, height + kButtonRows), contentsHeight_(height) {}

void OkCancelDialog::PlaceButtons(finalcut::FButton& ok, finalcut::FButton& cancel) {
  const int w = TvWidth();
  const int row = contentsHeight_ - 1;
  // The button's shadow takes the row below it.
  ok.setGeometry(FPoint{w / 4 - 2, row}, FSize{kButtonWidth, 1});
  cancel.setGeometry(FPoint{w / 2 + w / 4 - 7, row}, FSize{kButtonWidth, 1});
  ok.addCallback("clicked", [this] {
    if (Confirm()) Accept();
  });
  cancel.addCallback("clicked", [this] { done(ResultCode::Reject); });
  SetDefaultButton(&ok);
}

bool OkCancelDialog::RefuseField(finalcut::FWidget& field, std::string_view message) {
  {
    ErrorBox box{getParentWidget(), message};
    box.Run();
  }  // gone first: closing a dialog hands the focus back on its own
  // ... and may make another window the active one, whose cursor the terminal would show.
  activateDialog();
  field.setFocus();
  redraw();
  return false;
}

namespace {

class QuestionBox final : public OkCancelDialog {
 public:
  QuestionBox(finalcut::FWidget* parent, std::string_view title,
              const std::vector<std::string>& lines)
      : OkCancelDialog(parent, title, Width(lines), static_cast<int>(lines.size()) + 2) {
    std::string joined;
    for (const std::string& l : lines) joined += l + "\n";
    if (!joined.empty()) joined.pop_back();
    text_.setText(ScreenText(this, joined));
    text_.setGeometry(finalcut::FPoint{2, 2},
                      finalcut::FSize{static_cast<std::size_t>(Width(lines) - 4), lines.size()});
    PlaceButtons(ok_, cancel_);
    ok_.setFocus();
  }

 private:
  static int Width(const std::vector<std::string>& lines) {
    std::size_t w = 30;
    for (const std::string& l : lines) w = std::max(w, l.size() + 6);
    return static_cast<int>(w);
  }

  finalcut::FLabel text_{this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

}  // namespace

bool AskOkCancel(finalcut::FWidget* parent, std::string_view title,
                 const std::vector<std::string>& cp866Lines) {
  QuestionBox box{parent, title, cp866Lines};
  return box.Run();
}

}  // namespace vk::ui
