// Scoring nodes on their own: the CQ WW rule set of a European station (points by continent,
// zone and country multipliers on every band) applied to a stream of real calls, each QSO
// asked for points, then for its multipliers with the keys recorded.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "country/country.h"
#include "score/multi_rule.h"
#include "score/score_rule.h"

namespace {

std::vector<std::string> MasterCalls(std::size_t max) {
  std::vector<std::string> calls;
  std::ifstream in("/usr/share/hamradio-files/MASTER.SCP");
  std::string line;
  while (calls.size() < max && std::getline(in, line)) {
    if (!line.empty() && line[0] != '#') calls.push_back(line);
  }
  if (calls.empty()) calls = {"DL1ABC", "K1ABC", "JA1ABC", "UA9AAA", "VK2AA"};
  return calls;
}

struct CqwwNodes {
  std::vector<std::unique_ptr<vk::ScoreRule>> score;
  std::vector<std::unique_ptr<vk::MultiRule>> multi;
  std::unique_ptr<vk::MultiRule> bonus;
  CqwwNodes() {
    score.push_back(vk::ScoreRule::Make("scoreancont", "3"));
    score.push_back(vk::ScoreRule::Make("scoremycont", "1"));
    multi.push_back(vk::MultiRule::Make(5, "zonecq:1:everyband", ""));
    multi.push_back(vk::MultiRule::Make(5, "dxcc:1:everyband", ""));
    bonus = vk::MultiRule::Make(6, "newcall:1:everyband", "");
  }
};

void BM_ScoreMultiBonusPerQso(benchmark::State& state) {
  static const vk::CountryList world = vk::CountryList::FromFile(VORKAN_SYSTEM_CTY);
  static const std::vector<std::string> calls = MasterCalls(20000);
  vk::ScoreContext ctx;
  ctx.SetLists(&world, nullptr);
  ctx.SetOwnCall("DL1ABC");
  auto nodes = std::make_unique<CqwwNodes>();
  std::size_t i = 0;
  const std::string rx = "599 14";
  for (auto _ : state) {
    const std::string& call = calls[i];
    std::uint8_t band = static_cast<std::uint8_t>(1 + i % 6);
    int points = 0;
    for (const auto& r : nodes->score) {
      points = r->Score(call, band, rx, vk::Mode::kCw, ctx);
      if (points != 0) break;
    }
    int total = 0;
    for (auto& m : nodes->multi) {
      total += m->IsNew(call, rx, band, vk::Mode::kCw, ctx);
      if (total != 0) m->Add(call, rx, band, vk::Mode::kCw, ctx);
    }
    int bonus = nodes->bonus->IsNew(call, rx, band, vk::Mode::kCw, ctx);
    if (bonus != 0) nodes->bonus->Add(call, rx, band, vk::Mode::kCw, ctx);
    benchmark::DoNotOptimize(points + total + bonus);
    if (++i == calls.size()) {
      i = 0;
      state.PauseTiming();
      nodes = std::make_unique<CqwwNodes>();  // fresh key lists for the next pass
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_ScoreMultiBonusPerQso);

}  // namespace
