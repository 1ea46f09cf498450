// A one-row selector that holds the index of the chosen entry of a short list and shows its
// text, with a drop-down list for choosing by sight.  While it has the focus: Up and Down choose
// the previous and next entry (no wrap), Home and End the first and last, Enter or PgDn opens
// the list; a mouse click opens or closes it.  In the open list the arrows, Home, End, PgUp and
// PgDn move the highlight, Enter or a click chooses, Esc closes without choosing.
//
// The toolkit's own combo box cannot be used: its list takes no keys inside a modal dialog,
// and it knows neither Home, End nor PgDn.
#pragma once

#include <final/final.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vk::ui {

class DropDownList;

class DropDown final : public finalcut::FWidget {
 public:
  static constexpr int kWidth = 13;
  static constexpr int kMaxListRows = 4;

  explicit DropDown(finalcut::FWidget* parent);
  ~DropDown() override;

  // CP866 texts; the first entry becomes the chosen one.
  void SetItems(const std::vector<std::string_view>& cp866Items);
  // Clamped to the list.
  void SetIndex(int index);
  int Index() const { return index_; }
  int Count() const { return static_cast<int>(items_.size()); }
  const finalcut::FString& Item(int i) const { return items_[static_cast<std::size_t>(i)]; }
  bool IsOpen() const;

  void Open();
  // `refocus`: give the focus back to the selector (not when it has already gone elsewhere).
  void Close(bool refocus);
  // The list chose an entry: it becomes the chosen one and the list closes.
  void Choose(int index);

  void onKeyPress(finalcut::FKeyEvent* ev) override;
  void onMouseDown(finalcut::FMouseEvent* ev) override;
  void onFocusIn(finalcut::FFocusEvent* ev) override;
  void onFocusOut(finalcut::FFocusEvent* ev) override;

 private:
  void draw() override;

  std::vector<finalcut::FString> items_;
  int index_ = 0;
  std::unique_ptr<DropDownList> list_;
};

}  // namespace vk::ui
