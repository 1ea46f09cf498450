// The model of the "[Recv Log]" window: a whole-log transfer into this station.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <utility>

#include "app/network_session.h"
#include "app/views/view_model.h"

namespace vk {

// The log receive window without a terminal.  It keeps a window of requests in flight (a
// request unanswered for half a second is asked again) and shows the number of the first QSO
// not yet received.  "ENDLOG:" tells it the other log has no more; once every QSO below has
// come, and the one after the last has been asked for a few times more (its answer may have
// been lost rather than not exist), the transfer is done: the log is saved and the program goes
// on.  Attached to the bus while it lives; its end stops the transfer.
class LogReceiver final : public ViewModel {
 public:
  LogReceiver(NetworkSession& session, CommandBus& bus);
  ~LogReceiver() override;

  // 0 until the first message reaches it.  Wider than a log position: a full log of 65535
  // QSOs needs request 65536 to hear its end.
  std::int32_t Counter() const { return counter_; }
  bool Done() const { return done_; }
  void HandleMessage(Message& m) override;

  static constexpr int kWindow = 64;
  static constexpr int kEndProbes = 3;

 private:
  void Request();
  void Answered(int n);

  NetworkSession& session_;
  std::int32_t counter_ = 0;  // first QSO number not answered
  std::int32_t next_ = 1;     // next number never asked for
  std::int32_t highest_ = 0;  // highest number answered
  std::map<std::int32_t, std::chrono::steady_clock::time_point> asked_;  // in flight
  std::map<std::int32_t, int> probes_;  // asks beyond the highest answered, after ENDLOG
  bool endSeen_ = false;
  bool done_ = false;
};

}  // namespace vk
