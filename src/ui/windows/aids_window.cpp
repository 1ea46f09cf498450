#include "ui/windows/aids_window.h"

#include "tui/screen_text.h"
#include "ui/dialogs/statistics_dialog.h"

namespace vk::ui {

AidsWindow::AidsWindow(finalcut::FWidget* parent, AidsPanelModel& model, CommandBus& bus)
    : InfoWindow(parent, ScreenText(parent, model.Title()), bus), model_(model) {
  Relayout();
}

AidsWindow::~AidsWindow() = default;

void AidsWindow::LayoutViews(int width, int height) {
  rows_.Place(1, 1, width, height);
}

bool AidsWindow::Update(bool force) {
  if (!model_.Refresh() && !force) return false;
  return rows_.SetRows(model_.Rows(rows_.Width(), rows_.Height()));
}

void AidsWindow::HandleMessage(Message& m) {
  if (m.what != EventClass::kCommand) {
    InfoWindow::HandleMessage(m);
    return;
  }
  switch (m.command) {
    case cm::kToggleScp:
      model_.ToggleScp();
      Toggled();
      break;
    case cm::kToggleRate:
      model_.ToggleRate();
      Toggled();
      break;
    case cm::kPickCall:
      if (const std::string call = model_.NextPick(); !call.empty() && take_) take_(call);
      break;
    case cm::kStatistics:
      RunStatisticsDialog(getParentWidget(), model_.Statistics());
      break;
    default:
      return;
  }
  m.handled = true;
}

void AidsWindow::Toggled() {
  setText(ScreenText(this, model_.Title()));
  if (relayout_) relayout_();
  Update(true);
  ShowAsChosen();
}

void AidsWindow::ShowAsChosen() {
  if (model_.Visible()) {
    show();
    redraw();
  } else if (isShown()) {
    hide();
  }
}

}  // namespace vk::ui
