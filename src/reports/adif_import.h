// Standard ADIF from other programs (contest loggers, WSJT-X, upload services) turned into
// QSOs of the loaded contest.
//
// Field names are read in any case and order, lengths count bytes (so a value may hold "<"),
// and records end at <EOR> in any case.  The received exchange is put together the way the
// log keeps it: the report, then what the contest exchanges (SRX_STRING, else SRX, else the
// zone or state fields).  Records that cannot become a QSO are listed with the reason.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "log/log_collection.h"
#include "reports/adif_export.h"

namespace vk {

// One record: its fields with upper-cased names, in file order.
using AdifFields = std::vector<std::pair<std::string, std::string>>;

// Every record of the text (the header, up to <EOH>, skipped).  A record the text ends inside
// is left out.
std::vector<AdifFields> ParseAdifRecords(std::string_view text);

struct AdifImportRules {
  std::array<bool, 10> bands{};  // allowed band indexes, as the contest settings hold them
  std::array<bool, 5> modes{};   // allowed modes by number (CW, PH, FM, RTTY); none: any mode
  ZoneField zones = ZoneField::kNone;
};

struct AdifImportResult {
  std::vector<QsoRecord> qsos;       // to append, in file order (no Guid yet)
  std::vector<std::string> refused;  // "record 3 (K1ABC): no date"
};

// The records as QSOs; a record already in `log` (same call, minute, band and mode) is refused
// as a repeat of the file, so importing the same file twice adds nothing.
AdifImportResult ImportAdifText(std::string_view text, const AdifImportRules& rules,
                                const TLogCollection& log);

}  // namespace vk
