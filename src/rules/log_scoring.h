// Scoring QSOs against the log they belong to: a QSO that repeats one the contest already
// counted (by the contest's repeat rule) is a dupe and scores nothing; every other QSO gets the
// points, multipliers and bonus the rule tree gives, in log order, as if the log had been
// typed in that order.
//
// The same scoring serves a QSO logged at the end of the log and the whole log after a
// correction (edit, delete, insert, a change from the group) or at load: a log written under
// an earlier rules file, or by a program that stores no scores, shows what the rules give, and
// a deleted QSO takes its multiplier along unless another QSO still brings it.
#pragma once

#include "log/log_collection.h"
#include "rules/tree_rules.h"
#include "score/repeat.h"
#include "util/band_totals.h"

namespace vk {

// Points, multipliers and bonus of one QSO, and whether it is a dupe.
struct QsoFigures {
  std::int16_t score = 0;
  std::int16_t multi = 0;
  std::int16_t bonus = 0;
  bool dupe = false;
};

// Scores a QSO about to be appended to `log`: the repeat check against the whole log, then
// the rules, recording the new multiplier and bonus keys.  The stored (corrected) received
// exchange is what is scored, so the figures are those a later rescoring gives.  `repeats`,
// when given, holds the log's QSOs by call (as RescoreLog leaves it): the repeat check then
// costs the QSOs of the call, not the log.
QsoFigures ScoreNewQso(TTreeRules& rules, const TLogCollection& log, const QsoRecord& q,
                       const RepeatTracker* repeats = nullptr);

// Copies the figures into the record.
void SetFigures(QsoRecord& q, const QsoFigures& f);

struct RescoreStats {
  int qsos = 0;
  int dupes = 0;
  int changed = 0;  // QSOs whose points, multipliers, bonus or dupe mark changed
  int storedChanged = 0;  // of those, the QSOs whose points, multipliers or bonus changed
};

// Scores every QSO of the log again from the first, with every multiplier and bonus key
// forgotten first, and rebuilds the band totals from the new figures.  Record checksums and
// the log checksum follow the changed figures.  `repeats`, when given, is left holding the
// QSOs that counted, by call, for the checks of the QSOs logged after.
RescoreStats RescoreLog(TLogCollection& log, TTreeRules& rules, BandTotals& totals,
                        RepeatTracker* repeats = nullptr);

}  // namespace vk
