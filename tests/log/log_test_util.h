// Shared pieces of the log tests: a contact built from the usual fields and a scratch
// directory that disappears with the fixture.
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "log/qso.h"

namespace vk::testing {

inline QsoRecord MakeQso(std::int32_t guid, const std::string& call, std::int32_t freq = 140250,
                         Mode mode = Mode::kCw) {
  QsoRecord q;
  q.Guid = guid;
  q.Stamp = {2024, 3, 5, 9, 7, 0};
  q.Freq = freq;
  q.Mode = mode;
  q.Call = call;
  q.Sent = "001";
  q.Rcvd = "599 12";
  return q;
}

// The contact of the log window and ADIF examples: 5 March 09:07, 14.025 MHz CW with N0CALL.
inline QsoRecord ExampleQso() {
  QsoRecord q = MakeQso(12345, "N0CALL");
  q.Score = 2;
  q.Multi = 1;
  return q;
}

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void Spit(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

class ScratchDir {
 public:
  ScratchDir() {
    char tmpl[] = "/tmp/vk_logXXXXXX";
    path_ = ::mkdtemp(tmpl);
  }
  ~ScratchDir() {
    if (DIR* d = ::opendir(path_.c_str())) {
      while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..") std::remove((path_ + "/" + n).c_str());
      }
      ::closedir(d);
    }
    ::rmdir(path_.c_str());
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace vk::testing
