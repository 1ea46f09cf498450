// Call reduction, the key tests and the plain scan over a list.
#include "country/country_match.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "country/country.h"
#include "country/slash_call.h"

namespace vk {
namespace country_detail {

namespace {

// Text between `open` and the next `close` of the token, or npos/npos when either is missing.
struct Span {
  std::size_t begin = std::string_view::npos;
  std::size_t end = std::string_view::npos;
  bool found() const { return begin != std::string_view::npos; }
};

Span Between(std::string_view token, char open, char close) {
  const std::size_t p = token.find(open);
  if (p == std::string_view::npos) return {};
  const std::size_t q = token.find(close, p + 1);
  if (q == std::string_view::npos) return {};
  return {p + 1, q};
}

std::string_view Sub(std::string_view s, Span span) {
  return s.substr(span.begin, span.end - span.begin);
}

void Assign(std::string& dst, std::string_view src, std::size_t width) {
  dst.assign(src.substr(0, width));
}

std::string_view TokenAt(const std::string& text, std::size_t commaPos) {
  std::string_view rest(text);
  rest.remove_prefix(commaPos + 1);
  return rest.substr(0, rest.find(','));
}

// Sixteen bytes at a time: GCC/Clang vector extensions, lowered to SSE2 or NEON.
using Bytes16 = unsigned char __attribute__((vector_size(16)));

Bytes16 Load16(const char* p) {
  Bytes16 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

Bytes16 Splat16(char c) {
  Bytes16 v;
  std::memset(&v, c, sizeof v);
  return v;
}

// First occurrence of `key` in `text` at or after `from`.  Every key starts with ',', the most
// common byte of a prefix text, so the first three bytes of the key (two for a two-byte key)
// are tested together, a
// block of sixteen positions per step; only positions that pass are compared in full.  This
// keeps the reference scan fast enough to be run against the index for whole call databases.
std::size_t FindKey(std::string_view text, std::string_view key, std::size_t from) {
  const std::size_t n = text.size();
  const std::size_t m = key.size();
  if (m < 2 || m > n || from > n - m) return std::string_view::npos;  // keys are "," + text
  const std::size_t last = n - m;                                     // last possible start
  const char* p = text.data();
  std::size_t i = from;
  {
    // A two-byte key tests its second byte twice rather than branching inside the loop.
    const Bytes16 k0 = Splat16(key[0]), k1 = Splat16(key[1]), k2 = Splat16(key[m > 2 ? 2 : 1]);
    const std::size_t third = m > 2 ? 2 : 1;
    for (; i + 16 + 2 <= n; i += 16) {
      const auto hit =
          (Load16(p + i) == k0) & (Load16(p + i + 1) == k1) & (Load16(p + i + third) == k2);
      std::uint64_t half[2];
      std::memcpy(half, &hit, sizeof half);
      if ((half[0] | half[1]) == 0) continue;
      for (std::size_t j = 0; j < 16; ++j) {
        const std::size_t at = i + j;
        if (hit[j] != 0 && at <= last && std::memcmp(p + at, key.data(), m) == 0) return at;
      }
    }
  }
  for (; i <= last; ++i) {
    if (p[i] == key[0] && std::memcmp(p + i, key.data(), m) == 0) return i;
  }
  return std::string_view::npos;
}

}  // namespace

bool HasTokenEnd(std::string_view s) {
  for (char c : s) {
    if (IsTokenEnd(c)) return true;
  }
  return false;
}

std::size_t FindPrefixKey(const std::string& text, std::string_view key) {
  const std::size_t pos = FindKey(text, key, 0);
  if (pos == std::string::npos) return pos;
  const std::size_t after = pos + key.size();
  if (after < text.size() && IsDigitOrCapital(text[after])) return std::string::npos;
  return pos;
}

std::size_t FindExactKey(const std::string& text, std::string_view key) {
  if (HasTokenEnd(key.substr(2))) return std::string::npos;
  for (std::size_t pos = FindKey(text, key, 0); pos != std::string::npos;
       pos = FindKey(text, key, pos + 1)) {
    const std::size_t after = pos + key.size();
    if (after == text.size() || IsTokenEnd(text[after])) return pos;
  }
  return std::string::npos;
}

bool TokenHasMarks(const std::string& text, std::size_t commaPos) {
  const std::string_view token = TokenAt(text, commaPos);
  return token.find_first_of("([<~{") != std::string_view::npos;
}

void FillInfo(const CountryEntry& entry, std::size_t commaPos, CountryInfo& out) {
  // The zone marks are cut out of the token before the position and time marks are read,
  // so a '/' or '~' inside "(..)" or "[..]" cannot be taken for one of theirs.
  std::string token(TokenAt(entry.prefixText, commaPos));
  const Span cq = Between(token, '(', ')');
  if (cq.found()) {
    Assign(out.cqZone, Sub(token, cq), kCountryZoneWidth);
    token.erase(cq.begin - 1, cq.end - cq.begin + 2);
  } else {
    out.cqZone = std::to_string(entry.cqZone);
  }
  const Span itu = Between(token, '[', ']');
  if (itu.found()) {
    Assign(out.ituZone, Sub(token, itu), kCountryZoneWidth);
    token.erase(itu.begin - 1, itu.end - itu.begin + 2);
  } else {
    out.ituZone = std::to_string(entry.ituZone);
  }
  const Span pos = Between(token, '<', '>');
  if (pos.found()) {
    const std::string_view inner = Sub(token, pos);
    const std::size_t slash = inner.find('/');
    Assign(out.latitude, inner.substr(0, slash), kCountryLatitudeWidth);
    Assign(out.longitude,
           slash == std::string_view::npos ? std::string_view() : inner.substr(slash + 1),
           kCountryLongitudeWidth);
  } else {
    out.latitude = entry.latitude;
    out.longitude = entry.longitude;
  }
  const Span offset = Between(token, '~', '~');
  if (offset.found()) {
    Assign(out.timeOffset, Sub(token, offset), kCountryTimeOffsetWidth);
  } else {
    out.timeOffset = entry.timeOffset;
  }
  out.name = entry.name;
  // {aa}: the token's own continent (an island of one entity that lies on another continent).
  const Span continent = Between(token, '{', '}');
  if (continent.found() && continent.end > continent.begin) {
    Assign(out.continent, Sub(token, continent), kCountryContinentWidth);
  } else {
    out.continent = entry.continent;
  }
  out.primaryPrefix = entry.primaryPrefix;
  out.number = entry.number;
}

}  // namespace country_detail

void CountryInfo::Clear() {
  *this = CountryInfo{};
}

std::string_view ReduceCall(std::string_view call) {
  if (call.find('/') == std::string_view::npos) return call;
  const country_detail::SlashCall parts = country_detail::SplitSlashCall(call);
  if (parts.noCountry) return {};
  return parts.location.empty() ? parts.home : parts.location;
}

namespace {

// The matching token of the plain scan: an entry and the offset of the token's ','.
struct ScanHit {
  const CountryEntry* entry = nullptr;
  std::size_t commaPos = 0;
  explicit operator bool() const { return entry != nullptr; }
};

// Each key is searched in the entries in file order; the first entry that accepts it wins.
class ScanFinder {
 public:
  explicit ScanFinder(const CountryList& list) : list_(list) {}

  ScanHit Exact(std::string_view call) const {
    if (call.empty()) return {};
    std::string key = ",=";
    key.append(call);
    for (const CountryEntry& entry : list_.Entries()) {
      const std::size_t pos = country_detail::FindExactKey(entry.prefixText, key);
      if (pos != std::string::npos) return {&entry, pos};
    }
    return {};
  }

  ScanHit Prefix(std::string_view call) const {
    std::string key = ",";
    for (std::size_t len = std::min(call.size(), country_detail::kMaxPrefixKey); len >= 1; --len) {
      // resize + append rather than assigning "," keeps GCC 12's -Wrestrict false alarm quiet
      // in optimised builds.
      key.resize(1);
      key.append(call.substr(0, len));
      for (const CountryEntry& entry : list_.Entries()) {
        const std::size_t pos = country_detail::FindPrefixKey(entry.prefixText, key);
        if (pos != std::string::npos) return {&entry, pos};
      }
    }
    return {};
  }

 private:
  const CountryList& list_;
};

}  // namespace

std::uint16_t ScanCountry(const CountryList& list, std::string_view call, CountryInfo& out) {
  const ScanHit hit = country_detail::ResolveCall(call, ScanFinder(list));
  if (!hit) {
    out.Clear();
    return 0;
  }
  country_detail::FillInfo(*hit.entry, hit.commaPos, out);
  return hit.entry->number;
}

}  // namespace vk
