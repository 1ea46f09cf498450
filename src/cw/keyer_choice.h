// Which keyer keys the transmitter, [Morze] of vorkan.cfg: the serial port's DTR and RTS lines
// (Keyer=serial, the default), cwdaemon (Keyer=cwdaemon, its address in Cwdaemon=host:port) or
// the radio's own keyer through Hamlib (Keyer=rig).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/settings.h"

namespace vk {

enum class KeyerKind : std::uint8_t { kSerial = 0, kCwdaemon = 1, kRig = 2 };

struct KeyerChoice {
  KeyerKind kind = KeyerKind::kSerial;
  std::string cwdaemon = "127.0.0.1:6789";
  friend bool operator==(const KeyerChoice&, const KeyerChoice&) = default;
};

std::string_view KeyerKindName(KeyerKind kind);  // "serial", "cwdaemon", "rig"
// An unknown name reads as the serial keyer.
KeyerChoice ReadKeyerChoice(const std::string& path = ConfigPath());
bool WriteKeyerChoice(const KeyerChoice& choice, const std::string& path = ConfigPath());

}  // namespace vk
