// The cluster as the UI thread sees it: the client's thread behind it, the spot table and the
// console's lines in front.  Poll() on each idle pass moves what the thread received into the
// console and the spot table and never waits.  Without a node configured, or for an
// unassisted entry, there is no thread and no spot ever arrives.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "cluster/cluster_client.h"
#include "cluster/cluster_settings.h"
#include "cluster/spot_table.h"

namespace vk {

inline constexpr std::size_t kConsoleLines = 500;

class ClusterHub {
 public:
  // Seconds of a monotonic clock; the spots' `seen` and their ages count in it.
  using NowFn = std::function<std::int64_t()>;
  explicit ClusterHub(NowFn now = {});
  ~ClusterHub();

  // Stops any running client, then starts one for `settings` when they enable the cluster.
  void Configure(const ClusterSettings& settings, const std::string& ownCall,
                 ClusterSocketFactory factory, ClusterBackoff backoff = {});
  void Stop();
  const ClusterSettings& Settings() const { return settings_; }

  bool Running() const { return client_ != nullptr; }
  bool Connected() const { return client_ != nullptr && client_->Connected(); }
  // Takes the received lines: each into the console, spot lines into the table, and drops
  // spots past their age.  True when the console or the table changed (or the link state).
  bool Poll();
  // Handles one line as if the node had sent it (the tests, and Poll itself).
  bool Take(const std::string& line);

  // A command typed in the console: shown there and queued for the node.  False when there is
  // no link or the queue is full.
  bool SendCommand(const std::string& line);
  // "DX 14025.0 DL1ABC comment": a QSO spotted to the cluster.
  bool SpotQso(Freq freq, const std::string& call, const std::string& comment = {});

  const SpotTable& Spots() const { return spots_; }
  SpotTable& Spots() { return spots_; }
  const std::deque<std::string>& Console() const { return console_; }
  std::int64_t Now() const { return now_(); }
  // Grows with every change, so views redraw only when it moved.
  std::uint64_t Version() const { return version_; }

 private:
  void AddConsoleLine(std::string line);

  NowFn now_;
  ClusterSettings settings_;
  std::unique_ptr<ClusterClient> client_;
  SpotTable spots_;
  std::deque<std::string> console_;
  std::uint64_t version_ = 0;
  bool wasConnected_ = false;
  std::int64_t lastPrune_ = 0;
};

// "DX 14025.0 DL1ABC": the command that spots a station, frequency in kHz with one decimal.
std::string SpotCommand(Freq freq, const std::string& call, const std::string& comment = {});

}  // namespace vk
