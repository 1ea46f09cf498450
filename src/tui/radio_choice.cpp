#include "tui/radio_choice.h"

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FKey;

class RadioChoice::Item final : public finalcut::FRadioButton {
 public:
  Item(RadioChoice* group, std::string_view label)
      : finalcut::FRadioButton(ScreenText(group, label), group), group_(group) {}

 protected:
  void onKeyPress(finalcut::FKeyEvent* ev) override {
    switch (ev->key()) {
      case FKey::Up:
      case FKey::Left:
        group_->Step(-1);
        ev->accept();
        return;
      case FKey::Down:
      case FKey::Right:
        group_->Step(1);
        ev->accept();
        return;
      case FKey::Enter:
      case FKey::Return:
        return;  // not accepted: the dialog's default button takes it
      default:
        finalcut::FRadioButton::onKeyPress(ev);
    }
  }

 private:
  RadioChoice* group_;
};

RadioChoice::RadioChoice(finalcut::FWidget* parent, std::string_view title, finalcut::FPoint at,
                         finalcut::FSize size)
    : finalcut::FButtonGroup(ScreenText(parent, title), parent) {
  setGeometry(at, size);
}

RadioChoice::~RadioChoice() = default;

void RadioChoice::Add(std::string_view label, finalcut::FPoint at) {
  auto item = std::make_unique<Item>(this, label);
  item->setGeometry(at, finalcut::FSize{label.size() + 4, 1});
  items_.push_back(std::move(item));
}

int RadioChoice::Value() const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->isChecked()) return static_cast<int>(i);
  }
  return -1;
}

void RadioChoice::SetValue(int value) {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    items_[i]->setChecked(static_cast<int>(i) == value);
  }
  redraw();
}

void RadioChoice::Step(int step) {
  const int n = static_cast<int>(items_.size());
  if (n == 0) return;
  const int from = Value() < 0 ? 0 : Value();
  const int to = ((from + step) % n + n) % n;
  SetValue(to);
  items_[static_cast<std::size_t>(to)]->setFocus();
  redraw();
}

}  // namespace vk::ui
