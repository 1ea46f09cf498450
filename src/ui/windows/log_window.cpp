#include "ui/windows/log_window.h"

#include <algorithm>

#include "tui/screen_text.h"
#include "ui/windows/side_place.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

// Below this the list would show no line at all.
constexpr int kMinHeight = 9;
// Rows of the window besides the list: title bar, top frame, the row before the buttons, two
// button rows and the bottom frame.
constexpr int kRowsBesideList = 6;

}  // namespace

LogWindow::LogWindow(finalcut::FWidget* desktop, LogViewModel& model, CommandBus& bus)
    : DockedWindow(desktop, ScreenText(desktop, kLogWindowTitle),
                   OperatingHome(desktop, &OperatingLayout::log)),
      model_(model),
      bus_(bus),
      list_(this, std::string(kLogHeaderText)),
      countLabel_(this, 40, 16, 4),
      count_(this, 45, 16, 5, TextView::Align::kCentre) {
  // The one window the operator may resize, from its frame and its title bar's buttons.
  setTitlebarButtonVisibility(true);
  setResizeable(true);
  setMinimumSize(FSize{kLogWidth - 10, kMinHeight});
  countLabel_.SetText(std::string(kLogCountLabel));
  for (finalcut::FButton* b : {&edit_, &del_, &insert_}) {
    b->setText(ScreenText(this, b->getText().toString()));
  }
  edit_.addCallback("clicked", [this] { Press(cm::kLogEditButton); });
  del_.addCallback("clicked", [this] { Press(cm::kLogDeleteButton); });
  insert_.addCallback("clicked", [this] { Press(cm::kLogInsertButton); });
  list_.addCallback("row-changed", [this] { ListMoved(); });
  // A double click on a line edits it, as Enter does.
  list_.addCallback("clicked", [this] { Press(cm::kLogEditButton); });
  list_.OnEnter([this] { Press(cm::kLogEditButton); });
  list_.OnDownAtEnd([this] { model_.SelectEntryWindow(); });
  Place();
  list_.SetRows(static_cast<std::size_t>(model_.LineCount()), [this](std::size_t i) {
    return ScreenText(this, model_.Line(static_cast<int>(i)));
  });
  list_.SetCurrentPosition(model_.Focused());
  count_.SetText(model_.CountText());
  model_.TakeChanges();
  list_.setFocus();
}

LogWindow::~LogWindow() = default;

void LogWindow::Layout(int width, int height) {
  // The list grows and shrinks with the window; the buttons and the count stay under it, the
  // count at the right.
  const int w = width + kFrameColumns;
  const int h = height + kFrameRows;
  const int buttons = h - 4;
  list_.setGeometry(FPoint{1, 2}, FSize{static_cast<std::size_t>(w - 2),
                                        static_cast<std::size_t>(h - kRowsBesideList)});
  countLabel_.setPos(FPoint{w - 14, buttons});
  count_.setPos(FPoint{w - 9, buttons});
  // Each button's shadow takes the column after it and the row below.
  edit_.setGeometry(FPoint{2, buttons}, FSize{7, 1});
  del_.setGeometry(FPoint{12, buttons}, FSize{5, 1});
  insert_.setGeometry(FPoint{20, buttons}, FSize{8, 1});
}

void LogWindow::FillList() {
  // Only the rows on the screen are formatted; the others when scrolled to.
  list_.ResizeRows(static_cast<std::size_t>(model_.LineCount()));
  list_.ForgetTexts();
  list_.SetCurrentPosition(model_.Focused());
  list_.redraw();
}

void LogWindow::Press(CommandId command) {
  // The model answers with the position it has; make sure it is the line on the screen.
  model_.SetFocused(list_.CurrentPosition());
  // Posted: the dialog it opens must not run inside this click or key.
  bus_.PostCommand(command);
  // A button pressed by its hot key would keep the focus; the arrows belong to the list.
  if (!list_.hasFocus()) {
    list_.setFocus();
    redraw();
  }
}

void LogWindow::ListMoved() {
  model_.SetFocused(list_.CurrentPosition());
}

void LogWindow::Tick() {
  const Changes c = model_.TakeChanges();
  if ((c & changed::kRefill) != 0) {
    FillList();
  } else if ((c & changed::kList) != 0) {
    // At most appends since the last tick: the rows before them are in the list already.
    list_.ResizeRows(static_cast<std::size_t>(model_.LineCount()));
    list_.SetCurrentPosition(model_.Focused());
    list_.redraw();
  }
  if ((c & changed::kCount) != 0) count_.SetText(model_.CountText());
}

}  // namespace vk::ui
