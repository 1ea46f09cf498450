#include "rules/log_scoring.h"

#include "log/journal.h"
#include "score/repeat.h"
#include "util/bands.h"

namespace vk {

namespace {

// The rules' answer for a QSO that counts.  Results wrap to 16 bits as the record keeps them.
QsoFigures RuleFigures(TTreeRules& rules, const QsoRecord& q) {
  const BandIndex band = BandOfFreq(q.Freq);
  QsoFigures f;
  f.score = static_cast<std::int16_t>(rules.GetScore(q.Call, q.Rcvd, band, q.Mode));
  f.multi = static_cast<std::int16_t>(rules.GetMulti(q.Call, q.Rcvd, band, q.Mode, true));
  f.bonus = static_cast<std::int16_t>(rules.GetBonus(q.Call, q.Rcvd, band, q.Mode, true));
  return f;
}

QsoFigures DupeFigures() {
  QsoFigures f;
  f.dupe = true;
  return f;
}

bool SameFigures(const QsoRecord& q, const QsoFigures& f) {
  return q.Score == f.score && q.Multi == f.multi && q.Bonus == f.bonus && q.Dupe == f.dupe;
}

}  // namespace

QsoFigures ScoreNewQso(TTreeRules& rules, const TLogCollection& log, const QsoRecord& q,
                       const RepeatTracker* repeats) {
  // The check the entry window made when the call was entered may be stale (the operator
  // tabbed past it, or went straight to the exchange): it is made again for what is logged.
  // A contest without a valid repeat rule knows no dupes.
  const RepeatSettings& s = rules.Settings().repeat;
  RepeatResult rep;
  if (repeats != nullptr) {
    rep = repeats->Check(log, s, q.Call, q.Freq, q.Mode, q.Stamp);
    if (rep.invalidRule) JournalAppend(rules.journal(), kRepqsoErrorText);
  } else {
    rep = CheckRepeat(log, s, q.Call, q.Freq, q.Mode, q.Stamp, rules.journal());
  }
  return rep.position != 0 ? DupeFigures() : RuleFigures(rules, q);
}

void SetFigures(QsoRecord& q, const QsoFigures& f) {
  q.Score = f.score;
  q.Multi = f.multi;
  q.Bonus = f.bonus;
  q.Dupe = f.dupe;
}

RescoreStats RescoreLog(TLogCollection& log, TTreeRules& rules, BandTotals& totals,
                        RepeatTracker* kept) {
  rules.ResetTallies();
  totals.Clear();
  RepeatTracker local;
  RepeatTracker& repeats = kept != nullptr ? *kept : local;
  repeats.Clear();
  repeats.Reserve(static_cast<std::size_t>(log.Count()));
  const RepeatSettings& settings = rules.Settings().repeat;
  RescoreStats stats;
  stats.qsos = log.Count();
  for (int pos = 0; pos < log.Count(); ++pos) {
    const QsoRecord& q = *log.At(pos);
    const bool dupe = repeats.Scan(log, settings, pos).position != 0;
    const QsoFigures f = dupe ? DupeFigures() : RuleFigures(rules, q);
    if (dupe) ++stats.dupes;
    totals.Add(BandOfFreq(q.Freq), static_cast<std::uint16_t>(f.score),
               static_cast<std::uint16_t>(f.multi), static_cast<std::uint16_t>(f.bonus));
    if (SameFigures(q, f)) continue;
    ++stats.changed;
    if (q.Score != f.score || q.Multi != f.multi || q.Bonus != f.bonus) ++stats.storedChanged;
    log.SetFigures(pos, f.score, f.multi, f.bonus, f.dupe);
  }
  if (stats.changed != 0) log.CalcLogCrc();
  return stats;
}

}  // namespace vk
