// What several benchmarks set up the same way: a scratch station directory (the World
// contest, the system's country file, a vorkan.cfg for UA3AAA, removed with the object) and
// a QSO of a long 20 m CW log.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "log/qso.h"

namespace vk::bench {

class ScratchStation {
 public:
  explicit ScratchStation(const std::string& name) {
    std::string tmpl = "/tmp/vk_" + name + "XXXXXX";
    dir_ = ::mkdtemp(tmpl.data());
    std::filesystem::create_directory(dir_ / "data");
    std::filesystem::copy_file(VORKAN_SOURCE_DIR "/data/contest.xml",
                               dir_ / "data" / "contest.xml");
    std::filesystem::create_symlink(VORKAN_SYSTEM_CTY, dir_ / "data" / "cty_wt.dat");
    std::ofstream(dir_ / "vorkan.cfg", std::ios::binary)
        << "[Main]\r\nContest=WORLD\r\nCall=UA3AAA\r\n";
  }
  ~ScratchStation() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  ScratchStation(const ScratchStation&) = delete;
  ScratchStation& operator=(const ScratchStation&) = delete;
  std::string Dir() const { return dir_.string(); }
  std::filesystem::path Path() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

// QSO number `i` (from 0) of a log of one QSO a minute on 20 m CW, with the Guid given.
inline QsoRecord BenchQso(int i, std::int32_t guid) {
  QsoRecord q;
  q.Guid = guid;
  q.Stamp = {2024,
             3,
             static_cast<std::uint16_t>(1 + i / 1440 % 28),
             static_cast<std::uint16_t>(i / 60 % 24),
             static_cast<std::uint16_t>(i % 60),
             0};
  q.Freq = 140250 + i % 50;
  q.Mode = vk::Mode::kCw;
  q.Call = "UA" + std::to_string(i % 10) + "ABC" + std::to_string(i % 97);
  q.Sent = std::to_string(i + 1);
  q.Rcvd = "599 " + std::to_string(i % 40);
  q.Score = static_cast<std::int16_t>(1 + i % 3);
  return q;
}

// QSO `i` of a big contest log: calls of many countries (about 40,000 different ones in 65,535
// QSOs), four QSOs a minute, alternately on 40 and 20 m CW.
inline QsoRecord VariedQso(int i) {
  static constexpr const char* kPrefixes[] = {"DL", "OK", "SP", "UA", "UR", "LY", "ES", "OH",
                                               "SM", "PA", "F",  "EA", "I",  "HA", "YO", "G",
                                               "K",  "W",  "N",  "VE", "JA", "UN", "4X", "LU"};
  std::uint32_t h = static_cast<std::uint32_t>(i) * 2654435761u;
  QsoRecord q;
  q.Call = kPrefixes[h % 24];
  q.Call += static_cast<char>('0' + (h >> 5) % 10);
  for (int k = 0; k < 2 + static_cast<int>((h >> 9) % 2); ++k) {
    q.Call += static_cast<char>('A' + (h >> (11 + 5 * k)) % 26);
  }
  const int minute = i / 4;
  q.Stamp = {2024, 3, static_cast<std::uint16_t>(1 + minute / 1440 % 28),
             static_cast<std::uint16_t>(minute / 60 % 24), static_cast<std::uint16_t>(minute % 60),
             0};
  q.Freq = i % 2 == 0 ? 70250 : 140250;
  q.Mode = vk::Mode::kCw;
  q.Sent = "599 " + std::to_string(i % 1000);
  q.Rcvd = "599 " + std::to_string(i % 40);
  q.Score = 1;
  q.Guid = 0x01000000 + i + 1;
  return q;
}

}  // namespace vk::bench
