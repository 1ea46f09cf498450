#include "rig/radio.h"

#include <limits>

namespace vk {

Radio::~Radio() = default;

Freq FreqOfHz(std::int64_t hz) {
  if (hz < 0) return 0;
  const std::int64_t units = (hz + 50) / 100;
  return units > std::numeric_limits<Freq>::max() ? std::numeric_limits<Freq>::max()
                                                  : static_cast<Freq>(units);
}

std::int64_t HzOfFreq(Freq f) {
  return static_cast<std::int64_t>(f) * 100;
}

}  // namespace vk
