// A view of fixed text rows in a window: CP866 lines, each drawn cut or padded to the view's
// width, and optionally one column drawn in the highlight colour on the first rows.  It takes
// no focus and draws nothing it was not given.
#pragma once

#include <final/final.h>

#include <string>
#include <vector>

namespace vk::ui {

class TextRows final : public finalcut::FWidget {
 public:
  explicit TextRows(finalcut::FWidget* window);

  // Place inside the window's interior, 1-based as the toolkit counts.  A width or height of
  // 0 or less leaves the view blank.
  void Place(int column, int row, int width, int height);
  int Width() const { return empty_ ? 0 : static_cast<int>(getWidth()); }
  int Height() const { return empty_ ? 0 : static_cast<int>(getHeight()); }

  // True when something changed (the caller redraws once for all its views).
  bool SetRows(std::vector<std::string> cp866Rows);
  bool SetText(const std::string& cp866) { return SetRows({cp866}); }
  // Column (0-based) drawn highlighted on rows 0 .. rows-1; column -1 highlights nothing.
  bool SetHighlight(int column, int rows);

  const std::vector<std::string>& Rows() const { return rows_; }

 private:
  void draw() override;
  void DrawRow(int index, const std::string& cp866);

  std::vector<std::string> rows_;  // CP866; converted only on the way to the screen
  int highlightColumn_ = -1;
  int highlightRows_ = 0;
  bool empty_ = false;
};

}  // namespace vk::ui
