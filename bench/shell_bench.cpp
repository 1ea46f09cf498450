// The shell's share of an idle pass: counter, status texts (with the heap statistics), the
// tick to a desktop of windows.  The terminal loop runs it 20 to 100 times a second, so its
// cost times that rate is the shell's part of the idle processor load.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/shell.h"

namespace {

struct NullActions : vk::ShellActions {
  void Quit() override {}
  void ShowErrorBox(std::string_view) override {}
  void ShowInformation(std::string_view) override {}
  void ShowAbout() override {}
  void ShowStatusTexts(const vk::StatusTexts& t) override { benchmark::DoNotOptimize(t); }
};

struct TickCounter : vk::MessageTarget {
  int ticks = 0;
  void HandleMessage(vk::Message& m) override { ticks += m.what == vk::EventClass::kTick; }
};

void BM_IdlePass(benchmark::State& state) {
  vk::CommandBus bus;
  NullActions actions;
  std::int32_t counter = 1000;  // past the start-up action
  vk::Shell shell{bus, actions, [&counter] { return ++counter; }};
  shell.SetLogChecksum([] { return 0x1234u; });
  std::vector<TickCounter> windows(static_cast<std::size_t>(state.range(0)));
  for (auto& w : windows) bus.Attach(&w);
  for (auto _ : state) {
    bus.DeliverPosted();
    shell.IdlePass();
  }
  state.counters["passes/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_IdlePass)->Arg(0)->Arg(12);

void BM_KeyTranslation(benchmark::State& state) {
  vk::KeyCode key = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(vk::TranslateKey(key));
    key = static_cast<vk::KeyCode>(key + 0x0101);
  }
}
BENCHMARK(BM_KeyTranslation);

}  // namespace
