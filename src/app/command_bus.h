// How windows talk to each other without knowing each other: every command and broadcast goes
// to the application first and then to the windows that are attached to the bus.
//
//   - The application's handler sees every message first.  What it handles stops there.
//   - A command then goes to the windows in attach order until one handles it.
//   - Broadcasts, keyer commands, status events and ticks go to every window; a window that
//     handles one only marks it as answered (Send then returns true).
//
// Send is synchronous.  Post queues a message for the next idle pass: use it to "issue" a command
// from inside a handler, where running a modal dialog at once would nest it in the sender.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "app/commands.h"

namespace vk {

// The info of a message: nothing, a number (a position, a mode code, a key code) or a pointer
// to an object the receiver must know the type of.  The pointer keeps its type so that a
// receiver asking for the wrong type gets nullptr instead of a reinterpreted object.
class MessageInfo {
 public:
  MessageInfo() = default;
  static MessageInfo Number(std::int32_t n) {
    MessageInfo i;
    i.number_ = n;
    return i;
  }
  template <class T>
  static MessageInfo Pointer(T* p) {
    MessageInfo i;
    i.ptr_ = const_cast<void*>(static_cast<const void*>(p));
    i.type_ = &typeid(T);
    return i;
  }

  std::int32_t number() const { return number_; }
  template <class T>
  T* pointer() const {
    return type_ != nullptr && *type_ == typeid(T) ? static_cast<T*>(ptr_) : nullptr;
  }

 private:
  std::int32_t number_ = 0;
  void* ptr_ = nullptr;
  const std::type_info* type_ = nullptr;
};

struct Message {
  EventClass what = EventClass::kCommand;
  CommandId command = 0;
  MessageInfo info;
  bool handled = false;
};

class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  // Set m.handled to consume a command, or to answer a broadcast.
  virtual void HandleMessage(Message& m) = 0;
};

class CommandBus {
 public:
  CommandBus() = default;
  CommandBus(const CommandBus&) = delete;
  CommandBus& operator=(const CommandBus&) = delete;

  // The application's own handler (not owned); nullptr removes it.
  void SetApplication(MessageTarget* app) { app_ = app; }
  // Windows (not owned) attach when they open and detach before they are destroyed.  Both are
  // safe while a message is being delivered: a window detached during delivery gets no more.
  void Attach(MessageTarget* window);
  void Detach(MessageTarget* window);
  bool IsAttached(const MessageTarget* window) const;
  std::size_t WindowCount() const { return windows_.size(); }

  // Delivers at once; true when someone handled the message.
  bool Send(Message& m);
  bool Send(EventClass what, CommandId command, MessageInfo info = {});
  bool SendCommand(CommandId command, MessageInfo info = {}) {
    return Send(EventClass::kCommand, command, info);
  }
  bool Broadcast(CommandId command, MessageInfo info = {}) {
    return Send(EventClass::kBroadcast, command, info);
  }

  // Queues a message; any thread may post.  The UI thread delivers the queue in DeliverPosted.
  void Post(EventClass what, CommandId command, MessageInfo info = {});
  void PostCommand(CommandId command, MessageInfo info = {}) {
    Post(EventClass::kCommand, command, info);
  }
  // Delivers what was queued before the call; each message leaves the queue before it is
  // delivered, so a handler that runs a modal dialog (whose idle passes deliver again) never
  // sees the same message twice.  Returns the number delivered.
  std::size_t DeliverPosted();
  std::size_t PostedCount() const;

 private:
  struct Attached {
    std::uint64_t serial;
    MessageTarget* target;
  };
  bool StillAttached(std::uint64_t serial) const;

  MessageTarget* app_ = nullptr;
  std::vector<Attached> windows_;
  std::uint64_t nextSerial_ = 1;
  mutable std::mutex postedMutex_;
  std::deque<Message> posted_;
};

}  // namespace vk
