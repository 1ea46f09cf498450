// The link to a cluster node on a thread of its own: connects, logs in with the call (and the
// password when the node asks for one), sends the configured commands, and hands every text
// line it receives to the UI thread.  When the link drops or cannot be made it tries again,
// waiting twice as long each time up to a limit.
//
// The UI thread never waits on the network: it reads the connection state from an atomic flag
// and takes the received lines from a queue whose mutex is held only to move lines in or out.
// Both queues are capped, so a node that floods or a UI that stalls cannot grow memory.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "cluster/cluster_settings.h"
#include "cluster/cluster_socket.h"

namespace vk {

struct ClusterBackoff {
  std::chrono::milliseconds first{1000};
  std::chrono::milliseconds most{60000};
};

inline constexpr std::size_t kMaxQueuedLines = 2000;
inline constexpr std::size_t kMaxQueuedCommands = 50;

class ClusterClient {
 public:
  // `loginCall` is the settings' call, or the station's own when that is empty.
  ClusterClient(ClusterSettings settings, std::string loginCall, ClusterSocketFactory factory,
                ClusterBackoff backoff = {});
  ~ClusterClient();  // stops the thread
  ClusterClient(const ClusterClient&) = delete;
  ClusterClient& operator=(const ClusterClient&) = delete;

  void Start();
  void Stop();

  bool Connected() const { return connected_.load(std::memory_order_acquire); }
  // How many times a link was made; tests wait on it after a drop.
  int Connections() const { return connections_.load(std::memory_order_acquire); }
  // The lines received since the last call, oldest first.
  std::vector<std::string> TakeLines();
  // Queues one command line for the node ("DX 14025.0 DL1ABC", "sh/dx"); sent once logged in.
  // Dropped when the queue is full or the line holds a line end.
  bool Send(std::string line);

 private:
  void Run();
  void Session(ClusterSocket& socket);
  bool AnswerPrompt(std::string_view text, ClusterSocket& socket);
  bool SendQueued(ClusterSocket& socket);
  void Deliver(std::vector<std::string>& lines);
  // Waits `d` or until Stop; false on Stop.
  bool Pause(std::chrono::milliseconds d);

  const ClusterSettings settings_;
  const std::string loginCall_;
  ClusterSocketFactory factory_;
  const ClusterBackoff backoff_;

  std::atomic<bool> connected_{false};
  std::atomic<int> connections_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;  // guards the two queues and wakes Pause
  std::condition_variable wake_;
  std::deque<std::string> received_;
  std::deque<std::string> outgoing_;
  std::thread thread_;

  // Owned by the cluster thread alone.
  enum class Login : std::uint8_t { kWaitCall, kWaitPassword, kReady };
  Login login_ = Login::kWaitCall;
};

}  // namespace vk
