#include "app/views/repeat_window_model.h"

#include <utility>

#include "score/repeat.h"

namespace vk {

RepeatModel::RepeatModel(Station& station)
    : ViewModel(station.Bus()), station_(station), index_(station.TakeSideWindowIndex()) {
  Refresh();
}

Changes RepeatModel::Refresh() {
  lines_ = RepeatWindowLines(station_.Log(), station_.Rules().Settings().repeat,
                             station_.CurrentBand(), station_.CurrentMode());
  return Note(changed::kList);
}

int RepeatModel::HighlightColumn() {
  const DateTime now = station_.Clock().Now();
  // Periods hold whole minutes, as the QSO times the lines are made from.
  const int p =
      PeriodOfTime(station_.Rules().Settings().repeat, (now.hour * 60 + now.minute) / 1440.0);
  return p >= 1 ? 11 + p : -1;
}

void RepeatModel::HandleMessage(Message& m) {
  if (!RefreshesSideWindows(m)) return;
  Refresh();
  m.handled = true;
}

}  // namespace vk
