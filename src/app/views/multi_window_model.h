// The side windows without a terminal: one multiplier window per top-level multiplier or bonus
// rule, listing the keys (countries, zones, prefixes...) already worked on the current band and
// mode, and the Repeat window, listing per call the time periods it was worked in.  They stack
// down the right-hand side of the desktop in the order they open.
#pragma once

#include <string>
#include <vector>

#include "app/station.h"
#include "app/views/score_window_model.h"
#include "app/views/view_model.h"
#include "score/key_list.h"
#include "score/multi_rule.h"

namespace vk {

// Window `index` (0 for the first side window) of each kind.
Rect MultiWindowBounds(int index);
Rect RepeatWindowBounds(int index);

// The keys flowed into rows of `width` characters, numbers (zones) first in numeric order and
// then the others in byte order: a row takes keys, each followed by one
// space, while its text stays shorter than the width; at most `height` rows, each padded with
// spaces.  Keys beyond the last row are not shown.
std::vector<std::string> FlowKeys(const KeyList* keys, int width, int height);

// Zones and other numbers in numeric order, before any other key in byte order.
bool KeyBefore(std::string_view a, std::string_view b);

// Lines cut or padded to `width`, at most `height` of them; missing rows are blank.
std::vector<std::string> FitRows(const std::vector<std::string>& lines, int width, int height);

// What a list side window shows: a title and rows of text that follow the bus's news.
class SideListModel : public ViewModel {
 public:
  virtual std::string Title() const = 0;
  virtual std::vector<std::string> Rows(int width, int height) const = 0;

 protected:
  using ViewModel::ViewModel;
};

class MultiListModel final : public SideListModel {
 public:
  // `rule` and `station` outlive the model.  Attaches to the station's bus and takes the next
  // side-window place.
  MultiListModel(const MultiRule& rule, Station& station);

  std::string Title() const override { return rule_.Caption(); }
  Rect Bounds() const { return MultiWindowBounds(index_); }
  // The keys of the current band and mode; nullptr when the rule keeps no list there.
  const KeyList* Keys() const;
  std::vector<std::string> Rows(int width, int height) const override {
    return FlowKeys(Keys(), width, height);
  }

  // Band changed, mode changed and log changed point the window at the current list again.
  void HandleMessage(Message& m) override;

 private:
  const MultiRule& rule_;
  const Station& station_;
  int index_;
};

// True for the broadcasts after which the side windows show something else.
bool RefreshesSideWindows(const Message& m);

}  // namespace vk
