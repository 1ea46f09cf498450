// `vorkan export` and `vorkan import`: the log in and out as standard ADIF, without a terminal.
//
//   vorkan export [--data DIR] --contest NAME --call CALL [--txnr TEXT] [--no-dupes]
//                 --adif OUT LOG.adi
//   vorkan import IN.adi
//
// The export scores the log by the contest first (dupes are known only then) and writes OUT
// atomically.  The import works on the station of the working directory: vorkan.cfg names the
// contest and the own call, vorkan.adi is the log.  Records that cannot be taken are listed on
// the error stream with the reason; the others are appended after the QSOs already logged, the
// log is scored again and written in one atomic replacement.  Nothing is written when no record
// was taken or the log file could not be read whole.
#pragma once

#include <iosfwd>
#include <span>
#include <string>

namespace vk {

inline constexpr int kTransferUsageError = 2;

int RunExportCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err);
// `workDir` empty: the current directory.
int RunImportCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err,
                     const std::string& workDir = {});

}  // namespace vk
