#include "log/log_order.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace vk {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysOfDate(std::int64_t y, std::int64_t m, std::int64_t d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

}  // namespace

std::int64_t StampSeconds(const DateTime& t) {
  return DaysOfDate(t.year, t.month, t.day) * 86400 + t.hour * 3600LL + t.minute * 60LL +
         t.second;
}

std::int64_t OrderKey(const QsoRecord& q) {
  return q.Place != 0 ? q.Place : StampSeconds(q.Stamp) * kPlaceSteps;
}

bool LogOrderBefore(const QsoRecord& a, const QsoRecord& b) {
  const std::int64_t ka = OrderKey(a);
  const std::int64_t kb = OrderKey(b);
  return ka != kb ? ka < kb : a.Guid < b.Guid;
}

int OrderedPlace(const TLogCollection& log, const QsoRecord& q) {
  // Most QSOs belong at the end: look there first.
  const int n = log.Count();
  if (n == 0 || !LogOrderBefore(q, *log.At(n - 1))) return n;
  const auto it = std::upper_bound(log.begin(), log.end(), q, LogOrderBefore);
  return static_cast<int>(it - log.begin());
}

std::int64_t PlaceBefore(const TLogCollection& log, int pos, const QsoRecord& q) {
  const QsoRecord* prev = log.At(pos - 1);
  const QsoRecord* next = log.At(pos);
  QsoRecord natural = q;
  natural.Place = 0;
  const bool afterPrev = prev == nullptr || LogOrderBefore(*prev, natural);
  const bool beforeNext = next == nullptr || LogOrderBefore(natural, *next);
  if (afterPrev && beforeNext) return 0;
  if (next == nullptr) return OrderKey(*prev) + kPlaceSteps;  // after the last
  const std::int64_t hi = OrderKey(*next);
  const std::int64_t lo = prev != nullptr ? OrderKey(*prev) : hi - kPlaceSteps;
  if (hi - lo >= 2) {
    const std::int64_t mid = lo + (hi - lo) / 2;
    return mid != 0 ? mid : mid + 1;
  }
  // No room between the two keys: the Guids decide between equal keys.
  if (prev != nullptr && lo != 0 && q.Guid > prev->Guid && (lo < hi || q.Guid < next->Guid)) {
    return lo;
  }
  return hi != 0 ? hi : hi - 1;
}

bool InOrder(const TLogCollection& log) {
  return std::is_sorted(log.begin(), log.end(), LogOrderBefore);
}

bool SortLog(TLogCollection& log) {
  if (InOrder(log)) return false;
  std::vector<QsoRecord> sorted(log.begin(), log.end());
  std::stable_sort(sorted.begin(), sorted.end(), LogOrderBefore);
  log.Clear();
  for (const QsoRecord& q : sorted) log.Append(q);
  return true;
}

}  // namespace vk
