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

void SetJournalTracing(bool on) { g_tracing.store(on, std::memory_order_relaxed); }
bool JournalTracing() { return g_tracing.load(std::memory_order_relaxed); }
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

void JournalAppend(std::string_view line) {
  std::string path = JournalPath();
  std::lock_guard<std::mutex> lock(g_mutex);
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (f == nullptr) return;
  std::string text(line.substr(0, 255));
  text += "\r\n";
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

}  // namespace vk
