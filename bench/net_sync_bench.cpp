// A station that joins with an empty log catches up on a 10,000-QSO log by the repair of the
// group, over the system's UDP sockets on the loopback: both network threads, both UI sides
// (digests, inventories, requests, records, every QSO scored and written to vorkan.adi before
// it is shown).  The time is the wall-clock time until both logs are equal.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "bench_station.h"
#include "app/network_session.h"
#include "app/shell.h"
#include "country/country.h"
#include "log/adif.h"
#include "log/journal.h"

namespace {

namespace fs = std::filesystem;
constexpr int kQsos = 10000;

const vk::CountryLists& Lists() {
  static const vk::CountryLists lists{vk::CountryList::FromFile(VORKAN_SYSTEM_CTY),
                                      vk::CountryList{}};
  return lists;
}

fs::path Prepare(const std::string& name, int sendTo, int station) {
  const fs::path dir =
      fs::temp_directory_path() / ("vk_syncbench_" + std::to_string(::getpid()) + "_" + name);
  fs::remove_all(dir);
  fs::create_directories(dir / "data");
  fs::copy_file(VORKAN_SOURCE_DIR "/data/contest.xml", dir / "data" / "contest.xml");
  std::ofstream(dir / "vorkan.cfg", std::ios::binary)
      << "[Main]\r\nContest=WORLD\r\nCall=UA3AAA\r\n\r\n[NETWORK]\r\nIP=127.0.0.1\r\nPORT="
      << sendTo << "\r\nENABLE=1\r\nSTATION=" << station << "\r\n";
  return dir;
}

struct BenchStation {
  BenchStation(const std::string& name, int sendTo, int listenOn, int number)
      : dir(Prepare(name, sendTo, number)), station(bus, dir.string(), &Lists(), &journal) {
    (void)station.ReadSettings();
    station.LoadConfiguredContest(state);
    session = std::make_unique<vk::NetworkSession>(
        station, vk::NetworkOptions{vk::MakePosixUdpSocket, static_cast<std::uint16_t>(listenOn)});
  }
  ~BenchStation() {
    session.reset();
    fs::remove_all(dir);
  }
  fs::path dir;
  vk::Journal journal{"/dev/null"};  // journalling costs a file open, as in the program
  vk::CommandBus bus;
  vk::Station station;
  vk::ShellState state;
  std::unique_ptr<vk::NetworkSession> session;
};

vk::QsoRecord Qso(int i) { return vk::bench::BenchQso(i, (1 << 24) | (i + 1)); }

void BM_LateJoinerCatchesUp10000(benchmark::State& state) {
  const int base = 41000 + static_cast<int>(::getpid() % 1000) * 2;
  for (auto _ : state) {
    BenchStation a("a", base + 1, base, 1);
    BenchStation b("b", base, base + 1, 2);
    vk::TLogCollection file;
    for (int i = 0; i < kQsos; ++i) file.Append(Qso(i));
    (void)vk::WriteAdifLog(file, (a.dir / "vorkan.adi").string());
    (void)a.station.LoadLog();
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end &&
           (b.station.Log().Count() != kQsos ||
            b.station.Log().LogCrc() != a.station.Log().LogCrc())) {
      // One idle pass each, as the application's loop (at most every 10 ms) gives them.
      a.session->HandleIncoming();
      b.session->HandleIncoming();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(s);
    state.counters["qsos"] = b.station.Log().Count();
    state.counters["seconds"] = s;
    state.counters["qsos_per_s"] = s > 0 ? b.station.Log().Count() / s : 0;
  }
}
BENCHMARK(BM_LateJoinerCatchesUp10000)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// Two stations with the same 10,000 QSOs, of which one holds 1,000 edited (a newer edit
// version, another exchange): the repair finds them by digests and brings the other station's
// copies up to date, until both logs are equal.
void BM_RepairOf1000EditedQsos(benchmark::State& state) {
  constexpr int kEdited = 1000;
  const int base = 43000 + static_cast<int>(::getpid() % 1000) * 2;
  for (auto _ : state) {
    BenchStation a("ea", base + 1, base, 1);
    BenchStation b("eb", base, base + 1, 2);
    vk::TLogCollection same;
    vk::TLogCollection edited;
    for (int i = 0; i < kQsos; ++i) {
      vk::QsoRecord q = Qso(i);
      same.Append(q);
      if (i % (kQsos / kEdited) == 0) {
        q.Rcvd = "599 99";
        q.Mark = vk::NextEditVersion(q.Mark, 1);
      }
      edited.Append(q);
    }
    (void)vk::WriteAdifLog(edited, (a.dir / "vorkan.adi").string());
    (void)vk::WriteAdifLog(same, (b.dir / "vorkan.adi").string());
    (void)a.station.LoadLog();
    (void)b.station.LoadLog();
    const auto start = std::chrono::steady_clock::now();
    const auto end = start + std::chrono::seconds(60);
    while (std::chrono::steady_clock::now() < end &&
           b.station.Log().LogCrc() != a.station.Log().LogCrc()) {
      a.session->HandleIncoming();
      b.session->HandleIncoming();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(s);
    state.counters["equal"] = b.station.Log().LogCrc() == a.station.Log().LogCrc() ? 1 : 0;
    state.counters["seconds"] = s;
    state.counters["qsos_per_s"] = s > 0 ? kEdited / s : 0;
  }
}
BENCHMARK(BM_RepairOf1000EditedQsos)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
