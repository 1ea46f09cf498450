// The Repeat window without a terminal: per call worked on the current band and mode, the time
// periods it was worked in.  It stacks with the multiplier windows (multi_window_model.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/station.h"
#include "app/views/multi_window_model.h"
#include "app/views/view_model.h"

namespace vk {

inline constexpr std::string_view kRepeatWindowTitle = "Repeat";

class RepeatModel final : public ViewModel {
 public:
  explicit RepeatModel(Station& station);

  Rect Bounds() const { return RepeatWindowBounds(index_); }
  // Calls worked on the current band and mode, ascending: the call in 12 characters and one
  // column per time period, "X" where it was worked.
  const std::vector<std::string>& Lines() const { return lines_; }
  std::vector<std::string> Rows(int width, int height) const {
    return FitRows(lines_, width, height);
  }
  // The column of the period the log clock stands in now, drawn highlighted on every row that
  // holds a line; -1 while the clock is outside every period.
  int HighlightColumn();

  Changes Refresh();
  // Band changed, mode changed and log changed rebuild the lines.
  void HandleMessage(Message& m) override;

 private:
  Station& station_;
  int index_;
  std::vector<std::string> lines_;
};

}  // namespace vk
