// The shell's view of the network thread: the flags and checksums of the exchange record that
// the idle pass polls.  Besides what the thread reports, a message that arrived before the log
// could take it (the log file not loaded yet) is reported again once it can: otherwise it
// would wait for the next message from the group, which may never come.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "app/shell.h"
#include "net/net_exchange.h"

namespace vk {

class ExchangeLink final : public NetworkLink {
 public:
  // `heldAndReady`: reads and clears "messages wait and can be handled now"; may be empty.
  // `repairing`: whether the group repairs its logs by itself; may be empty.
  // `enabled`: whether the network thread runs; may be empty.
  explicit ExchangeLink(NetExchange& exchange, std::function<bool()> heldAndReady = {},
                        std::function<bool()> repairing = {}, std::function<bool()> enabled = {});

  bool TakeChecksumReceived() override { return exchange_.TakeChecksumReceived(); }
  bool TakeMessageReceived() override;
  std::uint32_t PeerChecksum() const override { return exchange_.PeerChecksum(); }
  void SetOwnChecksum(std::uint32_t crc) override { exchange_.SetOwnChecksum(crc); }
  bool Repairing() const override { return repairing_ && repairing_(); }
  bool Enabled() const override { return enabled_ && enabled_(); }
  std::optional<bool> InStep() const override { return inStep_ ? inStep_() : std::nullopt; }
  void SetInStep(std::function<std::optional<bool>()> f) { inStep_ = std::move(f); }

 private:
  NetExchange& exchange_;
  std::function<bool()> heldAndReady_;
  std::function<bool()> repairing_;
  std::function<bool()> enabled_;
  std::function<std::optional<bool>()> inStep_;
};

}  // namespace vk
