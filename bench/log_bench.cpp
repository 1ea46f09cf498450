// The log file on contest-sized logs: a save after every QSO must not be felt at the keyboard,
// and the start-up load of a full log must be quick.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "log/adif.h"
#include "log/journal.h"
#include "util/band_totals.h"
#include "util/bands.h"

namespace {

const vk::Freq kFreqs[] = {18400, 35100, 70200, 140250, 210300, 280500, 101000, 1440000};

vk::TLogCollection ContestLog(int count) {
  vk::TLogCollection log;
  for (int i = 0; i < count; ++i) {
    vk::QsoRecord q;
    q.Guid = (i + 1) * 2;
    q.Stamp = {2024, 3, static_cast<std::uint16_t>(1 + i / 1440 % 28),
               static_cast<std::uint16_t>(i / 60 % 24), static_cast<std::uint16_t>(i % 60), 0};
    q.Freq = kFreqs[i % 8] + i % 50;
    q.Mode = i % 2 == 0 ? vk::Mode::kCw : vk::Mode::kPhone;
    q.Call = "UA" + std::to_string(i % 10) + "ABC" + std::to_string(i % 97);
    q.Sent = std::to_string(i + 1);
    q.Rcvd = "599 " + std::to_string(i % 40);
    q.Score = static_cast<std::int16_t>(1 + i % 3);
    q.Multi = static_cast<std::int16_t>(i % 7 == 0);
    log.Append(q);
  }
  return log;
}

std::string ScratchFile(const char* name) {
  char tmpl[] = "/tmp/vk_benchXXXXXX";
  return std::string(::mkdtemp(tmpl)) + "/" + name;
}

void RemoveScratch(const std::string& file) {
  std::remove(file.c_str());
  ::rmdir(file.substr(0, file.rfind('/')).c_str());
}

// What the shell wires in at start-up: every loaded QSO raises the band totals.
class BandTotalsSink : public vk::AdifLoadSink {
 public:
  void OnRecordLoaded(const vk::QsoRecord& q) override {
    totals.Add(vk::BandOfFreq(q.Freq), static_cast<std::uint16_t>(q.Score),
               static_cast<std::uint16_t>(q.Multi), static_cast<std::uint16_t>(q.Bonus));
  }
  vk::BandTotals totals;
};

// The save after each QSO logged at the keyboard: whole file built, written, flushed, renamed.
void BM_WriteLog20000(benchmark::State& state) {
  vk::TLogCollection log = ContestLog(20000);
  std::string path = ScratchFile("vorkan.adi");
  for (auto _ : state) {
    vk::Status st = vk::WriteAdifLog(log, path);
    if (!st.ok()) state.SkipWithError(st.message.c_str());
  }
  state.counters["QSO"] = log.Count();
  RemoveScratch(path);
}
BENCHMARK(BM_WriteLog20000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLog65535(benchmark::State& state) {
  std::string path = ScratchFile("vorkan.adi");
  (void)vk::WriteAdifLog(ContestLog(vk::TLogCollection::kMaxCount), path);
  for (auto _ : state) {
    vk::TLogCollection log;
    BandTotalsSink sink;
    vk::Status st = vk::LoadAdifLog(path, log, sink);
    if (!st.ok() || log.Count() != vk::TLogCollection::kMaxCount) state.SkipWithError("load");
    benchmark::DoNotOptimize(sink.totals.Claimed());
  }
  RemoveScratch(path);
}
BENCHMARK(BM_LoadLog65535)->Unit(benchmark::kMillisecond)->UseRealTime();

// A damaged 100 MB file must be read through in linear time.
void BM_LoadGarbage100MB(benchmark::State& state) {
  std::string text;
  text.reserve(100u << 20);
  std::uint32_t x = 11;
  while (text.size() < (100u << 20)) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    text += static_cast<char>((x & 3) == 0 ? "<>\n:"[(x >> 8) & 3] : x >> 8);
    if ((x & 0xFFFF0) == 0x10) text += "<EOR>";
  }
  vk::Journal journal("/dev/null");  // journalling costs a file open, as in the program
  for (auto _ : state) {
    vk::TLogCollection log;
    BandTotalsSink sink;
    vk::LoadAdifText(text, log, sink, nullptr, &journal);
    benchmark::DoNotOptimize(log.Count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LoadGarbage100MB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

// Logging 20,000 QSOs one by one, each append summing the record and extending the log
// checksum; the time per QSO is the figure divided by 20,000.
void BM_Append20000(benchmark::State& state) {
  vk::TLogCollection source = ContestLog(20000);
  for (auto _ : state) {
    vk::TLogCollection log;
    for (const vk::QsoRecord& q : source) log.Append(q);
    benchmark::DoNotOptimize(log.LogCrc());
  }
}
BENCHMARK(BM_Append20000)->Unit(benchmark::kMillisecond);

}  // namespace
