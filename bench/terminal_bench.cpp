// What the operator waits for, timed on the whole program in a pseudo-terminal of 80x25 with a
// log of 0, 1,000 and 65,535 QSOs: start-up to the operating screen (the entry window's
// greeting), a typed letter to its echo, and Enter to the QSO's line in the log window, with
// the program's processor time per typed QSO.  The typing runs use 65,500 QSOs: a log of
// 65,535 is full and refuses the QSO.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_program.h"
#include "bench_station.h"
#include "log/adif.h"
#include "log/log_collection.h"

#ifdef VORKAN_BINARY

namespace {

using vk::bench::Ms;
using vk::bench::ProgramInPty;

// A station for the World contest as DL1ABC with a log of `qsos` QSOs.
struct LoggedStation {
  explicit LoggedStation(int qsos) : station("term") {
    std::ofstream(station.Path() / "vorkan.cfg", std::ios::binary)
        << "[Main]\r\nContest=WORLD\r\nCall=DL1ABC\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\n"
           "Port=Null\r\n";
    if (qsos == 0) return;
    vk::TLogCollection log;
    for (int i = 0; i < qsos; ++i) log.Append(vk::bench::VariedQso(i));
    (void)vk::WriteAdifLog(log, (station.Path() / "vorkan.adi").string());
  }
  vk::bench::ScratchStation station;
};

constexpr const char* kGreeting = "Good luck in the contest";

// VORKAN_BENCH_BINARY times another build of the program (an older one, for a comparison).
std::string Binary() {
  const char* other = std::getenv("VORKAN_BENCH_BINARY");
  return other != nullptr && *other != '\0' ? other : VORKAN_BINARY;
}

void Summarise(benchmark::State& state, std::vector<double> ms) {
  if (ms.empty()) {
    state.SkipWithError("the program never showed what was waited for");
    return;
  }
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["worst_ms"] = ms.back();
}

// Waits for the operating screen and lets the start-up output settle; a program that never
// shows it fails the benchmark.
bool ReachOperatingScreen(benchmark::State& state, ProgramInPty& p) {
  if (p.WaitFor(kGreeting) == ProgramInPty::Clock::time_point{}) {
    state.SkipWithError("no operating screen");
    return false;
  }
  p.Drain(300);
  return true;
}

// Besides the wall time, the processor time the program used until the screen showed (in
// steps of the kernel's tick): on a busy machine that is the part the program answers for.
void BM_StartupToOperatingScreen(benchmark::State& state) {
  const LoggedStation s(static_cast<int>(state.range(0)));
  std::vector<double> ms;
  std::vector<double> cpu;
  for (auto _ : state) {
    ProgramInPty p(Binary(), s.station.Dir());
    const auto shown = p.WaitFor(kGreeting);
    if (shown == ProgramInPty::Clock::time_point{}) break;
    cpu.push_back(p.CpuMs());
    ms.push_back(Ms(shown - p.Started()));
    state.SetIterationTime(ms.back() / 1000.0);
  }
  Summarise(state, ms);
  if (!cpu.empty()) {
    std::sort(cpu.begin(), cpu.end());
    state.counters["cpu_ms"] = cpu[cpu.size() / 2];
  }
}
BENCHMARK(BM_StartupToOperatingScreen)
    ->Arg(0)->Arg(1000)->Arg(65535)
    ->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

// Letters typed into the call field at a brisk operator's pace, Space clearing it now and then.
void BM_KeyToEcho(benchmark::State& state) {
  const LoggedStation s(static_cast<int>(state.range(0)));
  ProgramInPty p(Binary(), s.station.Dir());
  if (!ReachOperatingScreen(state, p)) return;
  const std::string letters = "QWRTYUKMPZ";
  std::vector<double> ms;
  int n = 0;
  for (auto _ : state) {
    const char c[2] = {letters[static_cast<std::size_t>(n) % letters.size()], '\0'};
    const auto sent = ProgramInPty::Clock::now();
    p.Send(c);
    const auto shown = p.WaitFor(c, 2000);
    if (shown == ProgramInPty::Clock::time_point{}) break;
    ms.push_back(Ms(shown - sent));
    state.SetIterationTime(ms.back() / 1000.0);
    state.PauseTiming();
    p.Drain(30);
    if (++n % 6 == 0) {
      p.Send(" ");  // Space clears the call
      p.Drain(30);
    }
    state.ResumeTiming();
  }
  Summarise(state, ms);
}
BENCHMARK(BM_KeyToEcho)
    ->Arg(0)->Arg(1000)->Arg(65500)
    ->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

// A whole QSO: the call, Enter, the received number, Enter; timed from the second Enter to the
// call in the log window.  The processor time covers the whole QSO.
void BM_EnterToLogLine(benchmark::State& state) {
  const LoggedStation s(static_cast<int>(state.range(0)));
  ProgramInPty p(Binary(), s.station.Dir());
  if (!ReachOperatingScreen(state, p)) return;
  std::vector<double> ms;
  double cpu = 0;
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string call = "R" + std::to_string(n % 10) + "X" + std::string(2, 'Q' + n % 8);
    const double cpu0 = p.CpuMs();
    for (char c : call) {
      p.Send(std::string(1, c));
      p.Drain(15);
    }
    p.Send("\r");
    p.Drain(60);
    p.Send(std::to_string(10 + n % 30));
    p.Drain(30);
    state.ResumeTiming();
    const auto sent = ProgramInPty::Clock::now();
    p.Send("\r");
    const auto shown = p.WaitFor(call, 2000);
    if (shown == ProgramInPty::Clock::time_point{}) break;
    ms.push_back(Ms(shown - sent));
    state.SetIterationTime(ms.back() / 1000.0);
    state.PauseTiming();
    p.Drain(100);
    cpu += p.CpuMs() - cpu0;
    ++n;
    state.ResumeTiming();
  }
  // The first QSO after the load is the one a save of the whole file would slow down.
  if (!ms.empty()) state.counters["first_ms"] = ms.front();
  Summarise(state, ms);
  if (n > 0) state.counters["cpu_ms_per_qso"] = cpu / n;
}
BENCHMARK(BM_EnterToLogLine)
    ->Arg(0)->Arg(1000)->Arg(65500)
    ->Iterations(12)->UseManualTime()->Unit(benchmark::kMillisecond);

// The operating screen left alone for ten seconds: the program's share of the processor and
// its wake-ups per second (the clock steps once a second; no link is set up).
void BM_IdleOperatingScreen(benchmark::State& state) {
  const LoggedStation s(static_cast<int>(state.range(0)));
  ProgramInPty p(Binary(), s.station.Dir());
  if (!ReachOperatingScreen(state, p)) return;
  p.Drain(1000);
  constexpr int kSeconds = 10;
  for (auto _ : state) {
    const double cpu0 = p.CpuMs();
    const long waits0 = p.WaitCount();
    p.Drain(kSeconds * 1000);
    state.counters["cpu_percent"] = (p.CpuMs() - cpu0) / (kSeconds * 10.0);
    state.counters["wakeups_per_s"] = static_cast<double>(p.WaitCount() - waits0) / kSeconds;
  }
}
BENCHMARK(BM_IdleOperatingScreen)->Arg(0)->Arg(65535)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

#endif  // VORKAN_BINARY
