// The cluster at contest scale.  Spot lines as a busy node with skimmers sends them, read and
// kept (a node sends tens a second at peak; the reader must cost nothing beside that).  The
// band map of a band with 150 spots over a log of 20,000 QSOs: built whole (after a QSO, every
// spot is judged again) and after one new spot (the others' judgements kept).  Built on the UI
// thread at most once a tick, so the whole build must stay far below the 10 ms of one pass.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_station.h"
#include "app/views/operating_models.h"
#include "app/views/band_map_model.h"
#include "cluster/spot.h"
#include "cluster/spot_table.h"
#include "log/adif.h"
#include "log/journal.h"

namespace {

namespace fs = std::filesystem;

std::string SpotLine(int i) {
  const char* const prefixes[] = {"DL", "OH", "UA9", "K", "JA", "VK", "PY", "EA8", "G", "SP"};
  return "DX de K1TTT-#:   " + std::to_string(14000 + i % 300) + "." + std::to_string(i % 10) +
         "  " + prefixes[i % 10] + std::to_string(i % 9 + 1) + "AB" + std::to_string(i % 500) +
         "       CW    " + std::to_string(i % 40) + " dB  " + std::to_string(18 + i % 20) +
         " WPM  CQ      1234Z";
}

void BM_SpotLinesReadAndKept(benchmark::State& state) {
  std::vector<std::string> lines;
  for (int i = 0; i < 5000; ++i) lines.push_back(SpotLine(i));
  vk::SpotTable table;
  std::int64_t n = 0;
  for (auto _ : state) {
    vk::Spot s;
    if (vk::ParseSpotLine(lines[static_cast<std::size_t>(n % 5000)], s)) {
      s.seen = n / 100;
      table.Add(std::move(s));
    }
    ++n;
  }
  state.SetItemsProcessed(n);
  state.counters["spots kept"] = static_cast<double>(table.Size());
}
BENCHMARK(BM_SpotLinesReadAndKept);

// A station whose log holds 20,000 QSOs on 20 m.
class Scratch : public vk::bench::ScratchStation {
 public:
  Scratch() : ScratchStation("cluster_bench") {
    vk::TLogCollection log;
    for (int i = 0; i < 20000; ++i) {
      vk::QsoRecord q;
      q.Guid = i + 1;
      q.Stamp = {
          2024, 3, 5, static_cast<std::uint16_t>(i / 60 % 24), static_cast<std::uint16_t>(i % 60),
          0};
      q.Freq = 140250;
      q.Mode = vk::Mode::kCw;
      q.Call = "DL" + std::to_string(i % 9 + 1) + "XX" + std::to_string(i);
      q.Sent = "599 001";
      q.Rcvd = "599 15";
      log.Append(q);
    }
    (void)vk::WriteAdifLog(log, (Path() / "vorkan.adi").string());
  }
};

void BandMap(benchmark::State& state, bool wholeAgain) {
  vk::Journal journal("/dev/null");  // journalling costs a file open, as in the program
  Scratch scratch;
  vk::CommandBus bus;
  vk::Station station(bus, scratch.Dir(), nullptr, &journal);
  if (!station.ReadSettings().ok()) state.SkipWithError("settings");
  vk::ShellState shell;
  station.LoadConfiguredContest(shell);
  auto windows = vk::OpenOperatingModels(station);
  if (!windows) state.SkipWithError("no contest");
  station.SetCurrentFreq(140250);
  std::int64_t now = 0;
  vk::ClusterHub hub([&now] { return now; });
  hub.Spots().SetMaxAge(1000000);  // the minutes that pass below must not age the spots
  for (int i = 0; i < 150; ++i) hub.Take(SpotLine(i));
  vk::BandMapModel map(station, hub);
  map.Refresh();
  int n = 150;
  for (auto _ : state) {
    if (wholeAgain) {
      station.SetCurrentFreq(station.CurrentFreq() == 140250 ? 140251 : 140250);
      now += 60;  // a new minute: every judgement again
    } else {
      hub.Take(SpotLine(n++));
    }
    map.Refresh();
  }
  state.counters["rows"] = static_cast<double>(map.Rows().size());
  windows.reset();
}

void BM_BandMapWholeBuild(benchmark::State& state) {
  BandMap(state, true);
}
void BM_BandMapAfterOneSpot(benchmark::State& state) {
  BandMap(state, false);
}
BENCHMARK(BM_BandMapWholeBuild)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_BandMapAfterOneSpot)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
