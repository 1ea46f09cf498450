// `vorkan score`: a log file scored through a contest's rules without a terminal, as if each
// QSO had been typed in log order (dupes included).  Operators check a log with it after a
// rules file changed; it prints, per band, the QSOs, points and multipliers, and last
//   TOTAL qsos=N points=P multipliers=M score=S
//
//   vorkan score [--data DIR] --contest NAME --call CALL [--txnr TEXT] [--qsos]
//                [--cabrillo FILE] LOG.adi
//
// --qsos adds one tab-separated line per QSO: number, call, band, points, multipliers, bonus,
// dupe (0/1).  --txnr is the operator's own exchange (a zone, a region).  --cabrillo writes
// the Cabrillo report of the scored log, claimed score included.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

#include "country/country.h"
#include "log/journal.h"
#include "log/log_collection.h"
#include "rules/log_scoring.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"

namespace vk {

inline constexpr int kScoreUsageError = 2;

struct ScoreCommandOptions {
  std::string dataDir = "data";
  std::string contest;
  std::string call;
  std::string txnr;
  bool qsos = false;
  std::string cabrillo;
  std::string logPath;
};

// The arguments after "score".  nullopt with `error` set when they do not make a command.
std::optional<ScoreCommandOptions> ParseScoreArgs(std::span<const char* const> args,
                                                  std::string& error);

// A log file scored by a contest's rules without a terminal: what `vorkan score` prints from
// and what the HTML report draws.  The rule tree points at the lists and the log, so the whole
// stays where it was made.
struct ScoredLog {
  ScoredLog() : rules(&journal) {}
  ScoredLog(const ScoredLog&) = delete;
  ScoredLog& operator=(const ScoredLog&) = delete;
  Journal journal;  // debug.txt of the current directory, as in the program
  CountryLists lists;
  TTreeRules rules;
  TLogCollection log;
  BandTotals totals;
  RescoreStats stats;
};
// Loads and scores the log the options name; 0, or kScoreUsageError with the reason in `err`.
int ScoreLogFile(const ScoreCommandOptions& o, ScoredLog& s, std::ostream& err);
// The per-band rows, the dupes and the TOTAL line, as `vorkan score` prints them.
void PrintTotals(const BandTotals& totals, const RescoreStats& stats, std::ostream& out);

// Runs the command: the report goes to `out`, a one-line reason to `err`.  0 on success;
// kScoreUsageError for bad arguments, an unknown contest, an own call not in the country list
// or a log file that cannot be read.
int RunScoreCommand(const ScoreCommandOptions& options, std::ostream& out, std::ostream& err);
int RunScoreCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err);

}  // namespace vk
