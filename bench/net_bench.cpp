// The UI thread's share of the log exchange on a contest-sized log: a change from another
// station is applied inside one idle pass, and a request of a whole-log transfer is answered
// at once, even with 20,000 QSOs in the log.
#include <benchmark/benchmark.h>

#include <pugixml.hpp>
#include <string>

#include "app/logbook.h"
#include "bench_station.h"
#include "country/country.h"
#include "log/adif.h"
#include "log/journal.h"
#include "net/net_handler.h"
#include "net/net_message.h"
#include "rules/rules_loader.h"

namespace {

constexpr int kLogSize = 20000;

vk::QsoRecord BenchQso(int i) { return vk::bench::BenchQso(i, (i + 1) * 2); }

const vk::CountryLists& Lists() {
  static const vk::CountryLists lists{vk::CountryList::FromFile(VORKAN_SYSTEM_CTY),
                                      vk::CountryList{}};
  return lists;
}

// One station's UI side with a full log, loaded from its file as the program loads it.
struct Side {
  vk::bench::ScratchStation dir{"net_bench"};
  vk::SystemTimeSource time;
  vk::TTreeRules rules;
  vk::Journal journal{"/dev/null"};  // journalling costs a file open, as in the program
  vk::Logbook book{rules, dir.Dir(), time, &journal};
  vk::NetExchange exchange{&journal};
  vk::NetHandler handler{book, exchange};
  const vk::TLogCollection& log = book.Log();

  Side() {
    rules.SetCountryLists(&Lists());
    pugi::xml_document doc;
    doc.load_string("<c><score>3:20m</score><score>1</score><multi>dxcc:1:everyband</multi></c>");
    vk::ParseRuleElements(rules, doc.child("c"));
    vk::TLogCollection file;
    for (int i = 0; i < kLogSize; ++i) file.Append(BenchQso(i));
    (void)vk::WriteAdifLog(file, (dir.Path() / "vorkan.adi").string());
    (void)book.Load();
  }
  // The end of the idle pass (scoring, saving, telling the windows), left out of the timing
  // where only the handler is measured.
  void Settle(benchmark::State& state) {
    state.PauseTiming();
    book.SettleRemote();
    state.ResumeTiming();
  }
};

void BM_QsoLineBuildAndRead(benchmark::State& state) {
  const vk::QsoRecord q = BenchQso(1234);
  for (auto _ : state) {
    std::string line = vk::BuildQsoLine(q);
    benchmark::DoNotOptimize(vk::ParseQsoLine(line));
  }
}
BENCHMARK(BM_QsoLineBuildAndRead);

// A QSO from another station appended and scored, then its deletion: each a full pass over
// the log (the duplicate check, the Guid search, the totals rebuilt after the deletion).
void BM_ReceiveAddThenDelete20000(benchmark::State& state) {
  Side s;
  const std::string add = vk::AddMessage(BenchQso(kLogSize + 5));
  const std::string del = vk::DelMessage(BenchQso(kLogSize + 5).Guid);
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.handler.HandleMessage(add));
    benchmark::DoNotOptimize(s.handler.HandleMessage(del));
    s.Settle(state);
  }
  state.counters["qsos"] = s.log.Count();
}
BENCHMARK(BM_ReceiveAddThenDelete20000)->Unit(benchmark::kMicrosecond);

// The whole idle pass that takes one QSO from the group: placed, the log scored again, the
// file replaced (with its fsync) and the change published.
void BM_ReceivedQsoPassSettled20000(benchmark::State& state) {
  Side s;
  std::int32_t guid = 1 << 30;
  int i = 0;
  for (auto _ : state) {
    vk::QsoRecord q = BenchQso(kLogSize + i++);
    q.Guid = guid++;
    benchmark::DoNotOptimize(s.handler.HandleMessage(vk::AddMessage(q)));
    s.book.SettleRemote();
  }
  state.counters["qsos"] = s.log.Count();
}
BENCHMARK(BM_ReceivedQsoPassSettled20000)->Unit(benchmark::kMillisecond)->Iterations(20);

// An edit of the newest QSO: found by Guid from the start of the log, checksums redone.
void BM_ReceiveEdit20000(benchmark::State& state) {
  Side s;
  vk::QsoRecord q = BenchQso(kLogSize - 1);
  std::string edits[2];
  q.Call = "UA9QQQ";
  edits[0] = vk::EdtMessage(q);
  q.Call = "UA9QQR";
  edits[1] = vk::EdtMessage(q);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(s.handler.HandleMessage(edits[i++ & 1]));
    s.Settle(state);
  }
}
BENCHMARK(BM_ReceiveEdit20000)->Unit(benchmark::kMicrosecond);

// The sending station's answer to one request of a whole-log transfer.
void BM_AnswerRequest20000(benchmark::State& state) {
  Side s;
  const std::string get = vk::GetMessage(kLogSize);
  for (auto _ : state) {
    s.handler.HandleMessage(get);
    benchmark::DoNotOptimize(s.exchange.TakeOutgoing());
  }
}
BENCHMARK(BM_AnswerRequest20000)->Unit(benchmark::kMicrosecond);

}  // namespace
