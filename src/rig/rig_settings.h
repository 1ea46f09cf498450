// The radio's settings, section [Rig] of vorkan.cfg: which Hamlib model, where it is connected,
// the serial speed and how often it is read.  Model 0 is no radio, the default.
#pragma once

#include <cstdint>
#include <string>

#include "config/settings.h"

namespace vk {

// Hamlib's own numbers of the two models that need no hardware.
inline constexpr std::int32_t kRigModelNone = 0;
inline constexpr std::int32_t kRigModelDummy = 1;
inline constexpr std::int32_t kRigModelNetRigctl = 2;  // rigctld, Device is host:port

inline constexpr std::int32_t kMinPollMs = 100;
inline constexpr std::int32_t kMaxPollMs = 1000;
inline constexpr std::int32_t kDefaultPollMs = 150;

struct RigSettings {
  std::int32_t model = kRigModelNone;
  std::string device;      // /dev/ttyUSB0, or host:port for rigctld; empty: Hamlib's default
  std::int32_t speed = 0;  // serial speed in baud; 0: the model's default
  std::int32_t pollMs = kDefaultPollMs;

  bool Enabled() const { return model > 0; }
  friend bool operator==(const RigSettings&, const RigSettings&) = default;
};

// A missing file or section gives the defaults; a poll interval outside 100-1000 ms is held
// to that range, a negative model or speed reads as 0.
RigSettings ReadRigSettings(const std::string& path = ConfigPath());
bool WriteRigSettings(const RigSettings& rig, const std::string& path = ConfigPath());

}  // namespace vk
