// Shared set-up of the station and window-model tests: a scratch working directory with a data
// directory holding the shipped rules files the test asks for, the system's real world country
// file with the shipped Russian list (read once for all tests), a fake clock, a journal of the
// test's own, and a recorder of everything that travels on the station's bus.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/command_bus.h"
#include "app/station.h"
#include "country/country.h"
#include "log/journal.h"
#include "util/fake_clock.h"

namespace vk::test {

inline const CountryLists& SharedCountryLists() {
  static const CountryLists lists{CountryList::FromFile(VORKAN_SYSTEM_CTY),
                                  CountryList::FromFile(VORKAN_SOURCE_DIR "/data/cty_rus.dat")};
  return lists;
}

// A scratch directory of one station of a group: the World contest, own call UA3AAA, and the
// log exchange on the loopback address sending to `sendTo`.  `prefix` keeps the directories of
// different test programs apart, the process id those of tests CTest runs in parallel.
inline std::filesystem::path PrepareGroupStation(const std::string& prefix, const std::string& name,
                                                 std::uint16_t sendTo, int enable) {
  namespace fs = std::filesystem;
  const fs::path dir =
      fs::path(::testing::TempDir()) / (prefix + std::to_string(::getpid()) + "_" + name);
  fs::remove_all(dir);
  fs::create_directories(dir / "data");
  fs::copy_file(VORKAN_SOURCE_DIR "/data/contest.xml", dir / "data" / "contest.xml");
  std::ofstream(dir / "vorkan.cfg", std::ios::binary)
      << "[Main]\r\nContest=WORLD\r\nCall=UA3AAA\r\n\r\n[NETWORK]\r\nIP=127.0.0.1\r\nPORT="
      << sendTo << "\r\nENABLE=" << enable << "\r\n";
  return dir;
}

// Runs `pass` (one pass of the event loops under test; their network threads run on their own)
// every millisecond until `done`, ten seconds at most.  False when the time ran out.
template <class Done, class Pass>
bool PassUntil(Done done, Pass pass) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    pass();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One message as the bus delivered it; a record sent as info is copied.
struct Heard {
  EventClass what;
  CommandId command;
  int number;
  bool hasRecord;
  QsoRecord record;
};

// Sits on the bus as the application does and hears every message first.
class BusRecorder final : public MessageTarget {
 public:
  void HandleMessage(Message& m) override {
    if (m.what == EventClass::kTick) return;
    const QsoRecord* q = m.info.pointer<QsoRecord>();
    heard.push_back({m.what, m.command, m.info.number(), q != nullptr, q ? *q : QsoRecord{}});
  }
  std::vector<CommandId> Commands() const {
    std::vector<CommandId> out;
    for (const Heard& h : heard) out.push_back(h.command);
    return out;
  }
  bool HeardCommand(CommandId c) const {
    for (const Heard& h : heard) {
      if (h.command == c) return true;
    }
    return false;
  }
  std::vector<Heard> heard;
};

class StationFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_stationXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    std::filesystem::create_directory(dir_ / "data");
    journal_ = std::make_unique<Journal>((dir_ / "debug.txt").string());
  }
  void TearDown() override {
    station_.reset();
    std::filesystem::remove_all(dir_);
  }

  // Copies a shipped rules file into the scratch data directory.
  void ShipRules(const std::string& file) {
    std::filesystem::copy_file(std::string(VORKAN_SOURCE_DIR "/data/") + file, dir_ / "data" / file,
                               std::filesystem::copy_options::overwrite_existing);
  }
  // A rules file of the test's own with one contest "TEST".
  void WriteRules(const std::string& body) {
    std::ofstream(dir_ / "data" / "test.xml", std::ios::binary)
        << "<contest_rules title=\"Tests\">\n<contest name=\"TEST\" display=\"Test contest\">\n"
        << body << "\n</contest>\n</contest_rules>\n";
  }
  void WriteConfig(const std::string& mainLines) {
    std::ofstream(dir_ / "vorkan.cfg", std::ios::binary) << "[Main]\r\n" << mainLines;
  }
  std::string LogPath() const { return (dir_ / "vorkan.adi").string(); }

  // A new station on the scratch directory as the program starts one: settings, contest.
  Station& Start() {
    station_.reset();
    bus_ = std::make_unique<CommandBus>();  // a fresh station starts on a fresh bus
    station_ = std::make_unique<Station>(*bus_, dir_.string(), &SharedCountryLists(),
                                         journal_.get(), &time_);
    EXPECT_TRUE(station_->ReadSettings());
    state_ = {};
    station_->LoadConfiguredContest(state_);
    station_->Bus().SetApplication(&recorder_);
    return *station_;
  }

  std::filesystem::path dir_;
  FakeTimeSource time_{DateTime{2024, 3, 5, 9, 7, 30}};
  std::unique_ptr<Journal> journal_;  // debug.txt of the scratch directory
  BusRecorder recorder_;
  ShellState state_;
  std::unique_ptr<CommandBus> bus_;
  std::unique_ptr<Station> station_;
};

}  // namespace vk::test
