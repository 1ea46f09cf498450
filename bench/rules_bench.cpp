// Scoring one QSO the way the entry window does when Enter is pressed: points, multipliers
// with commit, bonus with commit.  CQ WW DX CW rules from data/cqww.xml on the system's world
// country file; the log is a stream of different calls over six bands, so the multiplier
// lists fill as in a real contest.  Target: well under 10 us per QSO.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "country/country.h"
#include "log/journal.h"
#include "log/log_collection.h"
#include "rules/contest_list.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"

namespace {

struct Qso {
  std::string call;
  std::string rx;
  std::uint8_t band;
};

const vk::CountryLists& Lists() {
  static const vk::CountryLists lists{vk::CountryList::FromFile(VORKAN_SYSTEM_CTY),
                                      vk::CountryList{}};
  return lists;
}

// Calls of many countries on every continent, each prefix with several suffixes.
std::vector<Qso> MakeQsos() {
  static const char* const kPrefixes[] = {"K1", "W6", "VE3", "DL1", "G4", "F5", "I2",  "EA3",
                                          "OH2", "SM5", "UA3", "UA9", "JA1", "BY1", "VK2", "ZL1",
                                          "PY2", "LU1", "ZS6", "CN8", "9A2", "S5", "OK1", "HA5",
                                          "YO3", "LZ1", "SV1", "4X1", "VU2", "HS0"};
  static const char* const kSuffixes[] = {"AA", "BCD", "XYZ", "QRM", "TT", "ABC", "WW"};
  std::vector<Qso> qsos;
  int n = 0;
  for (const char* suffix : kSuffixes) {
    for (const char* prefix : kPrefixes) {
      qsos.push_back({std::string(prefix) + suffix, "599 " + std::to_string(1 + n % 40),
                      static_cast<std::uint8_t>(1 + n % 6)});
      ++n;
    }
  }
  return qsos;
}

void ScoreQsos(benchmark::State& state, const char* ownCall) {
  vk::Journal journal("/dev/null");  // journalling costs a file open, as in the program
  vk::TTreeRules tree(&journal);
  vk::TLogCollection log;
  tree.SetCountryLists(&Lists());
  tree.SetLog(&log);
  tree.SetOwnCall(ownCall);
  vk::ContestList list = vk::ContestList::Build(std::string(VORKAN_SOURCE_DIR) + "/data", &journal);
  if (!vk::LoadContest(tree, list, "CQ-WW-CW").ok() || tree.Nodes().empty()) {
    state.SkipWithError("CQ-WW-CW did not load");
    return;
  }
  const std::vector<Qso> qsos = MakeQsos();
  std::size_t i = 0;
  for (auto _ : state) {
    const Qso& q = qsos[i];
    i = (i + 1) % qsos.size();
    benchmark::DoNotOptimize(tree.GetScore(q.call, q.rx, q.band, vk::Mode::kCw));
    benchmark::DoNotOptimize(tree.GetMulti(q.call, q.rx, q.band, vk::Mode::kCw, true));
    benchmark::DoNotOptimize(tree.GetBonus(q.call, q.rx, q.band, vk::Mode::kCw, true));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}

// A German station: the walk passes the own-country rule and the North American branch to "*".
void BM_RulesScoreQsoCqwwFromEurope(benchmark::State& state) { ScoreQsos(state, "DL1ABC"); }
// A Russian station: the same walk, with many QSOs of the own country decided at its first rule.
void BM_RulesScoreQsoCqwwFromRussia(benchmark::State& state) { ScoreQsos(state, "RA3AUU"); }

BENCHMARK(BM_RulesScoreQsoCqwwFromEurope);
BENCHMARK(BM_RulesScoreQsoCqwwFromRussia);

}  // namespace
