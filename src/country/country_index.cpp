#include "country/country_index.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "country/country_match.h"
#include "country/slash_call.h"

namespace vk {

namespace {

using country_detail::IsDigitOrCapital;
using country_detail::IsTokenEnd;
using country_detail::kMaxPrefixKey;

constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
constexpr unsigned kBloomBits = 19;  // 64 KB: stays in cache, few false hits for ~20,000 calls

std::uint64_t Mix(std::uint64_t h) {
  h ^= h >> 32;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 32;
  return h;
}

std::uint64_t Load64(const char* p) {
  std::uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::uint32_t Load32(const char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Calls are short: up to eight bytes are read as two overlapping words (or three single
// bytes), so there is no byte loop and no library call on the common path.
std::uint64_t HashCall(std::string_view s) {
  const char* p = s.data();
  const std::size_t n = s.size();
  std::uint64_t h = n * kMul;
  if (n >= 4 && n <= 8) {
    h ^= Load32(p) | std::uint64_t{Load32(p + n - 4)} << 32;
  } else if (n < 4) {
    h ^= n == 0 ? 0
                : (std::uint64_t{static_cast<unsigned char>(p[0])} << 16 |
                   std::uint64_t{static_cast<unsigned char>(p[n / 2])} << 8 |
                   static_cast<unsigned char>(p[n - 1]));
  } else {
    for (std::size_t i = 0; i + 8 < n; i += 8) h = std::rotl((h ^ Load64(p + i)) * kMul, 29);
    h ^= Load64(p + n - 8);
  }
  return Mix(h * kMul);
}

std::uint64_t PackPrefix(std::string_view s) {
  std::uint32_t bytes = 0;
  std::memcpy(&bytes, s.data(), s.size());
  return static_cast<std::uint64_t>(s.size()) << 32 | bytes;
}

std::size_t PrefixHome(std::uint64_t packed, std::size_t mask) {
  return (packed * kMul) >> 32 & mask;
}

std::size_t ShortSlot(unsigned char c0, unsigned char c1) {
  return 256 + (std::size_t{c0} << 8 | c1);
}

std::size_t TableSize(std::size_t keys) {
  return std::bit_ceil(std::max<std::size_t>(16, keys * 2));
}

}  // namespace

// Works out every key's answer the way the scan would, in maps that are easy to fill, then
// lays them out in the flat tables that lookups probe.
class CountryIndex::Builder {
 public:
  Builder(CountryIndex& index, const std::vector<CountryEntry>& entries)
      : index_(index), entries_(entries), plainResult_(entries.size(), kNoResult) {
    exact_.reserve(32768);
    prefix_.reserve(65536);
    for (std::uint32_t i = 0; i < entries.size(); ++i) {
      AddExactCalls(i);
      AddPrefixes(i);
    }
    LayOutExact();
    LayOutPrefixes();
  }

 private:
  struct PrefixState {
    std::uint32_t result = kNoResult;
    std::uint32_t lastEntry = kNoResult;  // the entry whose first occurrence was already seen
  };

  std::uint32_t ResultFor(std::uint32_t entryIndex, std::size_t commaPos);
  void AddExactCalls(std::uint32_t entryIndex);
  void AddPrefixes(std::uint32_t entryIndex);
  void LayOutExact();
  void LayOutPrefixes();

  CountryIndex& index_;
  const std::vector<CountryEntry>& entries_;
  std::vector<std::uint32_t> plainResult_;  // per entry: result of its tokens without marks
  std::unordered_map<std::string_view, std::uint32_t> exact_;  // views into the entries' texts
  std::unordered_map<std::uint64_t, PrefixState> prefix_;
};

std::uint32_t CountryIndex::Builder::ResultFor(std::uint32_t entryIndex, std::size_t commaPos) {
  const CountryEntry& entry = entries_[entryIndex];
  const bool plain = !country_detail::TokenHasMarks(entry.prefixText, commaPos);
  if (plain && plainResult_[entryIndex] != kNoResult) return plainResult_[entryIndex];
  CountryInfo info;
  country_detail::FillInfo(entry, commaPos, info);
  index_.results_.push_back(std::move(info));
  const auto result = static_cast<std::uint32_t>(index_.results_.size() - 1);
  if (plain) plainResult_[entryIndex] = result;
  return result;
}

// Every ",=" starts an exact-call token; its call runs to the first token end.  The first
// such token in file order is the one the scan finds, so later duplicates are not entered.
void CountryIndex::Builder::AddExactCalls(std::uint32_t entryIndex) {
  const std::string& text = entries_[entryIndex].prefixText;
  for (std::size_t p = text.find(",="); p != std::string::npos; p = text.find(",=", p + 1)) {
    std::size_t end = p + 2;
    while (end < text.size() && !IsTokenEnd(text[end])) ++end;
    const std::string_view call(text.data() + p + 2, end - p - 2);
    if (call.empty() || exact_.contains(call)) continue;
    exact_.emplace(call, ResultFor(entryIndex, p));
  }
}

// Keys are "," + 1..4 characters, so each occurrence starts at a ','.  Walking the commas in
// order meets every key's first occurrence in this entry first; only that one decides, and
// an entry earlier in the file that already accepted the key keeps it.
void CountryIndex::Builder::AddPrefixes(std::uint32_t entryIndex) {
  const std::string& text = entries_[entryIndex].prefixText;
  for (std::size_t p = text.find(','); p != std::string::npos; p = text.find(',', p + 1)) {
    for (std::size_t len = 1; len <= kMaxPrefixKey && p + 1 + len <= text.size(); ++len) {
      PrefixState& state = prefix_[PackPrefix(std::string_view(text.data() + p + 1, len))];
      if (state.result != kNoResult || state.lastEntry == entryIndex) continue;
      state.lastEntry = entryIndex;
      const std::size_t after = p + 1 + len;
      if (after < text.size() && IsDigitOrCapital(text[after])) continue;
      state.result = ResultFor(entryIndex, p);
    }
  }
}

void CountryIndex::Builder::LayOutExact() {
  index_.exactBloom_.assign((std::size_t{1} << kBloomBits) / 64, 0);
  index_.exactSlots_.assign(TableSize(exact_.size()), ExactSlot{});
  const std::size_t mask = index_.exactSlots_.size() - 1;
  for (const auto& [call, result] : exact_) {
    const std::uint64_t h = HashCall(call);
    for (const std::uint64_t bit : {h >> (64 - kBloomBits), (h >> 8) & ((1u << kBloomBits) - 1)}) {
      index_.exactBloom_[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    std::size_t slot = h & mask;
    while (index_.exactSlots_[slot].result != kNoResult) slot = (slot + 1) & mask;
    index_.exactSlots_[slot] = ExactSlot{static_cast<std::uint32_t>(h >> 32), result,
                                         static_cast<std::uint32_t>(index_.exactKeys_.size()),
                                         static_cast<std::uint32_t>(call.size())};
    index_.exactKeys_.append(call);
  }
}

void CountryIndex::Builder::LayOutPrefixes() {
  index_.shortKeys_.assign(256 + 65536, kNoShortResult);
  std::size_t longKeys = 0;
  for (const auto& [key, state] : prefix_) {
    if (state.result == kNoResult) continue;
    const std::size_t length = key >> 32;
    const auto bytes = static_cast<std::uint32_t>(key);
    unsigned char c[4];
    std::memcpy(c, &bytes, sizeof c);
    if (length == 1) index_.shortKeys_[c[0]] = state.result;
    if (length < 3) continue;
    index_.shortKeys_[ShortSlot(c[0], c[1])] |= length == 3 ? kHasLonger3 : kHasLonger4;
    ++longKeys;
  }
  // The table was filled with kNoShortResult; a two-byte key's own result replaces it.
  for (const auto& [key, state] : prefix_) {
    if (state.result == kNoResult || key >> 32 != 2) continue;
    unsigned char c[4];
    const auto bytes = static_cast<std::uint32_t>(key);
    std::memcpy(c, &bytes, sizeof c);
    std::uint32_t& slot = index_.shortKeys_[ShortSlot(c[0], c[1])];
    slot = (slot & (kHasLonger3 | kHasLonger4)) | state.result;
  }
  index_.prefixSlots_.assign(TableSize(longKeys), 0);
  const std::size_t mask = index_.prefixSlots_.size() - 1;
  for (const auto& [key, state] : prefix_) {
    if (state.result == kNoResult || key >> 32 < 3) continue;
    std::size_t slot = PrefixHome(key, mask);
    while (index_.prefixSlots_[slot] != 0) slot = (slot + 1) & mask;
    index_.prefixSlots_[slot] = key << 24 | state.result;
  }
}

CountryIndex::CountryIndex(const std::vector<CountryEntry>& entries) {
  Builder build(*this, entries);
}

const CountryInfo* CountryIndex::Exact(std::string_view call) const {
  if (call.empty()) return nullptr;
  const std::uint64_t h = HashCall(call);
  for (const std::uint64_t bit : {h >> (64 - kBloomBits), (h >> 8) & ((1u << kBloomBits) - 1)}) {
    if ((exactBloom_[bit / 64] >> (bit % 64) & 1) == 0) return nullptr;
  }
  const std::size_t mask = exactSlots_.size() - 1;
  const auto tag = static_cast<std::uint32_t>(h >> 32);
  for (std::size_t slot = h & mask;; slot = (slot + 1) & mask) {
    const ExactSlot& s = exactSlots_[slot];
    if (s.result == kNoResult) return nullptr;
    if (s.tag == tag && s.keyLength == call.size() &&
        std::memcmp(exactKeys_.data() + s.keyOffset, call.data(), call.size()) == 0) {
      return &results_[s.result];
    }
  }
}

const CountryInfo* CountryIndex::FindLongPrefix(std::string_view key) const {
  const std::uint64_t packed = PackPrefix(key);
  const std::size_t mask = prefixSlots_.size() - 1;
  for (std::size_t slot = PrefixHome(packed, mask);; slot = (slot + 1) & mask) {
    const std::uint64_t s = prefixSlots_[slot];
    if (s == 0) return nullptr;
    if (s >> 24 == packed) return &results_[s & 0xFFFFFF];
  }
}

const CountryInfo* CountryIndex::Prefix(std::string_view reduced) const {
  if (reduced.empty()) return nullptr;
  const auto c0 = static_cast<unsigned char>(reduced[0]);
  if (reduced.size() == 1) return Result(shortKeys_[c0]);
  const std::uint32_t pair = shortKeys_[ShortSlot(c0, static_cast<unsigned char>(reduced[1]))];
  if (reduced.size() >= 4 && (pair & kHasLonger4) != 0) {
    if (const CountryInfo* hit = FindLongPrefix(reduced.substr(0, 4))) return hit;
  }
  if (reduced.size() >= 3 && (pair & kHasLonger3) != 0) {
    if (const CountryInfo* hit = FindLongPrefix(reduced.substr(0, 3))) return hit;
  }
  if (const CountryInfo* hit = Result(pair & kNoShortResult)) return hit;
  return Result(shortKeys_[c0]);
}

// Instantiated here, beside the two probes, so that the compiler can inline them.
const CountryInfo* CountryIndex::Resolve(std::string_view call) const {
  return country_detail::ResolveCall(call, *this);
}

}  // namespace vk
