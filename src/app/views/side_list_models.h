// The list side windows besides the multiplier windows, without a terminal: the multipliers
// still needed on the current band and mode, and the dupe sheet of the current band.  Both are
// made from what the rules and the log hold, and follow band, mode and log changes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/station.h"
#include "app/views/multi_window_model.h"
#include "score/multi_rule.h"

namespace vk {

inline constexpr std::string_view kNeededWindowTitle = "Needed";
inline constexpr std::string_view kDupeSheetTitle = "Dupes";

// The keys `rule` still counts as new on `band` and `mode`, numbers first: for zone kinds the
// zones of the zone system not recorded there, for domestic kinds the entries of the domestic
// list not recorded there, and for every kind the keys recorded on another band or mode of the
// rule but not on this one.  Empty when the rule keeps no list for that band and mode.
std::vector<std::string> NeededKeys(const MultiRule& rule, const ScoreContext& ctx,
                                    BandIndex band, Mode mode);

// Each list as "label N:" (N the count) followed by its items, flowed into rows of `width`; a
// list starts on a new row.  At most `height` rows, each padded with spaces.
struct LabelledList {
  std::string label;
  std::vector<std::string> items;
};
std::vector<std::string> FlowLists(const std::vector<LabelledList>& lists, int width, int height);

class NeededModel final : public SideListModel {
 public:
  // `station` outlives the model; its rule tree is not rebuilt while the model lives.
  explicit NeededModel(Station& station);

  std::string Title() const override { return std::string(kNeededWindowTitle); }
  // One list per top-level multiplier rule, titled with the rule's caption.
  std::vector<LabelledList> Lists() const;
  std::vector<std::string> Rows(int width, int height) const override {
    return FlowLists(Lists(), width, height);
  }
  void HandleMessage(Message& m) override;

 private:
  Station& station_;
};

class DupeSheetModel final : public SideListModel {
 public:
  // `station` outlives the model.
  explicit DupeSheetModel(Station& station);

  std::string Title() const override { return std::string(kDupeSheetTitle); }
  // The calls worked on the current band, ascending, after the band's name and their count.
  std::vector<std::string> Rows(int width, int height) const override;
  // Takes the log's changes since the last look: a new last QSO adds its call, anything else
  // that may move a call makes the sheet again.
  void Refresh();
  const std::vector<std::string>& Calls(BandIndex band) const { return calls_[band]; }
  void HandleMessage(Message& m) override;

 private:
  void Rebuild();
  void Add(const QsoRecord& q);

  Station& station_;
  std::array<std::vector<std::string>, kBandCount + 1> calls_;  // per band index, ascending
  std::uint64_t revision_ = 0;
  bool built_ = false;
};

}  // namespace vk
