// SPDX-License-Identifier: GPL-3.0-or-later
// Datagrams on the WSJT-X port, any bytes: the message reader refuses or reads each without
// running past its end, and whatever QSO it reads goes through the listener's queue.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "digital/wsjtx_listener.h"
#include "digital/wsjtx_message.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  vk::WsjtxMessage m;
  const vk::Status s = vk::DecodeWsjtx(bytes, m);
  if (s.ok() && (m.kind == vk::WsjtxKind::kQsoLogged || m.kind == vk::WsjtxKind::kLoggedAdif) &&
      m.qso.call.empty())
    std::abort();
  vk::WsjtxListener listener(nullptr);
  listener.Handle(bytes);
  const vk::WsjtxCounts c = listener.Counts();
  if (c.datagrams != 1 || c.qsos + c.heartbeats + c.other + c.dropped != 1) std::abort();
  return 0;
}
