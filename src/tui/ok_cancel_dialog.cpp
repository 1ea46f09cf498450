#include "tui/ok_cancel_dialog.h"

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

}  // namespace vk::ui
