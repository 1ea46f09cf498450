// The one order of the log, the same at every station of a group whatever order the QSOs
// arrived in: by order key, then by Guid.  A QSO's order key is its stamp, to the second, in
// steps of 1/kPlaceSteps second; a QSO the operator inserted before another one out of its time
// order carries an explicit key (Place) between those of its neighbours, which travels with it
// and is stored with it, so that every station puts it at the same place.
#pragma once

#include <cstdint>

#include "log/log_collection.h"
#include "log/qso.h"

namespace vk {

inline constexpr std::int64_t kPlaceSteps = 1000;

// Seconds since 1 January 1970 of the stamp's fields, as they stand (no time zone applied).
std::int64_t StampSeconds(const DateTime& stamp);
std::int64_t OrderKey(const QsoRecord& q);
bool LogOrderBefore(const QsoRecord& a, const QsoRecord& b);

// Where the QSO belongs in a log kept in order: after every QSO that is not after it.
int OrderedPlace(const TLogCollection& log, const QsoRecord& q);

// The Place that puts `q` just before the QSO now at `pos` (Count(): at the end): 0 when its
// own stamp already puts it there, otherwise a key between those of the QSOs at pos - 1 and
// pos.  Where two QSOs a thousandth of a second apart leave no room, the key of the QSO at
// `pos`, which may put it just after that one.
std::int64_t PlaceBefore(const TLogCollection& log, int pos, const QsoRecord& q);

bool InOrder(const TLogCollection& log);
// Puts the log in order (stable); false when it already was.
bool SortLog(TLogCollection& log);

}  // namespace vk
