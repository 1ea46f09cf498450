// The one owner of the log.  Every change of the log, whoever makes it (the entry window, the
// QSO dialogs, an ADIF import, a station of the group, a rescore after the station's settings
// changed), goes through one call here, which
//   1. validates it (a position that exists, a stamp that is a real minute, a Guid no other QSO
//      has, and for an import the bands and modes the contest has),
//   2. places the QSO (at the end for a QSO just made, in time order for an import and for a
//      QSO from the group, where the operator put it for an insert),
//   3. scores it, or the whole log where the change can move figures of other QSOs,
//   4. saves the log once (appending a new last QSO, else replacing the file atomically),
//   5. publishes one LogChange: views pull the changes since the revision they last saw, the
//      network and the bus relay hear each change as it is published.
// Changes from the group come in bursts (a whole-log transfer is thousands of messages): they
// are placed as they arrive and scored, saved and published once per burst (SettleRemote).
//
// The band totals, the repeat state (the multiplier keys the rule tree holds), the Guid counter
// and the log file are the logbook's too.  Only the UI thread calls it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/log_store.h"
#include "log/adif.h"
#include "log/log_collection.h"
#include "net/group_log.h"
#include "rules/log_scoring.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"
#include "util/clock.h"
#include "util/result.h"

namespace vk {

class Journal;

// Who made a change.  The network sends the changes made here and never echoes the group's.
enum class LogOrigin : std::uint8_t {
  kEntry,   // the entry window: a QSO just made
  kEditor,  // the Edit, Delete and Add QSO dialogs
  kImport,  // another program's ADIF file
  kGroup,   // another station of the group
  kRules,   // the whole log scored again (new station settings, the log loaded)
};

enum class LogChangeKind : std::uint8_t {
  kAppended,  // a QSO at `position`, the log's last
  kInserted,  // a QSO at `position`; those after it moved down one
  kEdited,    // the QSO at `position` changed
  kDeleted,   // the QSO that was at `position` is gone (`guid` was its Guid)
  kRescored,  // figures and dupe marks may have changed anywhere
  kReordered, // the same QSOs in another order
};

struct LogChange {
  std::uint64_t revision = 0;  // 1 for the first change published, one more for each
  LogChangeKind kind = LogChangeKind::kRescored;
  LogOrigin origin = LogOrigin::kRules;
  std::int32_t guid = 0;  // 0 for kRescored and kReordered
  int position = -1;
  friend bool operator==(const LogChange&, const LogChange&) = default;
};

// The answer to one change: whether it was taken and why not, where the QSO now is, and whether
// the file holds it (a QSO that is logged but not saved is still in the log).
struct LogResult {
  Status status;  // refused: nothing changed
  int position = -1;
  Status saved;
  bool ok() const { return status.ok(); }
};

struct ImportOutcome {
  int taken = 0;
  std::vector<std::string> refused;  // "K1ABC 2026-11-28 12:00: mode RTTY not in the contest"
  Status saved;
};

class Logbook final : public GroupLog {
 public:
  // The rule tree scores the log; the logbook wires the tree to its log.  `workDir`, `time`
  // and `journal` as for the log store.  The tree, time source and journal outlive the book.
  Logbook(TTreeRules& rules, std::string workDir, const TimeSource& time, Journal* journal);
  Logbook(const Logbook&) = delete;
  Logbook& operator=(const Logbook&) = delete;

  const TLogCollection& Log() const override { return log_; }
  const BandTotals& Totals() const { return totals_; }
  void SetTotalsFormula(std::uint8_t selector) { totals_.SetFormula(selector); }
  // The Guids of the QSOs made here; Load sets the counter to the last Guid read.
  QsoIdCounter& Ids() { return ids_; }

  // --- the log file ---------------------------------------------------------------------------
  // Reads vorkan.adi into the empty log (see LogStore::Load), scores it by the loaded rules and
  // gives QSOs that share a Guid new ones.  Refused when the log is not empty.
  Status Load(AdifLoadStats* stats = nullptr);
  const std::string& Notice() const { return store_.Notice(); }
  // Writes the whole log; an empty log leaves the file as it was.
  Status Save();
  bool Saved() const { return store_.Holds(log_); }
  // The last write of the log file failed: what the status line warns of.
  bool SaveFailed() const { return store_.WriteFailed(); }
  bool FileInLog() const { return store_.FileInLog(); }
  // The program's end: the log unless New contest archived it or the file already holds it.
  Status SaveOnExit(bool discardLog);
  Status SaveCopy(const std::string& dir, std::string& path) const {
    return store_.WriteCopy(log_, dir, path);
  }

  // --- changes ----------------------------------------------------------------------------------
  // A QSO just made, at the end of the log: Guid given, scored against the log before it (its
  // new multipliers recorded), appended and saved by appending.  Refused when the log is full
  // or the stamp is no real minute.
  LogResult Add(QsoRecord qso, LogOrigin origin = LogOrigin::kEntry);
  // A QSO put in before the QSO at `pos` (the Add QSO dialog): Guid given, the whole log scored
  // again, saved whole.  The QSO is scored where it stands, as if typed in its turn.
  LogResult Insert(int pos, QsoRecord qso, LogOrigin origin = LogOrigin::kEditor);
  // The QSO at `pos` takes the stamp, frequency, mode, call and exchanges of `qso`; its Guid
  // stays and its edit count (Mark) goes up, so that a late copy of an older edit cannot undo it
  // at another station.  The whole log is scored again and saved.
  LogResult Edit(int pos, const QsoRecord& qso, LogOrigin origin = LogOrigin::kEditor);
  LogResult Delete(int pos, LogOrigin origin = LogOrigin::kEditor);
  // QSOs of another program: each checked (band and mode of the contest, a real stamp), given a
  // Guid, and placed in time order among the QSOs held, the older first; then the whole log
  // scored once and saved once.  A full log refuses the rest.
  ImportOutcome Import(std::vector<QsoRecord> qsos);
  // The whole log scored again (new own call or exchange, other rules), saved and published;
  // the status is the save's.
  Status Rescore(LogOrigin origin = LogOrigin::kRules);
  // Scores the whole log and rebuilds the totals without saving or publishing: for a log that
  // is being loaded or a command that only reads the figures.
  RescoreStats ScoreOnly();

  // Whether working `call` now would repeat a QSO of the log (CheckRepeat's answer), from the
  // log's QSOs kept by call since the last scoring: the cost of the QSOs of that call, not of
  // the log.  An invalid repeat rule is journalled.
  RepeatResult CheckRepeat(std::string_view call, std::int32_t freq, Mode mode,
                           const DateTime& when) const;

  // A change from another station, applied at once (the exchange reads the log between two
  // messages) but scored, saved and published by SettleRemote.
  bool ApplyRemote(const GroupChange& change) override;
  // The end of a burst of the group's changes: the whole log scored once, saved, and every
  // change published in the order it was made, then kRescored.  False when nothing was pending.
  bool SettleRemote(Status* saved = nullptr);

  // --- the change feed ------------------------------------------------------------------------
  std::uint64_t Revision() const { return revision_; }
  // The changes after `revision`, oldest first.  `complete` false: some are no longer kept, and
  // the reader must take the whole log again.
  std::vector<LogChange> ChangesSince(std::uint64_t revision, bool* complete = nullptr) const;
  // Called with every change as it is published, in the order of subscription.
  using Listener = std::function<void(const LogChange&)>;
  int Subscribe(Listener listener);
  void Unsubscribe(int id);

  static constexpr std::size_t kFeedKept = 4096;

 private:
  friend struct LogbookTestAccess;  // tests build their starting logs directly

  std::int32_t NextGuid();
  // A real stamp, a printable call and exchanges without control bytes.
  Status CheckQso(const QsoRecord& qso) const;
  Status SaveAfter(LogChangeKind kind, int pos);
  void Publish(LogChangeKind kind, LogOrigin origin, std::int32_t guid, int pos);
  int TimeOrderPlace(const QsoRecord& qso) const;

  TTreeRules& rules_;
  Journal* journal_;
  TLogCollection log_;
  LogStore store_;
  BandTotals totals_;
  QsoIdCounter ids_;
  std::uint64_t revision_ = 0;
  std::deque<LogChange> feed_;
  std::vector<std::pair<int, Listener>> listeners_;
  int nextListener_ = 1;
  std::vector<LogChange> pending_;  // the group's changes not yet settled (revision 0)
  // The QSOs that counted, by call, as the last scoring left them and Add keeps them; good
  // while the log is at revision repeatsAt_, else the checks read the whole log.
  RepeatTracker repeats_;
  std::uint64_t repeatsAt_ = UINT64_MAX;
};

}  // namespace vk
