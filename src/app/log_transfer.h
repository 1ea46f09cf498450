// File > Export ADIF and File > Import ADIF on the running station: the log out as standard
// ADIF for upload services, and QSOs of another program's ADIF file into the log.  The
// command-line modes (transfer_command.h) do the same on a station they load themselves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/station.h"
#include "util/result.h"

namespace vk {

struct TransferReport {
  Status status;
  std::string summary;               // one line for the operator
  std::vector<std::string> refused;  // "record 3 (K1ABC): no date", in file order
  int taken = 0;
};

// The name File > Export ADIF offers: "DL1ABC-export.adi" ("/" in a call becomes "_").
std::string StandardExportName(std::string_view ownCall);

// Writes the log, dupes included, to `path` (relative to the working directory) in one atomic
// replacement.  Refused for the log file itself.
TransferReport ExportStationLog(const Station& station, const std::string& path);

// Puts the records of `path` that can be QSOs of the loaded contest (their band and mode the
// contest's) into the log in time order through the logbook, which scores the whole log
// again, tells the windows and the group and writes the file once.
// Nothing is taken without a loaded contest or while the log file is not read whole (the file
// would be replaced by a log that lacks part of it).
TransferReport ImportIntoStation(Station& station, const std::string& path);

}  // namespace vk
