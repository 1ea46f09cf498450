// Hash index over one country list.  It answers exactly what the scan answers: for every key
// the scan could try (an exact call, or the first 1-4 characters of a call) it stores the
// result of the first entry in file order that the scan would accept, worked out once when
// the list is loaded.  A lookup is then a few probes of flat tables instead of five passes
// over some 300 KB of prefix text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "country/country.h"

namespace vk {

class CountryIndex {
 public:
  explicit CountryIndex(const std::vector<CountryEntry>& entries);

  // What the scan finds for the exact-call key of `call`, and for its prefix keys (first 4,
  // 3, 2, 1 characters); null when it finds nothing.  These are the two lookups that
  // country_detail::ResolveCall() combines into the lookup of a typed call.
  const CountryInfo* Exact(std::string_view call) const;
  const CountryInfo* Prefix(std::string_view call) const;
  // The lookup of a typed call, '/' and all: ResolveCall() over the two above.
  const CountryInfo* Resolve(std::string_view call) const;

 private:
  struct ExactSlot {
    std::uint32_t tag = 0;  // high half of the call's hash
    std::uint32_t result = kNoResult;
    std::uint32_t keyOffset = 0;  // the call, in exactKeys_
    std::uint32_t keyLength = 0;
  };
  static constexpr std::uint32_t kNoResult = 0xFFFFFFFF;

  class Builder;
  const CountryInfo* FindLongPrefix(std::string_view key) const;
  const CountryInfo* Result(std::uint32_t r) const {
    return r == kNoShortResult ? nullptr : &results_[r];
  }

  std::vector<CountryInfo> results_;
  // Exact calls: a small Bloom filter in front, since nearly every call of a contest is not
  // listed, then an open-addressing table.
  std::vector<std::uint64_t> exactBloom_;
  std::vector<ExactSlot> exactSlots_;
  std::string exactKeys_;
  // Prefix keys of one and two bytes: a direct table, 256 one-byte keys then 65536 two-byte
  // ones.  Low 24 bits: the result (kNoShortResult: none).  The two-byte keys also say whether
  // any three- or four-byte key starts with them, so that most calls (K1ABC, DL1ABC) never
  // probe for the longer ones.  24 bits suffice: every result comes from a token of at least
  // two bytes, and the reader stops at 16 MB.
  static constexpr std::uint32_t kNoShortResult = 0xFFFFFF;
  static constexpr std::uint32_t kHasLonger3 = 1u << 30;
  static constexpr std::uint32_t kHasLonger4 = 1u << 31;
  std::vector<std::uint32_t> shortKeys_;
  // Prefix keys of three and four bytes, packed with their length into 35 bits, and the result
  // in the low 24 bits of the same word; 0 marks an empty slot.
  std::vector<std::uint64_t> prefixSlots_;
};

}  // namespace vk
