#include "app/views/side_list_models.h"

#include <algorithm>

#include "util/strings.h"

namespace vk {

namespace {

// The zones a zone kind counts: CQ zones 1-40, ITU zones 1-90.
int ZoneCount(MultiKind kind) {
  switch (kind) {
    case MultiKind::kZoneCq:
      return 40;
    case MultiKind::kZoneItu:
      return 90;
    default:
      return 0;
  }
}

constexpr Mode kListModes[] = {Mode::kCw, Mode::kPhone, Mode::kFm};

}  // namespace

std::vector<std::string> NeededKeys(const MultiRule& rule, const ScoreContext& ctx,
                                    BandIndex band, Mode mode) {
  std::vector<std::string> out;
  const KeyList* here = rule.Keys(band, mode);
  if (here == nullptr || rule.Outside(band, mode)) return out;
  auto need = [&](std::string_view key) {
    if (!here->Contains(key)) out.emplace_back(key);
  };
  for (int z = 1; z <= ZoneCount(rule.Kind()); ++z) need(IntToStr(z));
  if (rule.Kind() == MultiKind::kDomestic) {
    for (const std::string& entry : ctx.Domestic()) need(entry);
  }
  // Worked on another band or mode of the rule: wanted here too.
  const std::uint8_t slot = rule.SlotOf(band, mode);
  for (BandIndex b = 1; b <= kBandCount; ++b) {
    for (Mode m : kListModes) {
      const KeyList* other = rule.Keys(b, m);
      if (other == nullptr || other == here || rule.SlotOf(b, m) == slot) continue;
      for (const std::string& key : *other) need(key);
    }
  }
  std::sort(out.begin(), out.end(), KeyBefore);
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

std::vector<std::string> FlowLists(const std::vector<LabelledList>& lists, int width,
                                   int height) {
  std::vector<std::string> rows;
  if (width <= 0 || height <= 0) return rows;
  for (std::size_t i = 0; i < lists.size(); ++i) {
    // Every list keeps at least its label row, so that a long first list hides no other.
    const int later = static_cast<int>(lists.size() - i - 1);
    const int limit = std::max(height - later, static_cast<int>(rows.size()) + 1);
    if (static_cast<int>(rows.size()) >= height) break;
    const LabelledList& list = lists[i];
    std::string row = list.label + " " + IntToStr(static_cast<int>(list.items.size())) + ":";
    for (const std::string& item : list.items) {
      if (static_cast<int>(row.size() + 1 + item.size()) > width) {
        if (static_cast<int>(rows.size()) + 1 >= limit) break;
        rows.push_back(row);
        row.clear();
      }
      row += (row.empty() ? "" : " ") + item;
    }
    rows.push_back(row);
  }
  for (auto& r : rows) r = FixedWidth(r, width);
  while (static_cast<int>(rows.size()) < height) rows.emplace_back(width, ' ');
  return rows;
}

// --- needed multipliers ----------------------------------------------------------------------

NeededModel::NeededModel(Station& station) : SideListModel(station.Bus()), station_(station) {}

std::vector<LabelledList> NeededModel::Lists() const {
  std::vector<LabelledList> lists;
  const TTreeRules& rules = station_.Rules();
  for (const auto& node : rules.Nodes()) {
    if (node->Kind() != NodeKind::kMulti) continue;
    const auto& rule = static_cast<const MultiRule&>(*node);
    if (rule.Keys(station_.CurrentBand(), station_.CurrentMode()) == nullptr) continue;
    lists.push_back(LabelledList{
        Trim(rule.Caption()),
        NeededKeys(rule, rules.Context(), station_.CurrentBand(), station_.CurrentMode())});
  }
  return lists;
}

void NeededModel::HandleMessage(Message& m) {
  if (!RefreshesSideWindows(m)) return;
  Note(changed::kList);
}

// --- dupe sheet ------------------------------------------------------------------------------

DupeSheetModel::DupeSheetModel(Station& station)
    : SideListModel(station.Bus()), station_(station) {
  Refresh();
}

void DupeSheetModel::Add(const QsoRecord& q) {
  const BandIndex band = BandOfFreq(q.Freq);
  const std::string call = Trim(q.Call);
  if (band > kBandCount || call.empty()) return;
  std::vector<std::string>& list = calls_[band];
  auto it = std::lower_bound(list.begin(), list.end(), call);
  if (it == list.end() || *it != call) list.insert(it, call);
}

void DupeSheetModel::Rebuild() {
  // Gathered, then sorted once: inserting each call in its place costs the square of a long log.
  for (auto& list : calls_) list.clear();
  const TLogCollection& log = station_.Log();
  for (int i = 0; i < log.Count(); ++i) {
    const QsoRecord& q = *log.At(i);
    const BandIndex band = BandOfFreq(q.Freq);
    std::string call = Trim(q.Call);
    if (band > kBandCount || call.empty()) continue;
    calls_[band].push_back(std::move(call));
  }
  for (auto& list : calls_) {
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
  }
  built_ = true;
}

void DupeSheetModel::Refresh() {
  const Logbook& book = station_.Book();
  bool complete = false;
  const std::vector<LogChange> changes = book.ChangesSince(revision_, &complete);
  revision_ = book.Revision();
  if (!built_ || !complete) {
    Rebuild();
    return;
  }
  bool rebuild = false;
  for (const LogChange& c : changes) {
    if (c.kind == LogChangeKind::kAppended) {
      if (const QsoRecord* q = station_.Log().At(c.position)) Add(*q);
    } else if (c.kind != LogChangeKind::kRescored && c.kind != LogChangeKind::kReordered) {
      rebuild = true;  // a call may have gone or moved to another band
    }
  }
  if (rebuild) Rebuild();
}

std::vector<std::string> DupeSheetModel::Rows(int width, int height) const {
  const BandIndex band = station_.CurrentBand();
  const std::string name = Trim(BandScreenName(band));
  LabelledList list{name.empty() ? "--" : name, {}};
  if (band <= kBandCount) {
    // No more calls than the window has cells: a long band's sheet is not copied at each draw.
    const std::vector<std::string>& calls = calls_[band];
    const auto shown = std::min(calls.size(), static_cast<std::size_t>(std::max(width, 0)) *
                                                  static_cast<std::size_t>(std::max(height, 0)));
    list.items.assign(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(shown));
  }
  return FlowLists({list}, width, height);
}

void DupeSheetModel::HandleMessage(Message& m) {
  if (!RefreshesSideWindows(m)) return;
  Refresh();
  Note(changed::kList);
}

}  // namespace vk
