#include "app/views/multi_window_model.h"

#include <algorithm>
#include <utility>

#include "score/repeat.h"
#include "util/strings.h"

namespace vk {

Rect MultiWindowBounds(int index) {
  return Rect{47, 12 * index, 79, 12 * index + 12};
}

Rect RepeatWindowBounds(int index) {
  return Rect{54, 12 * index, 79, 20 * (index + 1)};
}

bool KeyBefore(std::string_view a, std::string_view b) {
  // Zones and other numbers in numeric order (1 4 5 11), before any other key.
  const bool na = !a.empty() && a.find_first_not_of("0123456789") == std::string_view::npos;
  const bool nb = !b.empty() && b.find_first_not_of("0123456789") == std::string_view::npos;
  if (na != nb) return na;
  if (na && a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::vector<std::string> FlowKeys(const KeyList* keys, int width, int height) {
  std::vector<std::string> rows;
  if (width <= 0 || height <= 0) return rows;
  std::string row;
  if (keys != nullptr) {
    std::vector<std::string> sorted(keys->begin(), keys->end());
    std::sort(sorted.begin(), sorted.end(), KeyBefore);
    for (const std::string& key : sorted) {
      std::string next = row + key + " ";
      if (static_cast<int>(next.size()) < width || row.empty()) {
        row = std::move(next);
        continue;
      }
      rows.push_back(FixedWidth(row, width));
      if (static_cast<int>(rows.size()) == height) return rows;
      row = key + " ";
    }
  }
  if (!row.empty()) rows.push_back(FixedWidth(row, width));
  while (static_cast<int>(rows.size()) < height) rows.push_back(std::string(width, ' '));
  return rows;
}

std::vector<std::string> FitRows(const std::vector<std::string>& lines, int width, int height) {
  std::vector<std::string> rows;
  if (width <= 0 || height <= 0) return rows;
  for (int i = 0; i < height; ++i) {
    rows.push_back(i < static_cast<int>(lines.size()) ? FixedWidth(lines[i], width)
                                                      : std::string(width, ' '));
  }
  return rows;
}

bool RefreshesSideWindows(const Message& m) {
  return m.what == EventClass::kBroadcast &&
         (m.command == cm::kBandChanged || m.command == cm::kModeChanged ||
          m.command == cm::kLogChanged);
}

// --- multiplier window ----------------------------------------------------------------------

MultiListModel::MultiListModel(const MultiRule& rule, Station& station)
    : SideListModel(station.Bus()),
      rule_(rule),
      station_(station),
      index_(station.TakeSideWindowIndex()) {}

const KeyList* MultiListModel::Keys() const {
  return rule_.Keys(station_.CurrentBand(), station_.CurrentMode());
}

void MultiListModel::HandleMessage(Message& m) {
  if (!RefreshesSideWindows(m)) return;
  Note(changed::kList);
  m.handled = true;
}

}  // namespace vk
