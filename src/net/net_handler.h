// The UI thread's side of the log exchange: applying a message from another station to the
// log, and turning a change made here into the message that tells the others.
//
// The log belongs to its owner (the logbook); the handler reads it and hands it every change
// through GroupLog, from the UI thread only.  Scoring, saving and telling the windows are the
// owner's.  A message that cannot be applied whole (a bad number, a Guid that is not in the
// log, a log that is full) is journalled and leaves the log as it was.  The handler tells the
// caller what changed; the caller passes on what concerns it (whole-log transfer answers).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

#include "log/log_collection.h"
#include "net/group_log.h"
#include "net/net_exchange.h"
#include "net/net_guard.h"
#include "net/net_message.h"
#include "util/clock.h"

namespace vk {

// The operations the shell passes with a QSO to send.
enum class SendOperation : int { kAdd = 1, kEdit = 2, kNone = 3, kInsert = 4, kAnswer = 5 };

enum class NetChange : std::uint8_t {
  kNone,       // nothing changed in the log (ignored, refused, or answered a request)
  kAppended,   // ADD: a QSO at `position` = count - 1
  kInserted,   // INS: a QSO at `position`
  kEdited,     // EDT: the QSO at `position` changed
  kDeleted,    // DEL: the QSO that was at `position` is gone
  kLogQso,     // QSO: one more QSO of a whole-log transfer, at `position`
  kEndOfLog,   // ENDLOG: the other station's log has been asked for to its end
  kReplaced,   // a repair replaced the QSO at `position` whole (score included)
  kReordered,  // the log was put into the group's common order
};

struct NetResult {
  NetChange change = NetChange::kNone;
  int position = -1;
  // QSO: and ENDLOG: answer the request for QSO answered + 1, whether or not the QSO was new.
  int answered = -1;
  friend bool operator==(const NetResult&, const NetResult&) = default;
};

class NetHandler {
 public:
  static constexpr int kSkipLinesPerSecond = 50;

  // Journals to the exchange's journal.  `time` (nullptr: the computer's clock) dates the
  // two-digit years of edited stamps; it outlives the handler.
  NetHandler(GroupLog& log, NetExchange& exchange, const TimeSource* time = nullptr);

  // Applies one received text.
  NetResult HandleMessage(std::string_view text);

  // One function per kind of change that arrives, whichever message brought it.  Each leaves
  // the log whole: a change that cannot be applied is journalled and changes nothing.
  //   ADD: a QSO not held (nor deleted) here takes its place in the log's order (by stamp,
  //   then Guid, from the end), so stations that log at the same time end up in one order.
  NetResult ApplyAdd(const QsoRecord& qso);
  //   EDT: the QSO's stamp, frequency, mode, call and exchanges, when the edit is newer than
  //   the QSO held (a higher Mark, the edit version: log/qso.h); others are refused.
  NetResult ApplyEdit(const QsoRecord& qso);
  NetResult ApplyDelete(std::int64_t guid);
  //   INS: placed by the order the QSO carries (its stamp, or the explicit place the inserting
  //   station gave it), wherever the QSO of `nextGuid` stands here.
  NetResult ApplyInsert(std::int64_t nextGuid, const QsoRecord& qso);
  // A repair: the QSO is added (before `nextGuid` when held) or, when the copy held is older,
  // replaced whole.  A deleted Guid stays deleted.
  NetResult ApplyRecord(std::int64_t nextGuid, const QsoRecord& qso);
  // The log in the group's common order (stamp, then Guid); kNone when it already was.
  NetResult ApplyOrder();

  // Guids deleted here or by the group.  A late copy of an ADD (a retry, a repair) must not
  // bring a deleted QSO back.
  bool Deleted(std::int32_t guid) const { return tombstones_.count(guid) != 0; }
  void NoteDeleted(std::int32_t guid) { tombstones_.insert(guid); }
  const std::unordered_set<std::int32_t>& Tombstones() const { return tombstones_; }
  // Called with every change message queued here (ADD, EDT, DEL, INS), for the retries.
  void OnChangeSent(std::function<void(const std::string&)> f) { changeSent_ = std::move(f); }

  // Queues the message for a QSO changed here.  `record` must be a QSO of the log (its
  // position and, for an insert, the QSO after it are looked up there).  Operation 3, a
  // missing record, and a QSO whose call or exchanges hold the field separator send nothing
  // (false).
  bool SendQso(SendOperation operation, const QsoRecord* record);
  // The same with the operation's number; a number that names no operation sends nothing.
  bool SendQso(int operation, const QsoRecord* record) {
    return SendQso(static_cast<SendOperation>(operation), record);
  }
  bool SendDelete(std::int32_t guid);
  bool RequestQso(std::int32_t n);  // GET: n, for the log receive window

  // While this station receives a whole log.  Only then are QSO: answers taken and ENDLOG:
  // obeyed: with a broadcast address or a third station, the answers meant for another
  // station arrive here too, and an ENDLOG: would end this station's program mid-contest.
  void SetReceivingLog(bool on) { receivingLog_ = on; }
  // "Receive log" chosen: answers are taken from now on, and merged into the log (the QSOs
  // held here stay).
  void BeginReceivingLog();
  bool ReceivingLog() const { return receivingLog_; }

 private:
  NetResult Dispatch(const NetMessage& m, std::string_view text);
  NetResult LogQso(std::int64_t position, const QsoRecord& qso);
  NetResult PlaceNew(int pos, const QsoRecord& qso);
  int OrderedPlace(const QsoRecord& qso) const;
  void Replace(int pos, const QsoRecord& qso);
  bool SendChange(std::string message);
  NetResult AnswerRequest(std::int64_t n);
  NetResult EndOfLog();

  const TLogCollection& Log() const { return book_.Log(); }
  int PositionOf(const QsoRecord* record) const;
  NetResult Skip(std::string_view why, std::string_view text) const;

  GroupLog& book_;
  NetExchange& exchange_;
  SystemTimeSource systemTime_;
  const TimeSource& time_;
  bool receivingLog_ = false;
  std::unordered_set<std::int32_t> tombstones_;
  std::function<void(const std::string&)> changeSent_;
  std::string_view current_;  // the message being handled, for journal lines; only during it
  mutable JournalRate skipJournal_{kSkipLinesPerSecond, exchange_.journal()};
};

}  // namespace vk
