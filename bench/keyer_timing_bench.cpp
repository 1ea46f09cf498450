// Exact timing of the serial keyer: a long message at 60 WPM (20 ms dot) keyed on a
// pseudo-terminal while every core is kept busy, each key edge compared with its ideal time
// counted from the rise of PTT.  Prints the worst edge error and the drift (the error of the
// last edges against the first ones).  The message lasts VORKAN_KEYER_BENCH_SECONDS seconds,
// 5 unless set; VORKAN_KEYER_BENCH_SECONDS=60 gives the one-minute figure.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bench_pty.h"
#include "cw/keyer.h"
#include "cw/keyer_sender.h"
#include "cw/morse.h"
#include "cw/posix_key_line.h"

namespace {

struct Edge {
  char line;  // 'D' key, 'R' PTT
  bool on;
  double ms;
};

double MonotonicMs() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The serial line of a pseudo-terminal, with the moment of every change written down.
class RecordingLine final : public vk::KeyLine {
 public:
  vk::Status Open(std::string_view name) override { return line_.Open(name); }
  bool IsOpen() const override { return line_.IsOpen(); }
  vk::Status SetDtr(bool on) override { return Record('D', on, line_.SetDtr(on)); }
  vk::Status SetRts(bool on) override { return Record('R', on, line_.SetRts(on)); }
  void Close() override { line_.Close(); }
  std::vector<std::string> ListPorts() const override { return {}; }
  std::vector<Edge> Edges() {
    std::lock_guard lock(mu_);
    return edges_;
  }

 private:
  vk::Status Record(char line, bool on, vk::Status s) {
    const double t = MonotonicMs();
    std::lock_guard lock(mu_);
    bool& level = line == 'D' ? dtr_ : rts_;
    if (level != on) edges_.push_back({line, on, t});
    level = on;
    return s;
  }
  vk::PosixKeyLine line_;
  std::mutex mu_;
  std::vector<Edge> edges_;
  bool dtr_ = false;
  bool rts_ = false;
};

// The ideal edges of `text` keyed in one transmission: PTT lead, then each element and the
// gap after it, two more dots after a character, four more for a space.
std::vector<Edge> IdealEdges(const std::string& text, int dotMs) {
  std::vector<Edge> out{{'R', true, 0}};
  double t = vk::kPttLeadMs;
  for (char c : text) {
    if (c == ' ') t += vk::kWordSpaceDots * dotMs;
    for (char e : vk::MorseCode(c)) {
      out.push_back({'D', true, t});
      t += (e == '-' ? 3 : 1) * dotMs;
      out.push_back({'D', false, t});
      t += dotMs;
    }
    t += vk::kCharPauseDots * dotMs;
  }
  out.push_back({'R', false, t});
  return out;
}

using vk::bench::Pty;

// Keeps every core busy while it lives.
class Load {
 public:
  Load() {
    const unsigned n = std::max(2u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < n; ++i) {
      threads_.emplace_back([this] {
        volatile std::uint64_t x = 0;
        while (!stop_.load(std::memory_order_relaxed)) x = x + 1;
      });
    }
  }
  ~Load() {
    stop_ = true;
    for (auto& t : threads_) t.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

int MessageSeconds() {
  const char* s = std::getenv("VORKAN_KEYER_BENCH_SECONDS");
  const int v = s ? std::atoi(s) : 0;
  return v > 0 ? v : 5;
}

void BM_KeyerEdgesUnderLoad(benchmark::State& state) {
  Pty pty;
  auto line = std::make_unique<RecordingLine>();
  RecordingLine* rec = line.get();
  vk::KeyerSettings s;
  s.port = pty.slave;
  s.speed = 60;
  vk::Keyer keyer(s, std::move(line));
  if (pty.slave.empty() || pty.slave.size() > vk::kKeyerPortWidth || !keyer.PortOpen()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  const int dot = vk::DotMs(60);
  const std::string word = "PARIS";
  const double wordMs =
      IdealEdges(word + " " + word, dot).back().ms - IdealEdges(word, dot).back().ms;
  const int words = static_cast<int>(std::ceil(MessageSeconds() * 1000.0 / wordMs));
  double worst = 0, drift = 0, lengthMs = 0;
  for (auto _ : state) {
    Load load;
    std::string sent = word;
    keyer.SendText(word, false);
    // Words are added while the keyer sends, so the queue never runs dry and the whole
    // message is one transmission.
    for (int n = 1; n < words; ++n) {
      while (keyer.Text().size() > 60) std::this_thread::sleep_for(std::chrono::milliseconds(20));
      keyer.SendText(word, false);
      sent += " " + word;
    }
    keyer.WaitUntilIdle(std::chrono::seconds(MessageSeconds() + 30));
    const std::vector<Edge> got = rec->Edges();
    const std::vector<Edge> ideal = IdealEdges(sent, dot);
    if (got.size() != ideal.size()) {
      state.SkipWithError("the keyed edges differ from the message");
      return;
    }
    std::vector<double> err;
    for (std::size_t i = 0; i < got.size(); ++i) {
      err.push_back(got[i].ms - got[0].ms - ideal[i].ms);
      worst = std::max(worst, std::abs(err.back()));
    }
    // The mean error of the last tenth of the edges against that of the first tenth.
    const std::size_t tenth = std::max<std::size_t>(1, err.size() / 10);
    double head = 0, tail = 0;
    for (std::size_t i = 0; i < tenth; ++i) {
      head += err[i];
      tail += err[err.size() - 1 - i];
    }
    drift = (tail - head) / static_cast<double>(tenth);
    lengthMs = ideal.back().ms;
  }
  state.counters["worst_edge_error_ms"] = worst;
  state.counters["drift_ms"] = drift;
  state.counters["message_s"] = lengthMs / 1000.0;
}
BENCHMARK(BM_KeyerEdgesUnderLoad)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
