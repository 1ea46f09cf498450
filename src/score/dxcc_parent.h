// The world country file lists a few entries that are not DXCC entities of their own: WAE
// countries (Sicily, Shetland, European Turkey, the Vienna International Centre, Bear Island)
// and the CQ-only African Italy, each marked with a "*" before its primary prefix.  Contests
// that count the DXCC list count them as the entity they belong to.
#pragma once

#include <array>
#include <string_view>
#include <utility>

namespace vk {

// The primary prefix of the DXCC entity an entry belongs to: "*IT9" -> "I", "*GM/s" -> "GM",
// "*TA1" -> "TA", "*4U1V" -> "OE", "*JW/b" -> "JW", "*IG9" -> "I".  Any other prefix is its
// own entity and comes back unchanged.  Letters compare without case (the file writes
// "*GM/s").
inline std::string_view DxccParentPrefix(std::string_view primaryPrefix) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kParents{{
      {"*IT9", "I"},
      {"*GM/S", "GM"},
      {"*TA1", "TA"},
      {"*4U1V", "OE"},
      {"*JW/B", "JW"},
      {"*IG9", "I"},
  }};
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  for (const auto& [entry, parent] : kParents) {
    if (entry.size() != primaryPrefix.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < entry.size() && same; ++i)
      same = entry[i] == upper(primaryPrefix[i]);
    if (same) return parent;
  }
  return primaryPrefix;
}

}  // namespace vk
