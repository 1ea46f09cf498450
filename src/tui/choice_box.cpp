#include "tui/choice_box.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FKey;
using finalcut::FPoint;
using finalcut::FSize;
using finalcut::FString;

namespace {

// The entry as drawn: converted to the screen's text, padded or cut to the width.
FString Cell(const finalcut::FWidget* widget, const std::string& cp866, int width) {
  FString s = ScreenText(widget, cp866);
  const auto w = static_cast<std::size_t>(std::max(width, 0));
  if (s.getLength() >= w) return s.left(w);
  return s + FString(w - s.getLength(), L' ');
}

}  // namespace

// The open list, a window of its own so that it may hang over the dialog's other fields.  It
// counts as modal, or the toolkit would give it no keys or clicks while the dialog runs.
class ChoiceRows;

class ChoicePopup final : public finalcut::FWindow {
 public:
  explicit ChoicePopup(ChoiceBox* owner);
  ~ChoicePopup() override;

  void ShowAt(FPoint termPos, int highlighted);
  void Hide();

  ChoiceBox& Owner() { return *owner_; }
  int Shown() const { return std::min(owner_->Count(), owner_->Rows()); }
  int Highlighted() const { return cursor_; }
  int Top() const { return top_; }
  void MoveTo(int index);

 private:
  void draw() override;
  void OnBar();

  ChoiceBox* owner_;
  std::unique_ptr<ChoiceRows> rows_;
  finalcut::FScrollbar bar_{finalcut::Orientation::Vertical, this};
  int cursor_ = 0;
  int top_ = 0;
};

// The entries of the open list; it holds the focus while the list is open.
class ChoiceRows final : public finalcut::FWidget {
 public:
  explicit ChoiceRows(ChoicePopup* popup) : finalcut::FWidget(popup), popup_(*popup) {
    setFocusable();
    unsetVisibleCursor();
  }

  void onKeyPress(finalcut::FKeyEvent* ev) override {
    const int at = popup_.Highlighted();
    const int page = popup_.Shown();
    switch (ev->key()) {
      case FKey::Up:
        popup_.MoveTo(at - 1);
        break;
      case FKey::Down:
        popup_.MoveTo(at + 1);
        break;
      case FKey::Home:
        popup_.MoveTo(0);
        break;
      case FKey::End:
        popup_.MoveTo(popup_.Owner().Count() - 1);
        break;
      case FKey::Page_up:
        popup_.MoveTo(at - page);
        break;
      case FKey::Page_down:
        popup_.MoveTo(at + page);
        break;
      case FKey::Enter:
      case FKey::Return:
        popup_.Owner().Choose(at);
        break;
      case FKey::Escape:
      case FKey::Tab:
      case FKey::Back_tab:
        popup_.Owner().Close(true);
        break;
      default:
        break;
    }
    // Every key stays here while the list is open: none may confirm or cancel the dialog.
    ev->accept();
  }

  void onMouseDown(finalcut::FMouseEvent* ev) override {
    if (ev->getButton() != finalcut::MouseButton::Left) return;
    const int index = popup_.Top() + ev->getY() - 1;
    if (index >= 0 && index < popup_.Owner().Count()) popup_.Owner().Choose(index);
  }

  void onWheel(finalcut::FWheelEvent* ev) override {
    const bool up = ev->getWheel() == finalcut::MouseWheel::Up;
    popup_.MoveTo(popup_.Highlighted() + (up ? -1 : 1));
  }

  // A click elsewhere moves the focus without a focus-out event; the list closes here and
  // leaves the focus where the click put it.
  bool setFocus(bool enable = true) override {
    const bool result = finalcut::FWidget::setFocus(enable);
    if (!enable) popup_.Owner().Close(false);
    return result;
  }

 private:
  void draw() override {
    const auto& wc = getColorTheme();
    const ChoiceBox& owner = popup_.Owner();
    const int width = static_cast<int>(getWidth());
    for (int r = 0; r < popup_.Shown(); ++r) {
      const int i = popup_.Top() + r;
      const bool lit = i == popup_.Highlighted();
      setColor(lit ? wc->current_element_focus_fg : wc->list_fg,
               lit ? wc->current_element_focus_bg : wc->list_bg);
      print() << FPoint{1, r + 1}
              << Cell(this, i < owner.Count() ? owner.Item(i) : std::string{}, width);
    }
    setCursorPos(FPoint{1, popup_.Highlighted() - popup_.Top() + 1});
  }

  ChoicePopup& popup_;
};

ChoicePopup::ChoicePopup(ChoiceBox* owner)
    : finalcut::FWindow(owner), owner_(owner), rows_(std::make_unique<ChoiceRows>(this)) {
  setAlwaysOnTop();
  ignorePadding();
  setFlags().modal = true;
  bar_.setMinimum(0);
  bar_.addCallback("change-value", [this] { OnBar(); });
  setGeometry(FPoint{1, 1}, FSize{1, 1}, false);
  finalcut::FWindow::hide();
}

ChoicePopup::~ChoicePopup() = default;

void ChoicePopup::ShowAt(FPoint termPos, int highlighted) {
  const int shown = Shown();
  const auto h = static_cast<std::size_t>(shown);
  const std::size_t w = owner_->getWidth();
  setGeometry(termPos, FSize{w, h}, false);
  rows_->setGeometry(FPoint{1, 1}, FSize{w - 1, h}, false);
  bar_.setGeometry(FPoint{static_cast<int>(w), 1}, FSize{1, h}, false);
  bar_.setMaximum(owner_->Count() - 1);
  bar_.setPageSize(shown, owner_->Count());
  // A list that shows every entry needs no bar; its column stays blank.
  if (owner_->Count() > shown) {
    bar_.show();
  } else {
    bar_.hide();
  }
  top_ = 0;
  cursor_ = -1;
  MoveTo(highlighted);
  show();
  raiseWindow();
  rows_->setFocus();
  redraw();
}

void ChoicePopup::Hide() {
  if (!isShown()) return;
  finalcut::FWindow::hide();
  // What the list covered is drawn again from the windows below it.
  restoreVTerm(getTermGeometryWithShadow());
}

void ChoicePopup::MoveTo(int index) {
  index = std::clamp(index, 0, std::max(owner_->Count() - 1, 0));
  if (index == cursor_) return;
  cursor_ = index;
  const int shown = Shown();
  if (cursor_ < top_) top_ = cursor_;
  if (cursor_ >= top_ + shown) top_ = cursor_ - shown + 1;
  bar_.setValue(cursor_);
  if (bar_.isShown()) bar_.redraw();
  rows_->redraw();
}

void ChoicePopup::OnBar() {
  using Scroll = finalcut::FScrollbar::ScrollType;
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
      MoveTo(cursor_ - Shown());
      break;
    case Scroll::PageForward:
      MoveTo(cursor_ + Shown());
      break;
    case Scroll::Jump:
      MoveTo(bar_.getValue());
      break;
    default:
      break;
  }
  // Wherever on the bar the click was, the focus stays with the entries.
  rows_->setFocus();
}

void ChoicePopup::draw() {
  const auto& wc = getColorTheme();
  setColor(wc->list_fg, wc->list_bg);
  clearArea();
}

// --- the control ------------------------------------------------------------------------------

ChoiceBox::ChoiceBox(finalcut::FWidget* parent)
    : finalcut::FWidget(parent), popup_(std::make_unique<ChoicePopup>(this)) {
  setFocusable();
  unsetVisibleCursor();
}

ChoiceBox::~ChoiceBox() = default;

void ChoiceBox::SetItems(std::vector<std::string> cp866Items, int rows) {
  items_ = std::move(cp866Items);
  rows_ = std::max(rows, 1);
  index_ = 0;
  redraw();
}

void ChoiceBox::SetItems(std::span<const std::string_view> cp866Items, int rows) {
  SetItems(std::vector<std::string>{cp866Items.begin(), cp866Items.end()}, rows);
}

void ChoiceBox::SetIndex(int index) {
  const int clamped = items_.empty() ? 0 : std::clamp(index, 0, Count() - 1);
  if (clamped == index_) return;
  index_ = clamped;
  redraw();
}

std::string ChoiceBox::Chosen() const {
  return items_.empty() ? std::string{} : Item(index_);
}

bool ChoiceBox::IsOpen() const {
  return popup_->isShown();
}

void ChoiceBox::Open() {
  if (items_.empty() || IsOpen()) return;
  FPoint at = getTermPos();
  const int shown = std::min(Count(), rows_);
  // Below the control when the list fits under it, else above it.
  const int termHeight = static_cast<int>(getDesktopHeight());
  at.move(0, at.getY() + shown <= termHeight ? 1 : -shown);
  popup_->ShowAt(at, index_);
}

void ChoiceBox::Close(bool refocus) {
  if (!IsOpen()) return;
  popup_->Hide();
  if (refocus) finalcut::setWidgetFocus(this);
  redraw();
}

void ChoiceBox::Choose(int index) {
  SetIndex(index);
  Close(true);
}

void ChoiceBox::onKeyPress(finalcut::FKeyEvent* ev) {
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
      // A typed character picks the next entry that starts with it and never reaches the
      // dialog, where it would press the button of that hot key.  Alt combinations, Tab and
      // Esc travel on.
      if (!IsCharacter(ev->key())) return;
      SelectByLetter(static_cast<std::uint32_t>(ev->key()));
      break;
  }
  ev->accept();
}

bool ChoiceBox::IsCharacter(FKey key) {
  const auto k = static_cast<std::uint32_t>(key);
  return k >= 0x20 && k < 0x110000 && k != 0x7F;
}

void ChoiceBox::SelectByLetter(std::uint32_t ch) {
  if (ch >= 0x80) return;
  const char want = static_cast<char>(std::toupper(static_cast<int>(ch)));
  const int n = Count();
  for (int step = 1; step <= n; ++step) {
    const int i = (index_ + step) % n;
    const std::string t = Trim(items_[static_cast<std::size_t>(i)]);
    if (!t.empty() && std::toupper(static_cast<unsigned char>(t.front())) == want) {
      SetIndex(i);
      return;
    }
  }
}

void ChoiceBox::onMouseDown(finalcut::FMouseEvent* ev) {
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

void ChoiceBox::onFocusIn(finalcut::FFocusEvent* ev) {
  redraw();
  finalcut::FWidget::onFocusIn(ev);
}

void ChoiceBox::onFocusOut(finalcut::FFocusEvent* ev) {
  redraw();
  finalcut::FWidget::onFocusOut(ev);
}

void ChoiceBox::draw() {
  const auto& wc = getColorTheme();
  const bool focus = hasFocus() || IsOpen();
  setColor(focus ? wc->inputfield_active_focus_fg : wc->inputfield_active_fg,
           focus ? wc->inputfield_active_focus_bg : wc->inputfield_active_bg);
  print() << FPoint{1, 1} << Cell(this, Chosen(), static_cast<int>(getWidth()) - 1);
  setColor(wc->scrollbar_button_fg, wc->scrollbar_button_bg);
  print() << FString(1, L'\x25BC');  // a down-pointing triangle
  // Placing the cursor also tells the toolkit to hide it: this control shows none.
  setCursorPos(FPoint{1, 1});
}

}  // namespace vk::ui
