// The spots heard lately: the newest one per call and band, none older than the age limit and
// never more than the table's capacity, whatever a node sends.  Lives on the UI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "cluster/spot.h"

namespace vk {

inline constexpr int kDefaultSpotMaxAgeMinutes = 30;
inline constexpr std::size_t kDefaultSpotCapacity = 3000;

class SpotTable {
 public:
  explicit SpotTable(std::size_t capacity = kDefaultSpotCapacity,
                     int maxAgeSeconds = kDefaultSpotMaxAgeMinutes * 60);

  void SetMaxAge(int seconds) { maxAge_ = seconds > 0 ? seconds : 1; }
  int MaxAge() const { return maxAge_; }

  // Takes the spot (its `seen` set by the caller) in place of an older one of the same call on
  // the same band.  Spots outside the numbered bands are not kept.  A full table first drops
  // the spots past the age limit, then the oldest tenth.  False when the spot was not kept.
  bool Add(Spot spot);
  // Drops the spots older than the age limit at `now`; true when any went.
  bool Prune(std::int64_t now);
  // The spots of one band, not older than the age limit at `now`, lowest frequency first.
  std::vector<Spot> OnBand(BandIndex band, std::int64_t now) const;
  const Spot* Find(const std::string& call, BandIndex band) const;

  std::size_t Size() const { return spots_.size(); }
  std::size_t Capacity() const { return capacity_; }
  void Clear() { spots_.clear(); }

 private:
  static std::string Key(const std::string& call, BandIndex band);
  void DropOldest();

  std::size_t capacity_;
  int maxAge_;
  std::unordered_map<std::string, Spot> spots_;  // key: band digit and call
};

}  // namespace vk
