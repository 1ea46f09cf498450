// The list of the log window: the toolkit's list box without its frame, so that the lines sit
// under the column header as on a classic desktop.  The frame's top row carries the header;
// the right frame column carries the scroll bar.  Only the moving keys are the list's own:
// letters and digits go on to the window (where they press the buttons by their hot keys),
// Down on the last line hands over to the entry window and Enter presses Edit.
#pragma once

#include <final/final.h>

#include <functional>
#include <string>

namespace vk::ui {

class LogList final : public finalcut::FListBox {
 public:
  LogList(finalcut::FWidget* parent, const std::string& cp866Header);

  void OnDownAtEnd(std::function<void()> f) { onDownAtEnd_ = std::move(f); }
  void OnEnter(std::function<void()> f) { onEnter_ = std::move(f); }

  // The list as a view of `count` rows whose text is asked of `row` (0-based) when a row is
  // first drawn: a long log costs the rows on the screen, not the log.  Called once; the
  // count then follows with ResizeRows.
  void SetRows(std::size_t count, std::function<finalcut::FString(std::size_t)> row);
  // New rows at the end are asked for when drawn; rows taken off the end are gone.  The rows
  // kept keep their text.
  void ResizeRows(std::size_t count);
  // Every row is asked for again when next drawn.
  void ForgetTexts();

  // 0-based position of the current line; -1 while the list is empty.
  int CurrentPosition() const;
  void SetCurrentPosition(int position);

  void onKeyPress(finalcut::FKeyEvent* ev) override;

 private:
  void drawBorder() override;

  // What the toolkit's lazy list sizes itself by.
  struct RowCount {
    std::size_t n = 0;
    std::size_t size() const { return n; }
  };

  finalcut::FString header_;
  RowCount rows_;
  std::function<finalcut::FString(std::size_t)> rowText_;
  std::function<void()> onDownAtEnd_;
  std::function<void()> onEnter_;
};

}  // namespace vk::ui
