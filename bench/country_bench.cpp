// Country lookup on the installed world file: the index against the plain scan in the same
// run, over the calls of the installed call-sign database, and the cost of loading the file.
#include <benchmark/benchmark.h>

#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "country/country.h"

namespace {

// The machine is shared while building; processor time of this thread is the fair measure.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

const vk::CountryList& World() {
  static const vk::CountryList list = vk::CountryList::FromFile(VORKAN_SYSTEM_CTY);
  return list;
}

// Calls of the installed database, with portable forms mixed in the way a log holds them.
const std::vector<std::string>& Calls() {
  static const std::vector<std::string> calls = [] {
    std::vector<std::string> out;
    std::ifstream in("/usr/share/hamradio-files/MASTER.SCP");
    std::size_t n = 0;
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      if (line.back() == '\r') line.pop_back();
      ++n;
      if (n % 10 == 0) line += "/P";
      if (n % 25 == 0) line = "DL/" + line;
      out.push_back(line);
    }
    if (out.empty()) out = {"UA9QQQ", "K1ABC", "DL1XX/P", "EA/F5XX", "JA1ZZZ"};
    return out;
  }();
  return calls;
}

template <typename Lookup>
double LookupsPerSecond(Lookup lookup, std::size_t count) {
  const auto& calls = Calls();
  vk::CountryInfo info;
  unsigned sum = 0;
  const double start = CpuSeconds();
  for (std::size_t i = 0; i < count; ++i) sum += lookup(World(), calls[i % calls.size()], info);
  const double seconds = CpuSeconds() - start;
  benchmark::DoNotOptimize(sum);
  return static_cast<double>(count) / seconds;
}

// Both lookups timed over the same calls; the scan gets fewer of them, it is that slow.
void BM_CountryIndexVsScan(benchmark::State& state) {
  double index = 0, scan = 0;
  for (auto _ : state) {
    index = LookupsPerSecond(vk::LookupCountry, 5'000'000);
    scan = LookupsPerSecond(vk::ScanCountry, 5'000);
  }
  state.counters["index_lookups_per_s"] = index;
  state.counters["scan_lookups_per_s"] = scan;
  state.counters["index_to_scan"] = index / scan;
}
BENCHMARK(BM_CountryIndexVsScan)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

void BM_CountryIndexLookup(benchmark::State& state) {
  const auto& calls = Calls();
  vk::CountryInfo info;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vk::LookupCountry(World(), calls[i], info));
    if (++i == calls.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CountryIndexLookup)->MeasureProcessCPUTime();

// Calls written with '/' only: each may take several probes (the whole call, the call without
// its marks, the moved call area, the home call or the place it is operated from).
void BM_CountryPortableLookup(benchmark::State& state) {
  static const std::vector<std::string> portable = [] {
    std::vector<std::string> out;
    for (const std::string& call : Calls()) {
      if (call.find('/') != std::string::npos) out.push_back(call);
    }
    for (const char* call : {"UA9ABC/3", "K1ABC/4/P", "EA8/DL1ABC", "DL1ABC/MM", "R2ET/9"})
      out.push_back(call);
    return out;
  }();
  vk::CountryInfo info;
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vk::LookupCountry(World(), portable[i], info));
    if (++i == portable.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CountryPortableLookup)->MeasureProcessCPUTime();

void BM_CountryLoadAndIndex(benchmark::State& state) {
  for (auto _ : state) {
    const vk::CountryList list = vk::CountryList::FromFile(VORKAN_SYSTEM_CTY);
    benchmark::DoNotOptimize(list.Size());
  }
}
BENCHMARK(BM_CountryLoadAndIndex)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
