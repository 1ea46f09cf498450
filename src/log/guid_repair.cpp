#include "log/guid_repair.h"

#include <unordered_set>

namespace vk {
namespace {

std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

std::int32_t RepairGuid(std::uint32_t seed) {
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(kRepairStationPart) << 24) |
                                   (seed & 0xFFFFFFu));
}

}  // namespace

int RepairDuplicateGuids(TLogCollection& log) {
  std::unordered_set<std::int32_t> seen;
  seen.reserve(static_cast<std::size_t>(log.Count()) * 2);
  for (const QsoRecord& q : log) seen.insert(q.Guid);
  std::unordered_set<std::int32_t> kept;
  int changed = 0;
  for (int pos = 0; pos < log.Count(); ++pos) {
    const QsoRecord& q = *log.At(pos);
    if (q.Guid != 0 && kept.insert(q.Guid).second) continue;
    QsoRecord copy = q;
    std::uint32_t seed = Mix(q.Crc ^ Mix(static_cast<std::uint32_t>(q.Guid)));
    std::int32_t guid = RepairGuid(seed);
    while (seen.count(guid) != 0) guid = RepairGuid(seed = Mix(seed + 1));
    seen.insert(guid);
    kept.insert(guid);
    copy.Guid = guid;
    log.Delete(pos);
    log.InsertAt(pos, copy);
    ++changed;
  }
  return changed;
}

}  // namespace vk
