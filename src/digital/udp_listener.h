// SPDX-License-Identifier: GPL-3.0-or-later
// A receiving UDP socket bound to one address of this computer, or joined to a multicast
// group.  Other programs (a second logger, a grid map) may listen on the same group and port,
// as WSJT-X's users expect, so the port is bound shared.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "digital/digital_settings.h"
#include "net/udp_socket.h"
#include "util/result.h"

namespace vk {

class UdpListener {
 public:
  virtual ~UdpListener() = default;
  // Waits up to `limit` for one datagram and gives all of it.
  virtual ReceiveResult Receive(std::string& datagram, std::chrono::milliseconds limit) = 0;
  // The port bound (the one asked for, or the system's choice for port 0).
  virtual std::uint16_t Port() const = 0;
};

// nullptr with the system's reason in `error` when the socket cannot be made.
std::unique_ptr<UdpListener> OpenUdpListener(const ListenAddress& at, Status& error);

}  // namespace vk
