// The debug journal: diagnostic lines appended to a text file (debug.txt in the program's
// working directory).  The program never reads it.  Every line is opened, written and closed on
// its own, so it is on disk when the call returns and the operator may delete or move the file
// at any time.  The journal is bounded: at a few megabytes it moves aside to debug.1.txt, and a
// line repeated many times in a row is counted instead of written again.
//
// One journal belongs to the program's composition root and is handed by reference (or by
// pointer, nullptr meaning "no journal") to what writes it.  It is thread-safe: the network,
// radio and keyer threads write it beside the event loop.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

namespace vk {

class Journal {
 public:
  // Empty `path`: debug.txt in the current directory, as it is when the journal is made.
  explicit Journal(std::string path = {});
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // Appends one line (CR LF ended, cut to 255 characters).  A journal that cannot be written
  // is silently skipped: diagnostics must never stop a contest.
  void Append(std::string_view line);

  // Trace lines of the rule evaluation are written for every node of every query; at contest
  // speed that is thousands of file opens a minute, so they go through Trace, which writes only
  // while tracing is switched on (off by default).
  void Trace(std::string_view line);
  void SetTracing(bool on) { tracing_.store(on, std::memory_order_relaxed); }
  bool Tracing() const { return tracing_.load(std::memory_order_relaxed); }

  const std::string& Path() const { return path_; }

 private:
  std::string LinesFor(const std::string& line);

  const std::string path_;
  std::atomic<bool> tracing_{false};
  std::mutex mutex_;  // guards the repeat counting and keeps lines whole in the file
  std::string lastLine_;
  bool haveLast_ = false;
  long repeats_ = 0;  // of lastLine_, beyond the ones written
};

// For the components that may run without a journal (tests, benchmarks, command-line modes).
inline void JournalAppend(Journal* journal, std::string_view line) {
  if (journal != nullptr) journal->Append(line);
}
inline bool JournalTracing(const Journal* journal) {
  return journal != nullptr && journal->Tracing();
}
inline void JournalTrace(Journal* journal, std::string_view line) {
  if (journal != nullptr) journal->Trace(line);
}

}  // namespace vk
