#include "cluster/spot_table.h"

#include <algorithm>

namespace vk {

SpotTable::SpotTable(std::size_t capacity, int maxAgeSeconds)
    : capacity_(capacity > 0 ? capacity : 1), maxAge_(maxAgeSeconds > 0 ? maxAgeSeconds : 1) {}

std::string SpotTable::Key(const std::string& call, BandIndex band) {
  std::string k(1, static_cast<char>('0' + band));
  k += call;
  return k;
}

bool SpotTable::Add(Spot spot) {
  const BandIndex band = BandOfFreq(spot.freq);
  if (band == kBandNone) return false;
  const std::string key = Key(spot.call, band);
  auto it = spots_.find(key);
  if (it != spots_.end()) {
    if (spot.seen < it->second.seen) return false;  // an older report of the same spot
    it->second = std::move(spot);
    return true;
  }
  if (spots_.size() >= capacity_) {
    Prune(spot.seen);
    if (spots_.size() >= capacity_) DropOldest();
  }
  spots_.emplace(key, std::move(spot));
  return true;
}

bool SpotTable::Prune(std::int64_t now) {
  return std::erase_if(spots_, [&](const auto& kv) { return now - kv.second.seen > maxAge_; }) > 0;
}

// The oldest tenth goes at once, so a node that floods a full table costs one pass over it per
// tenth of its capacity, not one per spot.
void SpotTable::DropOldest() {
  std::vector<std::int64_t> seen;
  seen.reserve(spots_.size());
  for (const auto& kv : spots_) seen.push_back(kv.second.seen);
  if (seen.empty()) return;
  const std::size_t cut = seen.size() / 10;
  std::nth_element(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(cut), seen.end());
  const std::int64_t limit = seen[cut];
  std::erase_if(spots_, [&](const auto& kv) { return kv.second.seen <= limit; });
}

std::vector<Spot> SpotTable::OnBand(BandIndex band, std::int64_t now) const {
  std::vector<Spot> out;
  for (const auto& [key, s] : spots_) {
    if (static_cast<BandIndex>(key[0] - '0') == band && now - s.seen <= maxAge_) {
      out.push_back(s);
    }
  }
  std::sort(out.begin(), out.end(), [](const Spot& a, const Spot& b) {
    return a.freq != b.freq ? a.freq < b.freq : a.call < b.call;
  });
  return out;
}

const Spot* SpotTable::Find(const std::string& call, BandIndex band) const {
  const auto it = spots_.find(Key(call, band));
  return it == spots_.end() ? nullptr : &it->second;
}

}  // namespace vk
