// The Repeat window without a terminal: per call worked on the current band and mode, the time
// periods it was worked in.  It stacks with the multiplier windows (multi_window_model.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/command_bus.h"
#include "app/station.h"
#include "app/views/multi_window_model.h"

namespace vk {

inline constexpr std::string_view kRepeatWindowTitle = "Repeat";

class RepeatModel final : public MessageTarget {
 public:
  explicit RepeatModel(Station& station);
  ~RepeatModel() override;
  RepeatModel(const RepeatModel&) = delete;
  RepeatModel& operator=(const RepeatModel&) = delete;

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
  Changes TakeChanges();

 private:
  Station& station_;
  CommandBus& bus_;
  int index_;
  std::vector<std::string> lines_;
  Changes pending_ = changed::kAll;
};

}  // namespace vk
