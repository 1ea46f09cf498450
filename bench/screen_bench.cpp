// The screen's own costs on the operator's path: the English catalogue applied to a text on its
// way to the terminal (every redraw of a view with Russian text), the screen layout worked out
// again on a resize, and the hint line of Enter in Call over a contest-sized log.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/qso_hint.h"
#include "app/screen_layout.h"
#include "util/catalog.h"
#include "util/strings.h"

namespace {

void BM_TranslateScreenText(benchmark::State& state) {
  vk::MessageCatalog catalog;
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!catalog.Load((exe.parent_path() / "locale/en/LC_MESSAGES/vorkan.mo").string()).ok()) {
    state.SkipWithError("no catalogue beside the benchmark");
    return;
  }
  const std::string russian = vk::Utf8ToCp866("Новый множитель: zone 14, DL  worked 20");
  const std::string english = "DL : Fed. Rep. of Germany : EU";
  for (auto _ : state) {
    benchmark::DoNotOptimize(catalog.Translate(state.range(0) ? russian : english));
  }
}
BENCHMARK(BM_TranslateScreenText)->Arg(0)->Arg(1);

void BM_LayOutOperatingWindows(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(vk::LayOutOperatingWindows(200, 58, vk::LayoutNeeds{9, 3, true}));
  }
}
BENCHMARK(BM_LayOutOperatingWindows);

void BM_WorkedBands(benchmark::State& state) {
  vk::TLogCollection log;
  for (int i = 0; i < state.range(0); ++i) {
    vk::QsoRecord q;
    q.Guid = i + 1;
    q.Call = "K" + vk::IntToStr(i % 2000) + "AB";
    q.Freq = i % 2 ? 140250 : 70250;
    log.Append(q);
  }
  for (auto _ : state) benchmark::DoNotOptimize(vk::WorkedBands(log, "K1999AB"));
}
BENCHMARK(BM_WorkedBands)->Arg(5000);

}  // namespace
