// What every window model shares: a place on the command bus for as long as it lives, and the
// changes it collected since the window last redrew.
#pragma once

#include <utility>

#include "app/command_bus.h"
#include "app/station.h"

namespace vk {

// Keeps `target` attached to `bus` from construction to destruction.  Neither is owned; both
// outlive the subscription.
class BusSubscription {
 public:
  BusSubscription(CommandBus& bus, MessageTarget& target) : bus_(bus), target_(target) {
    bus_.Attach(&target_);
  }
  ~BusSubscription() { bus_.Detach(&target_); }
  BusSubscription(const BusSubscription&) = delete;
  BusSubscription& operator=(const BusSubscription&) = delete;

  CommandBus& Bus() const { return bus_; }

 private:
  CommandBus& bus_;
  MessageTarget& target_;
};

// A window model: attached to the bus before the derived constructor runs and detached after
// the derived destructor, so a derived constructor or destructor must not deliver a message
// synchronously (Post is fine: the queue is delivered on a later idle pass).  The changes start
// as "everything", so the window's first redraw shows it all.
class ViewModel : public MessageTarget {
 public:
  ViewModel(const ViewModel&) = delete;
  ViewModel& operator=(const ViewModel&) = delete;

  // What changed since the last call, for the tick that redraws the window.
  Changes TakeChanges() { return std::exchange(pending_, changed::kNothing); }

 protected:
  explicit ViewModel(CommandBus& bus) : subscription_(bus, *this) {}
  ~ViewModel() override = default;

  // Adds `c` to what the next TakeChanges returns; returns `c` for the handler's own result.
  Changes Note(Changes c) {
    pending_ |= c;
    return c;
  }
  CommandBus& Bus() const { return subscription_.Bus(); }

 private:
  BusSubscription subscription_;
  Changes pending_ = changed::kAll;
};

}  // namespace vk
