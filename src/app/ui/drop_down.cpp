#include "app/ui/drop_down.h"

#include <algorithm>

#include "app/ui/screen_text.h"

namespace vk::ui {

using finalcut::FKey;
using finalcut::FPoint;
using finalcut::FSize;
using finalcut::FString;

namespace {

constexpr int kTextWidth = DropDown::kWidth - 1;  // the last column holds the arrow or the bar

FString Padded(const FString& s, int width) {
  const auto w = static_cast<std::size_t>(width);
  if (s.getLength() >= w) return s.left(w);
  return s + FString(w - s.getLength(), L' ');
}

}  // namespace

// The open list: its own window, so it may hang over the dialog's other fields.  It counts as
// modal, or the toolkit would give it no keys or clicks while the dialog runs.
class DropDownRows;

class DropDownList final : public finalcut::FWindow {
 public:
  explicit DropDownList(DropDown* owner);
  ~DropDownList() override;

  // Shows the list below the selector with the chosen entry highlighted.
  void ShowAt(const FPoint& termPos, int highlighted);
  void Hide();

  DropDown& Owner() { return *owner_; }
  int Rows() const { return std::min(owner_->Count(), DropDown::kMaxListRows); }
  int Highlighted() const { return cursor_; }
  int Top() const { return top_; }
  void MoveTo(int index);

 private:
  void draw() override;
  void OnBar();

  DropDown* owner_;
  std::unique_ptr<DropDownRows> rows_;
  finalcut::FScrollbar bar_{finalcut::Orientation::Vertical, this};
  int cursor_ = 0;
  int top_ = 0;
};

// The entries of the open list; it holds the focus while the list is open.
class DropDownRows final : public finalcut::FWidget {
 public:
  explicit DropDownRows(DropDownList* list) : finalcut::FWidget(list), list_(*list) {
    setFocusable();
    unsetVisibleCursor();
  }

  void onKeyPress(finalcut::FKeyEvent* ev) override {
    const int page = list_.Rows();
    const int at = list_.Highlighted();
    switch (ev->key()) {
      case FKey::Up:
        list_.MoveTo(at - 1);
        break;
      case FKey::Down:
        list_.MoveTo(at + 1);
        break;
      case FKey::Home:
        list_.MoveTo(0);
        break;
      case FKey::End:
        list_.MoveTo(list_.Owner().Count() - 1);
        break;
      case FKey::Page_up:
        list_.MoveTo(at - page);
        break;
      case FKey::Page_down:
        list_.MoveTo(at + page);
        break;
      case FKey::Enter:
      case FKey::Return:
        list_.Owner().Choose(at);
        break;
      case FKey::Escape:
      case FKey::Tab:
      case FKey::Back_tab:
        list_.Owner().Close(true);
        break;
      default:
        break;
    }
    // Every key stays here while the list is open: none may confirm or cancel the dialog.
    ev->accept();
  }

  void onMouseDown(finalcut::FMouseEvent* ev) override {
    if (ev->getButton() != finalcut::MouseButton::Left) return;
    const int index = list_.Top() + ev->getY() - 1;
    if (index >= 0 && index < list_.Owner().Count()) list_.Owner().Choose(index);
  }

  void onWheel(finalcut::FWheelEvent* ev) override {
    const bool up = ev->getWheel() == finalcut::MouseWheel::Up;
    list_.MoveTo(list_.Highlighted() + (up ? -1 : 1));
  }

  // A click anywhere else takes the focus away: the list closes and leaves the focus there.
  // (The toolkit moves the focus on a click without a focus-out event, so this is the place.)
  bool setFocus(bool enable = true) override {
    const bool result = finalcut::FWidget::setFocus(enable);
    if (!enable) list_.Owner().Close(false);
    return result;
  }

 private:
  void draw() override {
    const auto& wc = getColorTheme();
    const DropDown& owner = list_.Owner();
    for (int r = 0; r < list_.Rows(); ++r) {
      const int i = list_.Top() + r;
      const bool lit = i == list_.Highlighted();
      setColor(lit ? wc->current_element_focus_fg : wc->list_fg,
               lit ? wc->current_element_focus_bg : wc->list_bg);
      print() << FPoint{1, r + 1}
              << Padded(i < owner.Count() ? owner.Item(i) : FString{}, kTextWidth);
    }
    setCursorPos(FPoint{1, list_.Highlighted() - list_.Top() + 1});
  }

  DropDownList& list_;
};

DropDownList::DropDownList(DropDown* owner)
    : finalcut::FWindow(owner), owner_(owner), rows_(std::make_unique<DropDownRows>(this)) {
  setAlwaysOnTop();
  ignorePadding();
  setFlags().modal = true;
  bar_.setMinimum(0);
  bar_.addCallback("change-value", [this] { OnBar(); });
  setGeometry(FPoint{1, 1}, FSize{DropDown::kWidth, 1}, false);
  finalcut::FWindow::hide();
}

DropDownList::~DropDownList() = default;

void DropDownList::ShowAt(const FPoint& termPos, int highlighted) {
  const int rows = Rows();
  const auto h = static_cast<std::size_t>(rows);
  setGeometry(termPos, FSize{DropDown::kWidth, h}, false);
  rows_->setGeometry(FPoint{1, 1}, FSize{kTextWidth, h}, false);
  bar_.setGeometry(FPoint{DropDown::kWidth, 1}, FSize{1, h}, false);
  bar_.setMaximum(owner_->Count() - 1);
  bar_.setPageSize(rows, owner_->Count());
  top_ = 0;
  cursor_ = -1;
  MoveTo(highlighted);
  show();
  raiseWindow();
  rows_->setFocus();
  redraw();
}

void DropDownList::Hide() {
  if (!isShown()) return;
  finalcut::FWindow::hide();
  // What the list covered is drawn again from the windows below.
  restoreVTerm(getTermGeometryWithShadow());
}

void DropDownList::MoveTo(int index) {
  const int last = owner_->Count() - 1;
  index = std::clamp(index, 0, std::max(last, 0));
  if (index == cursor_) return;
  cursor_ = index;
  const int rows = Rows();
  if (cursor_ < top_) top_ = cursor_;
  if (cursor_ >= top_ + rows) top_ = cursor_ - rows + 1;
  bar_.setValue(cursor_);
  bar_.redraw();
  rows_->redraw();
}

void DropDownList::OnBar() {
  using Scroll = finalcut::FScrollbar::ScrollType;
  const int page = Rows();
  switch (bar_.getScrollType()) {
    case Scroll::StepBackward:
    case Scroll::WheelUp:
      MoveTo(cursor_ - 1);
      break;
    case Scroll::StepForward:
    case Scroll::WheelDown:
      MoveTo(cursor_ + 1);
      break;
    case Scroll::PageBackward:
      MoveTo(cursor_ - page);
      break;
    case Scroll::PageForward:
      MoveTo(cursor_ + page);
      break;
    case Scroll::Jump:
      MoveTo(bar_.getValue());
      break;
    default:
      break;
  }
  // The focus stays with the entries, wherever on the bar the click was.
  rows_->setFocus();
}

void DropDownList::draw() {
  const auto& wc = getColorTheme();
  setColor(wc->list_fg, wc->list_bg);
  clearArea();
}

// --- the selector -------------------------------------------------------------------------------

DropDown::DropDown(finalcut::FWidget* parent)
    : finalcut::FWidget(parent), list_(std::make_unique<DropDownList>(this)) {
  setFocusable();
  unsetVisibleCursor();
  setGeometry(FPoint{1, 1}, FSize{kWidth, 1}, false);
}

DropDown::~DropDown() = default;

void DropDown::SetItems(const std::vector<std::string_view>& cp866Items) {
  items_.clear();
  for (std::string_view s : cp866Items) items_.push_back(ScreenText(s));
  index_ = 0;
  redraw();
}

void DropDown::SetIndex(int index) {
  const int clamped = items_.empty() ? 0 : std::clamp(index, 0, Count() - 1);
  if (clamped == index_) return;
  index_ = clamped;
  redraw();
}

bool DropDown::IsOpen() const {
  return list_->isShown();
}

void DropDown::Open() {
  if (items_.empty() || IsOpen()) return;
  FPoint p = getTermPos();
  p.move(0, 1);
  list_->ShowAt(p, index_);
}

void DropDown::Close(bool refocus) {
  if (!IsOpen()) return;
  list_->Hide();
  if (refocus) finalcut::setWidgetFocus(this);
  redraw();
}

void DropDown::Choose(int index) {
  SetIndex(index);
  Close(true);
}

void DropDown::onKeyPress(finalcut::FKeyEvent* ev) {
  if (items_.empty()) return;
  switch (ev->key()) {
    case FKey::Up:
      SetIndex(index_ - 1);
      break;
    case FKey::Down:
      SetIndex(index_ + 1);
      break;
    case FKey::Home:
      SetIndex(0);
      break;
    case FKey::End:
      SetIndex(Count() - 1);
      break;
    case FKey::Enter:
    case FKey::Return:
    case FKey::Page_down:
      Open();
      break;
    default:
      return;  // Tab, Esc and the dialog's keys travel on
  }
  ev->accept();
}

void DropDown::onMouseDown(finalcut::FMouseEvent* ev) {
  if (ev->getButton() != finalcut::MouseButton::Left) return;
  // Taking the focus closes an open list (its entries lose the focus), so look first.
  const bool wasOpen = IsOpen();
  if (!hasFocus()) finalcut::setWidgetFocus(this);
  if (wasOpen) {
    Close(true);
  } else {
    Open();
  }
}

void DropDown::onFocusIn(finalcut::FFocusEvent* ev) {
  redraw();
  finalcut::FWidget::onFocusIn(ev);
}

void DropDown::onFocusOut(finalcut::FFocusEvent* ev) {
  redraw();
  finalcut::FWidget::onFocusOut(ev);
}

void DropDown::draw() {
  const auto& wc = getColorTheme();
  const bool focus = hasFocus() || IsOpen();
  setColor(focus ? wc->inputfield_active_focus_fg : wc->inputfield_active_fg,
           focus ? wc->inputfield_active_focus_bg : wc->inputfield_active_bg);
  const FString text = items_.empty() ? FString{} : items_[static_cast<std::size_t>(index_)];
  print() << FPoint{1, 1} << Padded(text, kTextWidth);
  setColor(wc->scrollbar_button_fg, wc->scrollbar_button_bg);
  print() << FString(1, L'\x25BC');  // a down-pointing triangle
  // Placing the cursor also tells the toolkit to hide it: this widget shows none.
  setCursorPos(FPoint{1, 1});
}

}  // namespace vk::ui
