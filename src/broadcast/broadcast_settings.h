// SPDX-License-Identifier: GPL-3.0-or-later
// The [Broadcast] section of vorkan.cfg: where the station's UDP packets go.
//
//   [Broadcast]
//   Contacts=127.0.0.1:12060 192.168.1.255:12060  ; contactinfo, contactreplace, contactdelete
//   Radio=127.0.0.1:12060                         ; RadioInfo
//   Score=127.0.0.1:12060                         ; the score document
//   ScoreEvery=60                                 ; seconds between score packets (10-3600)
//   StationName=                                  ; the packets' StationName; empty: host name
//
// Destinations are host:port, separated by spaces or commas; a host name is looked up by the
// sending thread, never by the UI.  No line (or an empty one): that packet is not sent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace vk {

inline constexpr std::string_view kBroadcastSection = "Broadcast";

struct Destination {
  std::string host;
  std::uint16_t port = 0;
  friend bool operator==(const Destination&, const Destination&) = default;
};

struct BroadcastSettings {
  std::vector<Destination> contacts, radio, score;
  int scoreEverySeconds = 60;
  std::string stationName;
  bool Enabled() const { return !contacts.empty() || !radio.empty() || !score.empty(); }
};

// "host:port host:port"; a part that is no host:port is named in `bad` and left out.
std::vector<Destination> ParseDestinations(std::string_view text, std::vector<std::string>& bad);

// The section of the configuration file at `path`; the parts that could not be read are
// named in `bad` for the journal.
BroadcastSettings LoadBroadcastSettings(const std::string& path, std::vector<std::string>& bad);

}  // namespace vk
