// The log as standard ADIF 3.1 for upload services (LoTW, Club Log, QRZ) and other programs.
//
// The log file keeps each exchange whole in RST_SENT and RST_RCVD; services expect only the
// signal report there.  Here an exchange "599 014" becomes RST 599 and serial 14 (STX/SRX,
// with STX_STRING/SRX_STRING keeping "014" as logged); an exchange that is not a number after
// the report ("599 MO", "59 DARC") goes to the _STRING field alone.  In contests exchanging
// zones the received zone is also CQZ (CQ WW) or ITUZ (IARU).
#pragma once

#include <string>
#include <string_view>

#include "log/log_collection.h"
#include "util/datetime.h"

namespace vk {

class TTreeRules;

enum class ZoneField { kNone, kCq, kItu };

struct AdifExportSettings {
  std::string stationCall;  // STATION_CALLSIGN and OPERATOR
  std::string contestId;    // CONTEST_ID: the Cabrillo contest name
  ZoneField zones = ZoneField::kNone;
  bool dupes = true;  // false: repeats the contest does not count are left out
};

// The zone field a contest exchanges, from its Cabrillo name.
ZoneField ZoneFieldOfContest(std::string_view contestId);
// The own call and the contest of the loaded rules (the first part of a "A/B" Cabrillo name).
AdifExportSettings ExportSettingsFor(const TTreeRules& rules, std::string_view ownCall);

// An exchange cut into its signal report ("59", "599": 2 or 3 characters, readability 1-5 and
// strength 1-9) and the rest; no report when the first item is not one.
struct ReportAndRest {
  std::string report;
  std::string rest;
};
ReportAndRest SplitExchange(std::string_view exchange);

// ADIF band and mode names of a QSO: "20M", "2M", "70CM"; MODE "SSB" for phone, "PSK" with
// SUBMODE "PSK31".  Empty where the log has none.
std::string AdifBandName(std::int32_t freq);
std::string AdifModeName(Mode mode);
std::string AdifSubmodeName(Mode mode);

// Header (PROGRAMID, PROGRAMVERSION, ADIF_VER 3.1.4, CREATED_TIMESTAMP) and one record per
// QSO, log order, CR LF line ends.  `written` (when given) gets the number of records.
std::string StandardAdifText(const TLogCollection& log, const AdifExportSettings& settings,
                             const DateTime& created, int* written = nullptr);

}  // namespace vk
