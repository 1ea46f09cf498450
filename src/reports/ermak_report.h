// The Ermak-format report some Russian contests ask for: a Cabrillo-shaped file whose header
// carries the categories of a report group from the contest's rules and one OPERATORS line
// per operator (surname, name, patronymic, year of birth, sports rank, call, station
// category).
//
// Three dialogs collect ErmakReportData: the first picks the contest, the call and the report
// group (ErmakReportGroups, then ApplyErmakGroup with the chosen name), the second asks for as
// many operators as the group's operator category calls for, the third for club, e-mail, name,
// addresses and soapbox.  WriteErmakReport then writes the file.  Texts are CP866; only the
// operator lines are converted to Windows-1251, which the contest's robot reads them in.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log/log_collection.h"
#include "reports/cabrillo_report.h"
#include "rules/contest_settings.h"
#include "util/bands.h"
#include "util/result.h"

namespace vk {

class Journal;

class TTreeRules;

// "Отчет для контроля": the group every contest offers, for a check log.
inline constexpr std::string_view kErmakCheckGroupName =
    "\x8E\xE2\xE7\xA5\xE2 \xA4\xAB\xEF \xAA\xAE\xAD\xE2\xE0\xAE\xAB\xEF";

// Sports ranks: none, 3rd to 1st class, candidate master, master, international master.
inline constexpr std::array<std::string_view, 7> kErmakRankItems{
    " \xAD\xA5\xE2", "  3 ", "  2 ", "  1 ", " \x8A\x8C\x91", "  \x8C\x91", "\x8C\x91\x8C\x8A"};
inline constexpr std::array<std::string_view, 4> kErmakStationItems{"4", "3", "2", "1"};
inline constexpr ReportChoiceList kErmakRankList{kErmakRankItems, 6};
inline constexpr ReportChoiceList kErmakStationList{kErmakStationItems, 4};
inline constexpr std::uint8_t kErmakGroupRows = 7;  // at most; fewer groups open fewer

// Longest texts the dialogs' lines take.
inline constexpr std::size_t kErmakContestWidth = 20;
inline constexpr std::size_t kErmakPersonWidth = 30;  // surname, name, patronymic
inline constexpr std::size_t kErmakClubWidth = 30;    // club, e-mail
inline constexpr std::size_t kErmakTextWidth = 40;    // name, addresses, soapbox

// Year of birth left empty or not a number.
inline constexpr std::uint16_t kErmakNoYear = 65535;

struct ErmakCategories {
  std::string operatorCategory;
  std::string band;
  std::string mode;  // ":MODE:" stands for the mode the station works in
  std::string power;
  std::string station;
  std::string overlay;
  friend bool operator==(const ErmakCategories&, const ErmakCategories&) = default;
};

// What a chosen group gives: its categories and how many operators the report lists.
struct ErmakSelection {
  ErmakCategories categories;
  std::uint8_t operatorCount = 0;
};

struct ErmakOperator {
  std::string surname;
  std::string name;
  std::string patronymic;
  std::uint16_t yearOfBirth = kErmakNoYear;
  std::string rank{kErmakRankItems[0]};  // as listed, spaces included
  std::string call;
  std::string stationCategory{kErmakStationItems[0]};
};

struct ErmakReportData {
  std::string contest;
  std::string call;  // CALLSIGN:, own call of every QSO line, file name
  ErmakCategories categories;
  std::vector<ErmakOperator> operators;  // an operator without a surname is left out
  std::string club;
  std::string email;
  std::string name;
  std::string address1;
  std::string address2;
  std::string soapbox;  // written as a SOAPBOX: line when not empty
};

enum class ReportKind : std::uint8_t { kCabrillo, kErmak };
// The Ermak-format report for a contest whose rules define report groups, Cabrillo otherwise.
ReportKind ChooseReport(const TTreeRules& rules);

// The check-log group followed by the groups of the rules, in the order the rules give them.
std::vector<ErmakGroup> ErmakReportGroups(const TTreeRules& rules);
// Every group whose name matches `chosenName` (both trimmed), item by item in list order; a
// later item of a name replaces an earlier one.  Nothing matches: all empty, no operators.
ErmakSelection SelectErmakGroup(const std::vector<ErmakGroup>& groups, std::string_view chosenName);
// SINGLE-OP and CHECKLOG 1, MULTI-OP-2 2, MULTI-OP 3, anything else 0.
std::uint8_t ErmakOperatorCount(std::string_view operatorCategory);
// The typed year; empty or bad text (or a value beyond 16 bits) gives kErmakNoYear.
std::uint16_t ErmakYearOfBirth(std::string_view text);

// What the first dialog opens with: the first part of the contest's Cabrillo name and the own
// call.  ApplyErmakGroup then sets the categories and as many blank operators as they ask for.
ErmakReportData DefaultErmakReport(const TTreeRules& rules, std::string_view ownCall);
void ApplyErmakGroup(ErmakReportData& data, const ErmakSelection& selection);

// The whole report; `currentMode` (the entry window's) resolves ":MODE:".
std::string ErmakReportText(const ErmakReportData& data, const TLogCollection& log,
                            Mode currentMode);
// Writes the report as "<call>.cbr" in `dir` (empty: the current directory), the same file the
// Cabrillo report uses; see WriteReportFile for the name and the failures.
Status WriteErmakReport(const ErmakReportData& data, const TLogCollection& log, Mode currentMode,
                        const std::string& dir = {}, Journal* journal = nullptr);

}  // namespace vk
