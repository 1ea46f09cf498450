#include "app/views/operating_models.h"

#include <algorithm>

namespace vk {

std::unique_ptr<OperatingModels> OpenOperatingModels(Station& station) {
  if (station.NoContest()) return nullptr;
  auto m = std::make_unique<OperatingModels>();
  CommandBus& bus = station.Bus();
  m->score = std::make_unique<ScoreModel>(station.Totals(), station.Rules().Settings(), bus);
  m->logLoad = station.LoadLog(&m->loadStats);
  m->log = std::make_unique<LogViewModel>(station.Log(), bus);
  m->entry = std::make_unique<EntryModel>(station, station.ChooseStart());
  m->esm = std::make_unique<EsmModel>(station, *m->entry);
  m->cwWindow = station.WantsCwWindow();
  for (const auto& node : station.Rules().Nodes()) {
    if (node->Kind() != NodeKind::kMulti && node->Kind() != NodeKind::kBonus) continue;
    m->multipliers.push_back(
        std::make_unique<MultiListModel>(static_cast<const MultiRule&>(*node), station));
  }
  if (station.Rules().Settings().repeat.periodCount != 0) {
    m->repeat = std::make_unique<RepeatModel>(station);
  }
  const bool multipliers = std::any_of(
      station.Rules().Nodes().begin(), station.Rules().Nodes().end(),
      [](const auto& node) { return node->Kind() == NodeKind::kMulti; });
  if (multipliers) m->needed = std::make_unique<NeededModel>(station);
  m->dupes = std::make_unique<DupeSheetModel>(station);
  bus.Broadcast(cm::kLogChanged);
  return m;
}

}  // namespace vk
