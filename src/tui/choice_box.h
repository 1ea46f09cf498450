// A one-row choice control: it holds the index of the chosen entry of a fixed list and shows its
// text.  While it has the focus, Up and Down step to the previous and next entry (no wrap), Home
// and End to the first and last, all without opening anything; Enter or PgDn opens the list, a
// click opens or closes it.  In the open list the arrows, Home, End, PgUp and PgDn move the
// highlight, Enter or a click chooses, Esc and Tab close it without choosing.
//
// The width is the widget's own (its last column holds the arrow) and the open list shows at most
// the number of rows given with the entries: the QSO dialogs' band and mode selectors are 13
// columns with 4 rows, a report category may want 2 rows, a report group name 50 columns.
// Entries are kept as CP866 bytes and converted only when drawn.
//
// The toolkit's own combo box cannot be used: its list takes no keys inside a modal dialog,
// and it knows neither Home, End nor PgDn.
#pragma once

#include <final/final.h>

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vk::ui {

class ChoicePopup;

class ChoiceBox final : public finalcut::FWidget {
 public:
  explicit ChoiceBox(finalcut::FWidget* parent);
  ~ChoiceBox() override;

  // The entries and how many rows the open list shows at most; the first entry is chosen.
  void SetItems(std::vector<std::string> cp866Items, int rows);
  void SetItems(std::span<const std::string_view> cp866Items, int rows);

  int Index() const { return index_; }
  void SetIndex(int index);  // clamped to the list
  int Count() const { return static_cast<int>(items_.size()); }
  int Rows() const { return rows_; }
  const std::string& Item(int i) const { return items_[static_cast<std::size_t>(i)]; }
  // The chosen entry as listed (padding kept); empty for an empty list.
  std::string Chosen() const;

  bool IsOpen() const;
  void Open();
  // `refocus`: give the focus back to the control (not when a click has already taken it).
  void Close(bool refocus);
  void Choose(int index);

  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onFocusIn(finalcut::FFocusEvent* ev) override;
  void onFocusOut(finalcut::FFocusEvent* ev) override;

 private:
  static bool IsCharacter(finalcut::FKey key);
  // The next entry (after the current one, wrapping) whose text starts with the letter.
  void SelectByLetter(std::uint32_t ch);
  void draw() override;

  std::vector<std::string> items_;
  int rows_ = 1;
  int index_ = 0;
  std::unique_ptr<ChoicePopup> popup_;
};

}  // namespace vk::ui
