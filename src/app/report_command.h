// SPDX-License-Identifier: GPL-3.0-or-later
// `vorkan report`: the post-contest HTML page of a log, scored as `vorkan score` scores it.
//
//   vorkan report [--data DIR] --contest NAME --call CALL [--txnr TEXT] --html OUT [LOG.adi]
#pragma once

#include <iosfwd>
#include <span>

namespace vk {

// The page goes to the file --html names; the totals as `vorkan score` prints them to `out`.
// 0 on success, kScoreUsageError for bad arguments or a log that cannot be scored, 1 when the
// page cannot be written.
int RunReportCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err);

}  // namespace vk
