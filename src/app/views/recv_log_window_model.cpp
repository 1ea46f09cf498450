#include "app/views/recv_log_window_model.h"

#include <algorithm>

namespace vk {

LogReceiver::LogReceiver(NetworkSession& session, CommandBus& bus)
    : ViewModel(bus), session_(session) {}

LogReceiver::~LogReceiver() {
  if (!done_) session_.EndReceivingLog();
}

void LogReceiver::HandleMessage(Message& m) {
  if (counter_ == 0) {
    counter_ = 1;
    Note(changed::kTexts);
  }
  if (done_) return;
  if (m.what == EventClass::kTick) {
    Request();
    return;
  }
  if (m.what == EventClass::kBroadcast && m.command == cm::kWholeLogQso) {
    Answered(m.info.number());
    m.handled = true;
  }
}

void LogReceiver::Request() {
  using namespace std::chrono;
  const auto now = steady_clock::now();
  // Requests unanswered for half a second are asked again; new ones fill the window.
  for (auto& [n, when] : asked_) {
    if (now - when < milliseconds(500)) continue;
    when = now;
    session_.RequestQso(n);
    if (endSeen_ && n > highest_) ++probes_[n];
  }
  while (static_cast<int>(asked_.size()) < kWindow && !(endSeen_ && next_ > highest_ + 1)) {
    asked_[next_] = now;
    session_.RequestQso(next_++);
  }
  // Done: ENDLOG came, every QSO up to the highest answered is in, and the numbers beyond have
  // been asked for often enough that a lost answer would have come again.
  std::erase_if(asked_, [&](const auto& a) {
    return endSeen_ && a.first > highest_ && probes_[a.first] >= kEndProbes;
  });
  if (endSeen_ && asked_.empty()) {
    done_ = true;
    session_.EndReceivingLog();
    Note(changed::kTexts);
    Bus().Broadcast(cm::kLogChanged);
  }
}

void LogReceiver::Answered(int answered) {
  if (answered < 0) {
    endSeen_ = true;
    return;
  }
  const std::int32_t n = answered + 1;
  asked_.erase(n);
  highest_ = std::max(highest_, n);
  // The first number not yet answered.
  std::int32_t first = next_;
  for (const auto& [k, when] : asked_) first = std::min(first, k);
  if (first != counter_) {
    counter_ = first;
    Note(changed::kTexts);
  }
}

}  // namespace vk
