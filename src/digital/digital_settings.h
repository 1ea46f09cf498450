// SPDX-License-Identifier: GPL-3.0-or-later
// The [Digital] section of vorkan.cfg: where the QSOs of WSJT-X or JTDX arrive.
//
//   [Digital]
//   Listen=127.0.0.1:2237     ; the address WSJT-X's "UDP Server" names; a multicast group
//                             ; (224.0.0.1:2237, 239.255.0.1:2237) is joined instead
//   Mode=                     ; the log's mode for FT8, FT4 and the other digital modes:
//                             ; DG (the log's PSK31, Cabrillo's DG) or RTTY; empty: by contest
//
// No Listen line (or an empty one): nothing listens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/bands.h"
#include "util/result.h"

namespace vk {

inline constexpr std::string_view kDigitalSection = "Digital";

struct ListenAddress {
  std::uint32_t address = 0;  // IPv4, host order
  std::uint16_t port = 0;
  bool multicast = false;
  friend bool operator==(const ListenAddress&, const ListenAddress&) = default;
};

struct DigitalSettings {
  std::string listen;               // as written in the file
  Mode mode = Mode::kUnknown;       // kUnknown: chosen by the contest's modes
  bool Enabled() const { return !listen.empty(); }
};

// "a.b.c.d:port"; host names are refused (a listener binds to an address of this computer or
// joins a group, neither needs a lookup).
Status ParseListenAddress(std::string_view text, ListenAddress& out);

// The section of the configuration file at `path`; a missing section gives Enabled() false.
DigitalSettings LoadDigitalSettings(const std::string& path);

}  // namespace vk
