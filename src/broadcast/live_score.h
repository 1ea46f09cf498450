// SPDX-License-Identifier: GPL-3.0-or-later
// Posts the claimed score to an online scoreboard over HTTP(S) from a thread of its own, so
// that no QSO ever waits for the network.  The UI thread hands over the newest score document;
// a document not yet posted when a newer one comes is replaced, never queued: the scoreboard
// only wants the latest.  The body is the form field `xml` holding the document, as the
// scoreboards take it.
//
//   [LiveScore]
//   Url=https://scoreboard.example.org/post   ; empty or missing: nothing is posted
//   Every=5                                   ; minutes between posts (1-60)
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace vk {

inline constexpr std::string_view kLiveScoreSection = "LiveScore";

struct LiveScoreSettings {
  std::string url;
  int everyMinutes = 5;
  bool Enabled() const { return !url.empty(); }
};

LiveScoreSettings LoadLiveScoreSettings(const std::string& path);

// The form body: "xml=" and the document, percent-encoded.
std::string LiveScoreBody(const std::string& document);

class LiveScorePoster {
 public:
  explicit LiveScorePoster(std::string url);
  ~LiveScorePoster();  // stops the thread; a post under way is abandoned
  LiveScorePoster(const LiveScorePoster&) = delete;
  LiveScorePoster& operator=(const LiveScorePoster&) = delete;

  void Start();
  void Stop();
  // The newest document, posted as soon as the thread is free.
  void Post(std::string document);

  std::uint64_t Posted() const { return posted_.load(std::memory_order_relaxed); }
  std::uint64_t Failed() const { return failed_.load(std::memory_order_relaxed); }
  // The HTTP status of the last answer, or 0 when the server was not reached.
  long LastStatus() const { return lastStatus_.load(std::memory_order_relaxed); }

 private:
  void Run();
  void Send(const std::string& document);

  const std::string url_;
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> posted_{0}, failed_{0};
  std::atomic<long> lastStatus_{0};
  std::mutex mutex_;  // guards pending_ and wakes the thread
  std::condition_variable wake_;
  std::optional<std::string> pending_;
  std::thread thread_;
};

}  // namespace vk
