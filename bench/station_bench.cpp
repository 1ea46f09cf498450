// One QSO from the keyboard at contest scale: with 20,000 QSOs in the log, the operator types
// a call and Enter (completion search, repeat check, expected exchange, country line, new-
// multiplier question), then the exchange and Enter (scoring with commit, band totals, append,
// the whole log file rewritten and flushed to disk, the windows told).  The operator must not
// feel it: the target is under 20 ms for the pair.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_station.h"
#include "app/views/operating_models.h"
#include "log/adif.h"
#include "log/journal.h"

namespace {

namespace fs = std::filesystem;

const char* const kPrefixes[] = {"DL", "F", "OK", "SP", "G", "I", "EA", "JA", "K", "VK", "PY"};
const vk::Freq kFreqs[] = {35100, 70200, 140250, 210300, 280500};

// A log of `count` QSOs as a long contest leaves it, saved where the station will find it.
void WriteContestLog(const std::string& path, int count) {
  vk::TLogCollection log;
  for (int i = 0; i < count; ++i) {
    vk::QsoRecord q;
    q.Guid = (i + 1) * 3;
    q.Stamp = {2024, 3, static_cast<std::uint16_t>(1 + i / 1440 % 28),
               static_cast<std::uint16_t>(i / 60 % 24), static_cast<std::uint16_t>(i % 60), 0};
    q.Freq = kFreqs[i % 5];
    q.Mode = vk::Mode::kCw;
    q.Call = std::string(kPrefixes[i % 11]) + std::to_string(i % 9 + 1) + "A" + std::to_string(i);
    q.Sent = "599 " + vk::Serial3(i + 1);
    q.Rcvd = "599 " + std::to_string(i % 999);
    q.Score = static_cast<std::int16_t>(1 + i % 3);
    q.Multi = static_cast<std::int16_t>(i < 300);
    log.Append(q);
  }
  (void)vk::WriteAdifLog(log, path);
}

using Scratch = vk::bench::ScratchStation;

void BM_EnterToLoggedQso(benchmark::State& state) {
  vk::Journal journal("/dev/null");  // journalling costs a file open, as in the program
  Scratch scratch("station_bench");
  WriteContestLog(scratch.Dir() + "/vorkan.adi", static_cast<int>(state.range(0)));
  vk::CommandBus bus;
  vk::Station station(bus, scratch.Dir(), nullptr, &journal);
  if (!station.ReadSettings().ok()) state.SkipWithError("settings");
  vk::ShellState shell;
  station.LoadConfiguredContest(shell);
  auto windows = vk::OpenOperatingModels(station);
  if (!windows || station.Log().Count() != state.range(0)) state.SkipWithError("log not loaded");
  vk::EntryModel& entry = *windows->entry;
  int n = 0;
  for (auto _ : state) {
    entry.Type("UA9" + std::to_string(n++) + "ZZ");
    entry.Key(vk::kb::kEnter);
    entry.Type("123");
    const vk::EntryResult r = entry.Key(vk::kb::kEnter);
    if (!r.status.ok()) state.SkipWithError(r.status.message.c_str());
  }
  state.counters["QSO in log"] = station.Log().Count();
  windows.reset();
}
// A fixed number of QSOs, so the log stays at contest size while it is measured.
BENCHMARK(BM_EnterToLoggedQso)->Arg(20000)->Iterations(200)->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
