#include "app/net_link.h"

#include <utility>

namespace vk {

ExchangeLink::ExchangeLink(NetExchange& exchange, std::function<bool()> heldAndReady,
                           std::function<bool()> repairing, std::function<bool()> enabled)
    : exchange_(exchange),
      heldAndReady_(std::move(heldAndReady)),
      repairing_(std::move(repairing)),
      enabled_(std::move(enabled)) {}

bool ExchangeLink::TakeMessageReceived() {
  // Both flags are read and cleared on every pass; neither may hide the other.
  const bool arrived = exchange_.TakeMessageReceived();
  const bool held = heldAndReady_ && heldAndReady_();
  return arrived || held;
}

}  // namespace vk
