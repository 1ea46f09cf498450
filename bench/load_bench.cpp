// Start-up with a full log: every QSO of a 65,535-QSO file read back, its band totals raised and,
// where it carries a multiplier or bonus, its keys recorded again through the CQ WW rule tree
// (the work the shell's load does).  Target: under one second.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "country/country.h"
#include "log/adif.h"
#include "log/journal.h"
#include "rules/contest_list.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"
#include "util/bands.h"

namespace {

const char* const kPrefixes[] = {"K1", "W6", "VE3", "DL1", "G4", "F5", "I2", "EA3", "OH2", "SM5",
                                 "UA3", "UA9", "JA1", "BY1", "VK2", "ZL1", "PY2", "LU1", "ZS6",
                                 "CN8", "9A2", "S5", "OK1", "HA5", "YO3", "LZ1", "SV1", "4X1"};
const vk::Freq kFreqs[] = {18400, 35100, 70200, 140250, 210300, 280500};

class RulesSink : public vk::AdifLoadSink {
 public:
  explicit RulesSink(vk::TTreeRules& tree) : tree_(tree) {}
  void OnRecordLoaded(const vk::QsoRecord& q) override {
    vk::BandIndex band = vk::BandOfFreq(q.Freq);
    totals.Add(band, static_cast<std::uint16_t>(q.Score), static_cast<std::uint16_t>(q.Multi),
               static_cast<std::uint16_t>(q.Bonus));
    if (q.Multi != 0) tree_.GetMulti(q.Call, q.Rcvd, band, q.Mode, true);
    if (q.Bonus != 0) tree_.GetBonus(q.Call, q.Rcvd, band, q.Mode, true);
  }
  vk::BandTotals totals;

 private:
  vk::TTreeRules& tree_;
};

void BM_LoadLog65535WithCqwwMultipliers(benchmark::State& state) {
  vk::SetJournalPath("/dev/null");
  static const vk::CountryLists lists{vk::CountryList::FromFile(VORKAN_SYSTEM_CTY),
                                      vk::CountryList{}};
  vk::ContestList contests = vk::ContestList::Build(std::string(VORKAN_SOURCE_DIR) + "/data");

  // A log scored by the real rules, so that stored multipliers are the ones the rules give.
  vk::TLogCollection source;
  {
    vk::TTreeRules tree;
    tree.SetCountryLists(&lists);
    tree.SetLog(&source);
    tree.SetOwnCall("DL1ABC");
    if (!vk::LoadContest(tree, contests, "CQ-WW-CW").ok()) {
      state.SkipWithError("CQ-WW-CW did not load");
      return;
    }
    for (int i = 0; i < vk::TLogCollection::kMaxCount; ++i) {
      vk::QsoRecord q;
      q.Stamp = {2024, 11, static_cast<std::uint16_t>(23 + i / 43200),
                 static_cast<std::uint16_t>(i / 1800 % 24), static_cast<std::uint16_t>(i / 30 % 60),
                 0};
      q.Freq = kFreqs[i % 6];
      q.Mode = 1;
      q.Call = std::string(kPrefixes[i % 28]) + static_cast<char>('A' + i / 28 % 26) +
               static_cast<char>('A' + i / 728 % 26) + static_cast<char>('A' + i / 18928 % 26);
      q.Sent = "599 14";
      q.Rcvd = "599 " + std::to_string(1 + i % 40);
      vk::BandIndex band = vk::BandOfFreq(q.Freq);
      q.Score = static_cast<std::int16_t>(tree.GetScore(q.Call, q.Rcvd, band, 1));
      q.Multi = static_cast<std::int16_t>(tree.GetMulti(q.Call, q.Rcvd, band, 1, true));
      q.Guid = i * 2 + 2;
      source.Append(q);
    }
  }
  char tmpl[] = "/tmp/vk_loadXXXXXX";
  std::string dir = ::mkdtemp(tmpl);
  std::string path = dir + "/vorkan.adi";
  (void)vk::WriteAdifLog(source, path);

  for (auto _ : state) {
    vk::TTreeRules tree;
    tree.SetCountryLists(&lists);
    tree.SetOwnCall("DL1ABC");
    (void)vk::LoadContest(tree, contests, "CQ-WW-CW");
    vk::TLogCollection log;
    tree.SetLog(&log);
    RulesSink sink(tree);
    vk::Status st = vk::LoadAdifLog(path, log, sink);
    if (!st.ok() || log.Count() != vk::TLogCollection::kMaxCount) state.SkipWithError("load");
    benchmark::DoNotOptimize(sink.totals.Claimed());
  }
  std::remove(path.c_str());
  ::rmdir(dir.c_str());
  vk::SetJournalPath("");
}
BENCHMARK(BM_LoadLog65535WithCqwwMultipliers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
