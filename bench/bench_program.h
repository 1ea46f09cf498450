// The whole program in a pseudo-terminal of 80x25, for the benchmarks of what the operator
// waits for: start-up to the operating screen, a key to its echo, Enter to the QSO's line.  The
// benchmark plays the terminal: it reads everything the program writes (the text, with the
// control sequences left out, is searched) and answers the status and terminal-type requests as
// tmux does.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace vk::bench {

class ProgramInPty {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts `binary` in `dir` (a station directory) with an English screen.
  ProgramInPty(const std::string& binary, const std::string& dir) {
    winsize ws{};
    ws.ws_row = 25;
    ws.ws_col = 80;
    started_ = Clock::now();
    pid_ = ::forkpty(&master_, nullptr, nullptr, &ws);
    if (pid_ == 0) {
      if (::chdir(dir.c_str()) != 0) ::_exit(127);
      ::setenv("TERM", "tmux-256color", 1);
      ::setenv("LANG", "C.UTF-8", 1);
      ::setenv("LC_ALL", "C.UTF-8", 1);
      ::setenv("LANGUAGE", "en", 1);
      ::unsetenv("TMUX");
      const int err = ::open("err.log", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err >= 0) ::dup2(err, 2);
      ::execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
  }
  ~ProgramInPty() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) ::close(master_);
  }
  ProgramInPty(const ProgramInPty&) = delete;
  ProgramInPty& operator=(const ProgramInPty&) = delete;

  bool Running() const { return pid_ > 0 && master_ >= 0; }
  Clock::time_point Started() const { return started_; }

  void Send(std::string_view keys) {
    mark_ = text_.size();
    if (::write(master_, keys.data(), keys.size()) < 0) std::perror("write to the program");
  }
  // The time the text first showed after the last Send (anywhere since the start when nothing
  // was sent), or Clock::time_point{} when it did not within `timeoutMs`.
  Clock::time_point WaitFor(std::string_view text, int timeoutMs = 10000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (text_.find(text, mark_) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
      if (left.count() <= 0 || !ReadSome(static_cast<int>(left.count()) + 1)) return {};
    }
    return Clock::now();
  }
  // Reads whatever comes for `ms` milliseconds.
  void Drain(int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now);
      ReadSome(static_cast<int>(left.count()) + 1);
    }
  }
  // Times the program has given up the processor to wait (voluntary context switches): one per
  // wake-up of an idle loop.
  long WaitCount() const {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid_));
    std::FILE* f = std::fopen(path, "r");
    if (f == nullptr) return 0;
    char line[256];
    long n = 0;
    while (std::fgets(line, sizeof line, f) != nullptr) {
      if (std::sscanf(line, "voluntary_ctxt_switches: %ld", &n) == 1) break;
    }
    std::fclose(f);
    return n;
  }
  // Processor time the program has used so far, in milliseconds.
  double CpuMs() const {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid_));
    std::FILE* f = std::fopen(path, "r");
    if (f == nullptr) return 0;
    char buf[1024];
    const std::size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    buf[n] = '\0';
    const char* p = std::strrchr(buf, ')');
    unsigned long utime = 0, stime = 0;
    if (p == nullptr ||
        std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime,
                    &stime) != 2) {
      return 0;
    }
    const auto ticks = static_cast<double>(::sysconf(_SC_CLK_TCK));
    return static_cast<double>(utime + stime) * 1000.0 / ticks;
  }

 private:
  bool ReadSome(int timeoutMs) {
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0) return true;
    char buf[65536];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n <= 0) return false;
    Take(std::string_view(buf, static_cast<std::size_t>(n)));
    return true;
  }
  // Keeps the text, leaves out the control sequences, and answers the terminal-type request.
  void Take(std::string_view bytes) {
    for (char c : bytes) {
      switch (state_) {
        case State::kText:
          if (c == '\x1b') {
            state_ = State::kEscape;
            seq_.clear();
          } else if (static_cast<unsigned char>(c) >= 0x20) {
            text_ += c;
          }
          break;
        case State::kEscape:
          state_ = c == '[' ? State::kCsi : c == ']' ? State::kOsc : State::kText;
          break;
        case State::kCsi:
          seq_ += c;
          if (c >= 0x40 && c <= 0x7E) {
            // The status and terminal-type requests, answered as tmux answers them.
            if (seq_ == "5n") (void)!::write(master_, "\x1b[0n", 4);
            if (seq_ == ">c") (void)!::write(master_, "\x1b[>84;0;0c", 10);
            state_ = State::kText;
          }
          break;
        case State::kOsc:
          if (c == '\x07' || c == '\\') state_ = State::kText;
          break;
      }
    }
  }

  enum class State { kText, kEscape, kCsi, kOsc };
  pid_t pid_ = -1;
  int master_ = -1;
  Clock::time_point started_;
  std::string text_;
  std::size_t mark_ = 0;
  State state_ = State::kText;
  std::string seq_;
};

inline double Ms(ProgramInPty::Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace vk::bench
