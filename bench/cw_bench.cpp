// The keyer's own costs against the Morse timing: the shortest wait is the 20 ms dot at step
// 30, so the work between two line changes and the line change itself must be far below that,
// and a real sleeper must keep a message close to its nominal length.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <memory>

#include "bench_pty.h"
#include "cw/fake_key_line.h"
#include "cw/keyer.h"
#include "cw/posix_key_line.h"

namespace {

using vk::bench::Pty;

// CPU time the keyer thread spends per character, with every wait taken by a fake clock:
// queueing, waking the thread, the notes and the line calls.
void BM_KeyerWorkPerCharacter(benchmark::State& state) {
  vk::FakeKeyerClock clock;
  vk::KeyerSettings s;
  s.port = "FAKE1";
  vk::Keyer keyer(s, std::make_unique<vk::FakeKeyLine>(clock), &clock);
  const std::string text = "CQ TEST UA1ABC UA1ABC TEST";
  for (auto _ : state) {
    keyer.SendText(text, false);
    keyer.WaitUntilIdle(std::chrono::seconds(10));
    benchmark::DoNotOptimize(keyer.TakeNotes());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_KeyerWorkPerCharacter)->UseRealTime();

// One DTR change through termios ioctls (a pty may refuse the modem lines; the call still
// goes through the kernel).
void BM_KeyLineChange(benchmark::State& state) {
  Pty pty;
  vk::PosixKeyLine line;
  if (pty.slave.empty() || !line.Open(pty.slave).ok()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  bool on = false;
  for (auto _ : state) benchmark::DoNotOptimize(line.SetDtr(on = !on));
}
BENCHMARK(BM_KeyLineChange);

// PARIS at step 30 on the system sleeper: nominal 30 ms lead + 46 dots of 20 ms = 950 ms.
// Reports how much longer the real message took.
void BM_ParisOverrunAtStep30(benchmark::State& state) {
  Pty pty;
  vk::KeyerSettings s;
  s.port = pty.slave;
  s.speed = 30;
  vk::Keyer keyer(s, std::make_unique<vk::PosixKeyLine>());
  if (pty.slave.empty() || pty.slave.size() > vk::kKeyerPortWidth || !keyer.PortOpen()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  double overrunMs = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    keyer.SendText("PARIS", false);
    keyer.WaitUntilIdle(std::chrono::seconds(10));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - t0;
    overrunMs = std::max(overrunMs, took.count() - 950.0);
  }
  state.counters["max_overrun_ms"] = overrunMs;
}
BENCHMARK(BM_ParisOverrunAtStep30)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
