#include "log/journal.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>

namespace vk {
namespace {

std::mutex g_mutex;  // the keyer and network threads journal too
std::string g_path;
std::atomic<bool> g_tracing{false};

std::string CurrentDirFile(const char* name) {
  char buf[4096];
  if (::getcwd(buf, sizeof buf) == nullptr) return name;
  std::string dir = buf;
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir + name;
}

}  // namespace

void SetJournalTracing(bool on) {
  g_tracing.store(on, std::memory_order_relaxed);
}
bool JournalTracing() {
  return g_tracing.load(std::memory_order_relaxed);
}
void JournalTrace(std::string_view line) {
  if (JournalTracing()) JournalAppend(line);
}

void SetJournalPath(std::string path) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_path = std::move(path);
}

std::string JournalPath() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_path.empty() ? CurrentDirFile("debug.txt") : g_path;
}

namespace {

// A flood of datagrams journals a line each; the journal must not fill the disk that the log
// needs.  At this size it moves aside to debug.1.txt (replacing the one before), so the two
// together never hold much more than twice this.
constexpr long kRotateBytes = 4L << 20;
// The same line this many times in a row is written out; further repeats are only counted, and
// the count is written before the next different line (and every kRepeatReport repeats).
constexpr int kRepeatsWritten = 3;
constexpr long kRepeatReport = 10000;

std::string g_lastLine;
std::string g_lastPath;
long g_repeats = 0;  // of g_lastLine, beyond the ones written

std::string RotatedPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return path + ".1";
  return path.substr(0, dot) + ".1" + path.substr(dot);
}

std::string RepeatLine(long n) {
  return "(the line before repeated " + std::to_string(n) + " times more)\r\n";
}

// What to write for `line`; empty when it is only counted.  Called under the lock.
std::string LinesFor(const std::string& path, const std::string& line) {
  std::string out;
  if (path == g_lastPath && line == g_lastLine) {
    ++g_repeats;
    if (g_repeats < kRepeatsWritten) return line + "\r\n";
    if ((g_repeats - kRepeatsWritten + 1) % kRepeatReport != 0) return out;
    out = RepeatLine(g_repeats - kRepeatsWritten + 1);
    g_repeats = kRepeatsWritten - 1;
    return out;
  }
  if (path == g_lastPath && g_repeats >= kRepeatsWritten) {
    out = RepeatLine(g_repeats - kRepeatsWritten + 1);
  }
  g_lastPath = path;
  g_lastLine = line;
  g_repeats = 0;
  return out + line + "\r\n";
}

}  // namespace

void JournalAppend(std::string_view line) {
  std::string path = JournalPath();
  std::lock_guard<std::mutex> lock(g_mutex);
  const std::string text = LinesFor(path, std::string(line.substr(0, 255)));
  if (text.empty()) return;
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (f == nullptr) return;
  if (std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) >= kRotateBytes) {
    std::fclose(f);
    (void)std::rename(path.c_str(), RotatedPath(path).c_str());
    f = std::fopen(path.c_str(), "ab");
    if (f == nullptr) return;
  }
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

}  // namespace vk
