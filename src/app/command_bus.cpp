#include "app/command_bus.h"

#include <algorithm>

namespace vk {

void CommandBus::Attach(MessageTarget* window) {
  if (window == nullptr || IsAttached(window)) return;
  windows_.push_back({nextSerial_++, window});
}

void CommandBus::Detach(MessageTarget* window) {
  std::erase_if(windows_, [window](const Attached& a) { return a.target == window; });
}

bool CommandBus::IsAttached(const MessageTarget* window) const {
  return std::any_of(windows_.begin(), windows_.end(),
                     [window](const Attached& a) { return a.target == window; });
}

bool CommandBus::StillAttached(std::uint64_t serial) const {
  return std::any_of(windows_.begin(), windows_.end(),
                     [serial](const Attached& a) { return a.serial == serial; });
}

bool CommandBus::Send(Message& m) {
  if (app_ != nullptr) {
    app_->HandleMessage(m);
    if (m.handled) return true;
  }
  const bool toEveryone = m.what != EventClass::kCommand;
  // A handler may open or close windows; deliver to the windows attached at the start, and skip
  // those that went away meanwhile (the serial tells a new window at a reused address apart).
  const std::vector<Attached> snapshot = windows_;
  for (const Attached& a : snapshot) {
    if (!StillAttached(a.serial)) continue;
    a.target->HandleMessage(m);
    if (m.handled && !toEveryone) break;
  }
  return m.handled;
}

bool CommandBus::Send(EventClass what, CommandId command, MessageInfo info) {
  Message m{what, command, info};
  return Send(m);
}

void CommandBus::Post(EventClass what, CommandId command, MessageInfo info) {
  std::lock_guard<std::mutex> lock(postedMutex_);
  posted_.push_back(Message{what, command, info});
}

std::size_t CommandBus::PostedCount() const {
  std::lock_guard<std::mutex> lock(postedMutex_);
  return posted_.size();
}

std::size_t CommandBus::DeliverPosted() {
  std::size_t pending = PostedCount();
  std::size_t delivered = 0;
  // Only what was queued before the call: a handler that posts again must not keep this loop
  // (and the idle pass it runs in) busy for ever.
  while (delivered < pending) {
    Message m;
    {
      std::lock_guard<std::mutex> lock(postedMutex_);
      if (posted_.empty()) break;
      m = posted_.front();
      posted_.pop_front();
    }
    Send(m);
    ++delivered;
  }
  return delivered;
}

}  // namespace vk
