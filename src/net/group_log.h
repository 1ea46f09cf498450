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
  kReplace,  // the QSO at `position` becomes `qso` (an edit, or a repair that won); the owner
             // moves it where a new stamp or place puts it in the order
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

// The group's common order, the log's one order (log_order.h): by stamp to the second (or the
// explicit place of a QSO inserted by hand), then by Guid.  Every QSO, whoever logged it and
// however it arrived, takes its place by this order, so every station holds the same order.
bool GroupOrderBefore(const QsoRecord& a, const QsoRecord& b);

}  // namespace vk
