#include "country/dxcc_parent.h"

#include <cstddef>

namespace vk {

namespace {

struct WaeEntity {
  std::string_view prefix;  // as the world list writes it
  std::string_view parent;
};

// The WAE-only entries of the world list and the DXCC entity each lies in.
constexpr WaeEntity kWaeOnly[] = {
    {"*4U1V", "OE"},  // Vienna International Centre, in Austria
    {"*GM/s", "GM"},  // Shetland Islands, in Scotland
    {"*IG9", "I"},    // African Italy (Lampedusa, Pantelleria)
    {"*IT9", "I"},    // Sicily
    {"*JW/b", "JW"},  // Bear Island, in Svalbard
    {"*TA1", "TA"},   // European Turkey
};

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string_view DxccParentPrefix(std::string_view primaryPrefix) {
  if (primaryPrefix.empty() || primaryPrefix[0] != '*') return primaryPrefix;
  for (const WaeEntity& e : kWaeOnly) {
    if (SameIgnoringCase(primaryPrefix, e.prefix)) return e.parent;
  }
  return primaryPrefix;
}

}  // namespace vk
