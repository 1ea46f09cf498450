#include "log/journal.h"

#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>

namespace vk {
namespace {

// A flood of datagrams journals a line each; the journal must not fill the disk that the log
// needs.  At this size it moves aside to debug.1.txt (replacing the one before), so the two
// together never hold much more than twice this.
constexpr long kRotateBytes = 4L << 20;
// The same line this many times in a row is written out; further repeats are only counted, and
// the count is written before the next different line (and every kRepeatReport repeats).
constexpr int kRepeatsWritten = 3;
constexpr long kRepeatReport = 10000;

std::string CurrentDirFile(const char* name) {
  char buf[4096];
  if (::getcwd(buf, sizeof buf) == nullptr) return name;
  std::string dir = buf;
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir + name;
}

std::string RotatedPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".1";
  return path.substr(0, dot) + ".1" + path.substr(dot);
}

std::string RepeatLine(long n) {
  return "(the line before repeated " + std::to_string(n) + " times more)\r\n";
}

}  // namespace

Journal::Journal(std::string path)
    : path_(path.empty() ? CurrentDirFile("debug.txt") : std::move(path)) {}

void Journal::Trace(std::string_view line) {
  if (Tracing()) Append(line);
}

// What to write for `line`; empty when it is only counted.  Called under the lock.
std::string Journal::LinesFor(const std::string& line) {
  std::string out;
  if (haveLast_ && line == lastLine_) {
    ++repeats_;
    if (repeats_ < kRepeatsWritten) return line + "\r\n";
    if ((repeats_ - kRepeatsWritten + 1) % kRepeatReport != 0) return out;
    out = RepeatLine(repeats_ - kRepeatsWritten + 1);
    repeats_ = kRepeatsWritten - 1;
    return out;
  }
  if (haveLast_ && repeats_ >= kRepeatsWritten) out = RepeatLine(repeats_ - kRepeatsWritten + 1);
  haveLast_ = true;
  lastLine_ = line;
  repeats_ = 0;
  return out + line + "\r\n";
}

void Journal::Append(std::string_view line) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string text = LinesFor(std::string(line.substr(0, 255)));
  if (text.empty()) return;
  std::FILE* f = std::fopen(path_.c_str(), "ab");
  if (f == nullptr) return;
  if (std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) >= kRotateBytes) {
    std::fclose(f);
    (void)std::rename(path_.c_str(), RotatedPath(path_).c_str());
    f = std::fopen(path_.c_str(), "ab");
    if (f == nullptr) return;
  }
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

}  // namespace vk
