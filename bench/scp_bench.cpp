// The check-partial lookup on the installed MASTER.SCP: loading it, and the worst keystroke
// over every fragment of two and three call characters (the partial list and the N+1 list,
// with a 3,000-QSO log merged in and marked).  Also the reading of 100 MB files, one of random
// bytes and one of calls, with the growth of the process's peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "aids/call_history.h"
#include "aids/scp_database.h"
#include "aids/scp_lookup.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long PeakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

const vk::ScpDatabase& Master() {
  static const vk::ScpDatabase db = [] {
    vk::ScpDatabase d;
    (void)d.Load(VORKAN_SYSTEM_SCP);
    return d;
  }();
  return db;
}

void BM_ScpLoad(benchmark::State& state) {
  std::size_t calls = 0;
  for (auto _ : state) {
    vk::ScpDatabase db;
    (void)db.Load(VORKAN_SYSTEM_SCP);
    calls = db.Size();
  }
  state.counters["calls"] = static_cast<double>(calls);
}
BENCHMARK(BM_ScpLoad)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// A contest log of 3,000 QSOs: every 28th call of the database, on 20 m and 40 m CW.
vk::TLogCollection ContestLog(const vk::ScpDatabase& db) {
  vk::TLogCollection log;
  for (std::size_t i = 0; i < 3000 && db.Size() > 0; ++i) {
    vk::QsoRecord q;
    q.Call = std::string(db.CallAt((i * 28) % db.Size()));
    q.Freq = i % 2 == 0 ? 140250 : 70250;
    q.Mode = vk::Mode::kCw;
    q.Stamp = {2024, 3, 5, static_cast<std::uint16_t>(i / 250), static_cast<std::uint16_t>(i % 60),
               0};
    log.Append(q);
  }
  return log;
}

void BM_ScpWorstKeystroke(benchmark::State& state) {
  const vk::ScpDatabase& db = Master();
  const vk::TLogCollection log = ContestLog(db);
  vk::RepeatSettings rep;
  vk::ApplyRepeatValue(rep, "bandmode");
  const vk::ContactPoint at{&rep, 140300, vk::Mode::kCw, {2024, 3, 5, 13, 0, 0}};
  vk::ScpLookup lookup(db);
  std::vector<std::string> fragments;
  for (int a = 0; a < vk::kCallAlphabet; ++a) {
    for (int b = 0; b < vk::kCallAlphabet; ++b) {
      const std::string two{vk::CallCharOfCode(a), vk::CallCharOfCode(b)};
      fragments.push_back(two);
      for (int c = 0; c < vk::kCallAlphabet; ++c) fragments.push_back(two + vk::CallCharOfCode(c));
    }
  }
  (void)lookup.Find("DL", log, at);  // the log's call list is built once
  double worst = 0, sum = 0;
  std::string worstFragment;
  for (auto _ : state) {
    for (const std::string& f : fragments) {
      const double t0 = CpuSeconds();
      const vk::ScpAnswer a = lookup.Find(f, log, at);
      const double t = CpuSeconds() - t0;
      benchmark::DoNotOptimize(a.partialTotal);
      sum += t;
      if (t > worst) {
        worst = t;
        worstFragment = f;
      }
    }
  }
  state.counters["fragments"] = static_cast<double>(fragments.size());
  state.counters["worst_keystroke_us"] = worst * 1e6;
  state.counters["mean_keystroke_us"] = sum * 1e6 / static_cast<double>(fragments.size());
  state.SetLabel("worst fragment " + worstFragment + ", " + std::to_string(db.Size()) + " calls");
}
BENCHMARK(BM_ScpWorstKeystroke)->Iterations(1)->Unit(benchmark::kMillisecond);

// Writes 100 MB to a scratch file: random bytes, or call-shaped lines.
std::string HugeFile(bool calls) {
  const std::string path = std::string("/tmp/vorkan-scp-bench-") + (calls ? "calls" : "random");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  std::mt19937 rng(7);
  std::string chunk(1 << 20, '\0');
  for (int mb = 0; mb < 100 && f != nullptr; ++mb) {
    for (std::size_t i = 0; i < chunk.size(); ++i) {
      if (calls) {
        chunk[i] =
            i % 8 == 7 ? '\n' : static_cast<char>(i % 8 == 2 ? '0' + rng() % 10 : 'A' + rng() % 26);
      } else {
        chunk[i] = static_cast<char>(rng());
      }
    }
    std::fwrite(chunk.data(), 1, chunk.size(), f);
  }
  if (f != nullptr) std::fclose(f);
  return path;
}

void HugeLoad(benchmark::State& state, bool calls) {
  const std::string path = HugeFile(calls);
  const long before = PeakRssKb();
  std::size_t kept = 0, skipped = 0;
  for (auto _ : state) {
    vk::ScpDatabase db;
    (void)db.Load(path);
    vk::CallHistory h;
    (void)h.Load(path);
    kept = db.Size() + h.Size();
    skipped = db.Stats().malformed + h.Stats().malformed;
  }
  state.counters["kept"] = static_cast<double>(kept);
  state.counters["skipped"] = static_cast<double>(skipped);
  state.counters["peak_rss_growth_mb"] = static_cast<double>(PeakRssKb() - before) / 1024.0;
  std::remove(path.c_str());
}
void BM_ScpAndHistory100MbRandom(benchmark::State& state) {
  HugeLoad(state, false);
}
void BM_ScpAndHistory100MbCalls(benchmark::State& state) {
  HugeLoad(state, true);
}
BENCHMARK(BM_ScpAndHistory100MbRandom)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScpAndHistory100MbCalls)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
