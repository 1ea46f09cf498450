// A log file that holds one Guid twice (written by two stations whose counters met, or by a
// merge of two logs) would make every later message about that Guid ambiguous and stall a
// transfer at the second copy.  At load each later copy gets a Guid of its own.
//
// The new Guid depends only on the QSO and on how many copies came before it, so every station
// that loads the same file gives the same QSO the same new Guid: the stations of a group keep
// agreeing on what a Guid names.
#pragma once

#include <cstdint>

#include "log/log_collection.h"

namespace vk {

// Gives every QSO after the first of its Guid (and every QSO with Guid 0) a new Guid in the
// repair part (kRepairStationPart).  Returns how many QSOs were changed; the log checksum is
// recomputed when any was.
int RepairDuplicateGuids(TLogCollection& log);

}  // namespace vk
