// Radio buttons in a titled frame, as the classic dialogs have them: the arrows move the choice
// itself (wrapping at the ends), Space chooses the focused item, and Enter is left to the dialog
// so that it presses the default button from here too.
#pragma once

#include <final/final.h>

#include <memory>
#include <string_view>
#include <vector>

namespace vk::ui {

class RadioChoice final : public finalcut::FButtonGroup {
 public:
  // The frame's bounds as the dialog counts them; items are placed with Add.
  RadioChoice(finalcut::FWidget* parent, std::string_view title, finalcut::FPoint at,
              finalcut::FSize size);
  ~RadioChoice() override;

  // An item at its column and row inside the frame (1, 1 is the first cell within it).
  void Add(std::string_view label, finalcut::FPoint at);

  int Value() const;
  // A value without an item chooses none.
  void SetValue(int value);
  // Chooses the item `step` away from the chosen one and gives it the focus.
  void Step(int step);

 private:
  class Item;
  std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace vk::ui
