// Standard ADIF out and in at contest sizes: the export of a 5,000-QSO and a full 65,535-QSO
// log, and the reading of that file back into QSOs (the import's checks against the log it
// joins are measured with an empty log and with the same QSOs already in it).
#include <benchmark/benchmark.h>

#include <string>

#include "reports/adif_export.h"
#include "reports/adif_import.h"

namespace {

vk::TLogCollection ContestLog(int count) {
  vk::TLogCollection log;
  for (int i = 0; i < count; ++i) {
    vk::QsoRecord q;
    q.Stamp = {2024,
               3,
               static_cast<std::uint16_t>(1 + i / 1440 % 28),
               static_cast<std::uint16_t>(i / 60 % 24),
               static_cast<std::uint16_t>(i % 60),
               0};
    q.Freq = 140250 + i % 7 * 10;
    q.Mode = vk::Mode::kCw;
    q.Call = "DL" + std::to_string(i % 9 + 1) + "A" + std::to_string(i);
    q.Sent = "599 " + std::to_string(i + 1);
    q.Rcvd = "599 " + std::to_string(i % 999 + 1);
    log.Append(q);
  }
  return log;
}

vk::AdifExportSettings Settings() {
  vk::AdifExportSettings s;
  s.stationCall = "DL1ABC";
  s.contestId = "CQ-WPX-CW";
  return s;
}

void BM_ExportAdif(benchmark::State& state) {
  const vk::TLogCollection log = ContestLog(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = vk::StandardAdifText(log, Settings(), {});
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ExportAdif)->Arg(5000)->Arg(65535)->Unit(benchmark::kMillisecond);

// range(1): 0 an empty log, 1 the same QSOs already logged (every record refused as a repeat).
void BM_ImportAdif(benchmark::State& state) {
  const vk::TLogCollection log = ContestLog(static_cast<int>(state.range(0)));
  const std::string text = vk::StandardAdifText(log, Settings(), {});
  const vk::TLogCollection empty;
  vk::AdifImportRules rules;
  rules.bands.fill(true);
  for (auto _ : state) {
    const vk::AdifImportResult r = vk::ImportAdifText(text, rules, state.range(1) ? log : empty);
    benchmark::DoNotOptimize(r.qsos.data());
  }
}
BENCHMARK(BM_ImportAdif)
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Args({65535, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
