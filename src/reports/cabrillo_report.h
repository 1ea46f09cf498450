// The Cabrillo 3.0 report: what the report dialog collects, the choice lists it offers, and
// the file made from it and the log.
//
// The dialog owns the presentation (it builds, shows and disposes of itself); everything it
// asks the operator is held in CabrilloReportData, and WriteCabrilloReport does the rest.
// Texts are CP866 bytes and go into the file unconverted.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_collection.h"
#include "util/result.h"

namespace vk {

class Journal;

class TTreeRules;

// A drop-down list of the dialog: its items as shown (the file gets them trimmed) and how many
// rows it opens with.  The first item is the one chosen when the dialog opens.
struct ReportChoiceList {
  std::span<const std::string_view> items;
  std::uint8_t rows;
};

// Only the values of the Cabrillo 3.0 category lists: a robot refuses any other.
inline constexpr std::array<std::string_view, 3> kCategoryOperatorItems{" SINGLE-OP", "  MULTI-OP",
                                                                        "  CHECKLOG"};
inline constexpr std::array<std::string_view, 10> kCategoryBandItems{
    " ALL", "160M", " 80M", " 40M", " 20M", " 15M", " 10M", "  2M", " 432", "1.2G"};
inline constexpr std::array<std::string_view, 4> kCategoryModeItems{"   CW", "  SSB", "MIXED",
                                                                    " DIGI"};
inline constexpr std::array<std::string_view, 3> kCategoryPowerItems{"HIGH", " LOW", " QRP"};
inline constexpr std::array<std::string_view, 7> kCategoryStationItems{
    "FIXED     ", "MOBILE    ", "PORTABLE  ", "ROVER     ",
    "EXPEDITION", "HQ        ", "SCHOOL    "};
// Most entrants work unassisted, so the list opens there.
inline constexpr std::array<std::string_view, 2> kCategoryAssistedItems{"NON-ASSISTED",
                                                                        " ASSISTED   "};
inline constexpr std::array<std::string_view, 5> kCategoryTransmitterItems{
    "ONE      ", "TWO      ", "LIMITED  ", "UNLIMITED", "SWL      "};

inline constexpr ReportChoiceList kCategoryOperatorList{kCategoryOperatorItems, 3};
inline constexpr ReportChoiceList kCategoryBandList{kCategoryBandItems, 5};
inline constexpr ReportChoiceList kCategoryModeList{kCategoryModeItems, 3};
inline constexpr ReportChoiceList kCategoryPowerList{kCategoryPowerItems, 3};
inline constexpr ReportChoiceList kCategoryStationList{kCategoryStationItems, 4};
inline constexpr ReportChoiceList kCategoryAssistedList{kCategoryAssistedItems, 2};
inline constexpr ReportChoiceList kCategoryTransmitterList{kCategoryTransmitterItems, 4};

// Longest texts the dialog's lines take.
inline constexpr std::size_t kCabrilloContestWidth = 14;
inline constexpr std::size_t kReportCallWidth = 16;
inline constexpr std::size_t kCabrilloTextWidth = 30;  // operators, location, name, address

// The contest names a rules keyword offers: a name holding "/" is a choice between its parts
// ("CQ-WW-CW/CQ-WW-SSB"), each trimmed; any other name is one part.  The dialog shows a
// drop-down list of at most 3 rows when there is more than one part, else a text line.
std::vector<std::string> ContestNameParts(std::string_view cabrilloName);
inline constexpr std::uint8_t kContestListRows = 3;

struct CabrilloReportData {
  std::string contest;  // CONTEST: the typed text, or the chosen part of the name
  std::string call;     // the Call line: CALLSIGN:, own call of every QSO line, file name
  // Chosen items as the lists show them, padding included.
  std::string categoryOperator{kCategoryOperatorItems[0]};
  std::string categoryBand{kCategoryBandItems[0]};
  std::string categoryMode{kCategoryModeItems[0]};
  std::string categoryPower{kCategoryPowerItems[0]};
  std::string categoryStation{kCategoryStationItems[0]};
  std::string categoryAssisted{kCategoryAssistedItems[0]};
  std::string categoryTransmitter{kCategoryTransmitterItems[0]};
  // The dialog does not ask for it: the claimed total of the band totals.
  std::string claimedScore;
  std::string operators;
  std::string location;
  std::string name;
  std::string address1;
  std::string address2;
  // Lines the dialog has no room for; kept in the configuration file, where the operator may
  // write them (Club=, Email=, Soapbox=).
  std::string club;
  std::string email;
  std::string soapbox;
};

// What the dialog opens with: the first part of the contest's Cabrillo name, the own call,
// the claimed score the score window shows, every list on its first item, the other lines
// empty.
CabrilloReportData DefaultCabrilloReport(const TTreeRules& rules, std::string_view ownCall,
                                         std::uint32_t claimedScore = 0);

// The categories and texts the operator gave last time, from the [Cabrillo] section of the
// configuration file; contest, call and claimed score always come from the station.  Values
// the lists do not offer are left as they were.
void RecallCabrilloChoices(CabrilloReportData& data, const std::string& configPath);
// Keeps them there for the next report; the rest of the file stays as it was.
Status KeepCabrilloChoices(const CabrilloReportData& data, const std::string& configPath);

// The whole report, header to END-OF-LOG:, lines ended by kReportEol.  A log holding more
// than one mode is CATEGORY-MODE MIXED whatever was chosen, and OPERATORS left empty is the
// station's own call, as the robots expect.
std::string CabrilloReportText(const CabrilloReportData& data, const TLogCollection& log);
// Writes the report as "<call>.cbr" in `dir` (empty: the current directory); see
// WriteReportFile for the name and the failures.
Status WriteCabrilloReport(const CabrilloReportData& data, const TLogCollection& log,
                           const std::string& dir = {}, Journal* journal = nullptr);

}  // namespace vk
