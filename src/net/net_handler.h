// The UI thread's side of the log exchange: applying a message from another station to the
// log, and turning a change made here into the message that tells the others.
//
// The log, the rule tree and the band totals belong to the shell; the handler holds references
// and touches them only from the UI thread.  A message that cannot be applied whole (a bad
// number, a Guid that is not in the log, a log that is full) is journalled and leaves the log
// as it was.  The handler tells the shell what changed instead of redrawing anything itself;
// the shell passes it on to the windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log/log_collection.h"
#include "net/net_exchange.h"
#include "net/net_message.h"
#include "rules/tree_rules.h"
#include "util/band_totals.h"

namespace vk {

// The operations the shell passes with a QSO to send.
enum class SendOperation : int { kAdd = 1, kEdit = 2, kNone = 3, kInsert = 4, kAnswer = 5 };

enum class NetChange : std::uint8_t {
  kNone,      // nothing changed in the log (ignored, refused, or answered a request)
  kAppended,  // ADD: a QSO at `position` = count - 1
  kInserted,  // INS: a QSO at `position`
  kEdited,    // EDT: the QSO at `position` changed
  kDeleted,   // DEL: the QSO that was at `position` is gone
  kLogQso,    // QSO: one more QSO of a whole-log transfer, at `position`
  kEndOfLog,  // ENDLOG: the whole log has arrived; save it and end the program
};

struct NetResult {
  NetChange change = NetChange::kNone;
  int position = -1;
  // The band totals were rebuilt from the log (a deletion, or an edit that moved a QSO to
  // another band): every window showing totals refreshes.
  bool totalsRebuilt = false;
  friend bool operator==(const NetResult&, const NetResult&) = default;
};

class NetHandler {
 public:
  NetHandler(TLogCollection& log, TTreeRules& rules, BandTotals& totals, NetExchange& exchange);

  // Applies one received text.
  NetResult HandleMessage(std::string_view text);

  // Queues the message for a QSO changed here.  `record` must be a QSO of the log (its
  // position and, for an insert, the QSO after it are looked up there).  Operation 3, a
  // missing record, and a QSO whose call or exchanges hold the field separator send nothing
  // (false).
  bool SendQso(int operation, const QsoRecord* record);
  bool SendDelete(std::int32_t guid);
  bool RequestQso(std::int32_t n);  // GET: n, for the log receive window

  // While this station receives a whole log.  Only then are QSO: answers taken and ENDLOG:
  // obeyed: with a broadcast address or a third station, the answers meant for another
  // station arrive here too, and an ENDLOG: would end this station's program mid-contest.
  void SetReceivingLog(bool on) { receivingLog_ = on; }
  // "Receive log" chosen: the log and the band totals are emptied (the arriving QSOs are counted
  // afresh) and answers are taken from now on.
  void BeginReceivingLog();
  bool ReceivingLog() const { return receivingLog_; }

 private:
  NetResult Add(const QsoRecord& qso);
  NetResult Edit(const QsoRecord& qso);
  NetResult Delete(std::int64_t guid);
  NetResult Insert(std::int64_t nextGuid, const QsoRecord& qso);
  NetResult LogQso(std::int64_t position, const QsoRecord& qso);
  NetResult AnswerRequest(std::int64_t n);
  NetResult EndOfLog();

  // Scores the QSO with this station's rules (recording its new multipliers and bonuses) and
  // adds those values to the band totals; the QSO keeps the values it arrived with.
  void ScoreReceived(const QsoRecord& qso);
  void RebuildTotals();
  bool AlreadyHeld(const QsoRecord& qso) const;
  int PositionOf(const QsoRecord* record) const;
  NetResult Skip(std::string_view why, std::string_view text) const;

  TLogCollection& log_;
  TTreeRules& rules_;
  BandTotals& totals_;
  NetExchange& exchange_;
  bool receivingLog_ = false;
  std::string_view current_;  // the message being handled, for journal lines; only during it
};

}  // namespace vk
