// What a keystroke and a logged QSO cost the operating windows' models at 1,000 and 65,535
// QSOs: the check-partial lookup on the installed MASTER.SCP with the log merged in and marked
// (a whole call typed, then the QSO appended, as in a contest), and the log window opened on
// the log with the rows of a 25-line screen formatted.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "aids/scp_database.h"
#include "aids/scp_lookup.h"
#include "app/command_bus.h"
#include "app/views/log_window_model.h"
#include "bench_station.h"

namespace {

const vk::ScpDatabase& Master() {
  static const vk::ScpDatabase db = [] {
    vk::ScpDatabase d;
    (void)d.Load(VORKAN_SYSTEM_SCP);
    return d;
  }();
  return db;
}

vk::TLogCollection Log(int qsos) {
  vk::TLogCollection log;
  for (int i = 0; i < qsos; ++i) log.Append(vk::bench::VariedQso(i));
  return log;
}

// Each iteration types one call of the log (every fragment from two characters on), then logs
// it; a full log takes no more QSOs, so there the typing alone is timed.
void BM_ScpTypedQso(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  vk::TLogCollection log = Log(size - (size == vk::TLogCollection::kMaxCount ? 0 : 200));
  vk::RepeatSettings rep;
  vk::ApplyRepeatValue(rep, "bandmode");
  vk::ScpLookup lookup(Master());
  const vk::ContactPoint at{&rep, 140300, vk::Mode::kCw, {2024, 3, 27, 13, 0, 0}};
  // The index of the log is built once, on the first fragment.
  const auto t0 = std::chrono::steady_clock::now();
  (void)lookup.Find("DL", log, at);
  state.counters["index_build_ms"] =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  int i = 0;
  std::size_t listed = 0;
  for (auto _ : state) {
    vk::QsoRecord q = vk::bench::VariedQso(i * 7919 % (size > 0 ? size : 1));
    for (std::size_t n = 2; n <= q.Call.size(); ++n) {
      listed += lookup.Find(std::string_view(q.Call).substr(0, n), log, at).partials.size();
    }
    q.Stamp = at.when;
    log.Append(q);
    ++i;
  }
  benchmark::DoNotOptimize(listed);
  state.counters["log_qsos"] = log.Count();
}
BENCHMARK(BM_ScpTypedQso)->Arg(1000)->Arg(65535)->Iterations(200)->Unit(benchmark::kMicrosecond);

// The log window opening: the model over the log and the rows a 25-line screen shows.
void BM_LogWindowFill(benchmark::State& state) {
  const vk::TLogCollection log = Log(static_cast<int>(state.range(0)));
  vk::CommandBus bus;
  std::size_t chars = 0;
  for (auto _ : state) {
    vk::LogViewModel model(log, bus);
    for (int r = std::max(0, model.LineCount() - 20); r < model.LineCount(); ++r) {
      chars += model.Line(r).size();
    }
  }
  benchmark::DoNotOptimize(chars);
}
BENCHMARK(BM_LogWindowFill)->Arg(1000)->Arg(65535)->Unit(benchmark::kMicrosecond);

}  // namespace
