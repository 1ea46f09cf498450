// Start-up with a full log: every QSO of a 65,535-QSO file read back and the whole log scored
// again through the CQ WW rule tree, dupes, band totals and multiplier keys included (the work
// the station's load does).  Target: under one second.  And the rescoring alone, as after
// every correction, on a 20,000-QSO log.  Target: under 50 ms.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "country/country.h"
#include "log/adif.h"
#include "log/journal.h"
#include "rules/contest_list.h"
#include "rules/log_scoring.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"
#include "util/bands.h"

namespace {

const char* const kPrefixes[] = {"K1",  "W6",  "VE3", "DL1", "G4",  "F5",  "I2",
                                 "EA3", "OH2", "SM5", "UA3", "UA9", "JA1", "BY1",
                                 "VK2", "ZL1", "PY2", "LU1", "ZS6", "CN8", "9A2",
                                 "S5",  "OK1", "HA5", "YO3", "LZ1", "SV1", "4X1"};
const vk::Freq kFreqs[] = {18400, 35100, 70200, 140250, 210300, 280500};

const vk::CountryLists& Lists() {
  static const vk::CountryLists lists{vk::CountryList::FromFile(VORKAN_SYSTEM_CTY),
                                      vk::CountryList{}};
  return lists;
}

// A log of `count` QSOs scored by the real rules, so that stored multipliers are the ones the
// rules give.
bool BuildCqwwLog(const vk::ContestList& contests, int count, vk::TLogCollection& source) {
  const vk::CountryLists& lists = Lists();
  {
    vk::TTreeRules tree;
    tree.SetCountryLists(&lists);
    tree.SetLog(&source);
    tree.SetOwnCall("DL1ABC");
    if (!vk::LoadContest(tree, contests, "CQ-WW-CW").ok()) return false;
    for (int i = 0; i < count; ++i) {
      vk::QsoRecord q;
      q.Stamp = {2024,
                 11,
                 static_cast<std::uint16_t>(23 + i / 43200),
                 static_cast<std::uint16_t>(i / 1800 % 24),
                 static_cast<std::uint16_t>(i / 30 % 60),
                 0};
      q.Freq = kFreqs[i % 6];
      q.Mode = vk::Mode::kCw;
      q.Call = std::string(kPrefixes[i % 28]) + static_cast<char>('A' + i / 28 % 26) +
               static_cast<char>('A' + i / 728 % 26) + static_cast<char>('A' + i / 18928 % 26);
      q.Sent = "599 14";
      q.Rcvd = "599 " + std::to_string(1 + i % 40);
      vk::BandIndex band = vk::BandOfFreq(q.Freq);
      q.Score = static_cast<std::int16_t>(tree.GetScore(q.Call, q.Rcvd, band, vk::Mode::kCw));
      q.Multi = static_cast<std::int16_t>(tree.GetMulti(q.Call, q.Rcvd, band, vk::Mode::kCw, true));
      q.Guid = i * 2 + 2;
      source.Append(q);
    }
  }
  return true;
}

void BM_LoadLog65535WithCqwwRescoring(benchmark::State& state) {
  vk::Journal journal("/dev/null");  // journalling costs a file open, as in the program
  const vk::CountryLists& lists = Lists();
  vk::ContestList contests = vk::ContestList::Build(std::string(VORKAN_SOURCE_DIR) + "/data");
  vk::TLogCollection source;
  if (!BuildCqwwLog(contests, vk::TLogCollection::kMaxCount, source)) {
    state.SkipWithError("CQ-WW-CW did not load");
    return;
  }
  char tmpl[] = "/tmp/vk_loadXXXXXX";
  std::string dir = ::mkdtemp(tmpl);
  std::string path = dir + "/vorkan.adi";
  (void)vk::WriteAdifLog(source, path);

  for (auto _ : state) {
    vk::TTreeRules tree(&journal);
    tree.SetCountryLists(&lists);
    tree.SetOwnCall("DL1ABC");
    (void)vk::LoadContest(tree, contests, "CQ-WW-CW");
    vk::TLogCollection log;
    tree.SetLog(&log);
    vk::Status st = vk::LoadAdifLog(path, log, &journal);
    if (!st.ok() || log.Count() != vk::TLogCollection::kMaxCount) state.SkipWithError("load");
    vk::BandTotals totals;
    vk::RescoreLog(log, tree, totals);
    benchmark::DoNotOptimize(totals.Claimed());
  }
  std::remove(path.c_str());
  ::rmdir(dir.c_str());
}
BENCHMARK(BM_LoadLog65535WithCqwwRescoring)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RescoreLog20000(benchmark::State& state) {
  vk::Journal journal("/dev/null");  // journalling costs a file open, as in the program
  vk::ContestList contests = vk::ContestList::Build(std::string(VORKAN_SOURCE_DIR) + "/data");
  vk::TLogCollection log;
  vk::TTreeRules tree(&journal);
  tree.SetCountryLists(&Lists());
  tree.SetLog(&log);
  tree.SetOwnCall("DL1ABC");
  if (!BuildCqwwLog(contests, 20000, log) || !vk::LoadContest(tree, contests, "CQ-WW-CW").ok()) {
    state.SkipWithError("CQ-WW-CW did not load");
    return;
  }
  vk::BandTotals totals;
  for (auto _ : state) {
    const vk::RescoreStats r = vk::RescoreLog(log, tree, totals);
    benchmark::DoNotOptimize(r.dupes);
  }
}
BENCHMARK(BM_RescoreLog20000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
