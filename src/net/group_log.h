// What the log exchange needs of the log it keeps in step with the group: to read it, and to
// hand it the changes that other stations made.  The owner of the log (in the running program
// the logbook) places, scores and saves them; the exchange only decides what a message means
// and where the QSO belongs in the group's common order.
#pragma once

#include <cstdint>
#include <vector>

#include "log/log_collection.h"

namespace vk {

enum class GroupChangeKind : std::uint8_t {
  kPlace,    // a QSO new to this log, at `position` (0 .. count)
  kReplace,  // the QSO at `position` becomes `qso` (an edit, or a repair that won)
  kDelete,   // the QSO at `position` goes
  kReorder,  // the log becomes `order`, the same QSOs in the group's common order
};

struct GroupChange {
  GroupChangeKind kind = GroupChangeKind::kPlace;
  int position = -1;
  QsoRecord qso;
  std::vector<QsoRecord> order;
};

class GroupLog {
 public:
  virtual ~GroupLog() = default;
  virtual const TLogCollection& Log() const = 0;
  // False, changing nothing, when the change cannot be applied (a position outside the log,
  // a full log, a Guid the log holds already).
  virtual bool ApplyRemote(const GroupChange& change) = 0;
};

// The group's common order: by stamp to the minute, then by Guid.  Stations that log in the
// same minute each append their own QSO first; placing what arrives by this order (and, where
// logs still differ, sorting by it) brings every station to the same order.
bool GroupOrderBefore(const QsoRecord& a, const QsoRecord& b);

}  // namespace vk
