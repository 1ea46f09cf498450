#include "net/net_handler.h"

#include <algorithm>
#include <climits>
#include <tuple>
#include <vector>

#include "log/journal.h"
#include "log/log_order.h"
#include "net/net_guard.h"
#include "util/bands.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

// An edit carries the stamp over in this form, as the edit dialog does.
constexpr std::string_view kEditStampMask = "yyyy-mm-dd hh:nn";

}  // namespace

NetHandler::NetHandler(GroupLog& log, NetExchange& exchange, const TimeSource* time)
    : book_(log),
      exchange_(exchange),
      time_(time != nullptr ? *time : systemTime_) {}

NetResult NetHandler::HandleMessage(std::string_view text) {
  current_ = text;
  const NetResult r = Dispatch(ParseNetMessage(text), text);
  current_ = {};  // the text is the caller's; the repairs apply changes without one
  return r;
}

NetResult NetHandler::Dispatch(const NetMessage& m, std::string_view text) {
  switch (m.verb) {
    case NetVerb::kNone:
      return Skip(m.fault, text);
    case NetVerb::kHelo:
      return {};  // checksum reports are the network thread's; one that got here means nothing
    case NetVerb::kAdd:
      return ApplyAdd(m.qso);
    case NetVerb::kEdt:
      return ApplyEdit(m.qso);
    case NetVerb::kDel:
      return ApplyDelete(m.number);
    case NetVerb::kIns:
      return ApplyInsert(m.number, m.qso);
    case NetVerb::kQso:
      return LogQso(m.number, m.qso);
    case NetVerb::kGet:
      return AnswerRequest(m.number);
    case NetVerb::kEndLog:
      return EndOfLog();
  }
  return {};
}

bool GroupOrderBefore(const QsoRecord& a, const QsoRecord& b) {
  return LogOrderBefore(a, b);
}

int NetHandler::OrderedPlace(const QsoRecord& qso) const {
  return vk::OrderedPlace(Log(), qso);
}

NetResult NetHandler::PlaceNew(int pos, const QsoRecord& qso) {
  if (!book_.ApplyRemote({GroupChangeKind::kPlace, pos, qso, {}})) {
    return Skip("log full", current_);
  }
  const bool last = pos == Log().Count() - 1;
  return {last ? NetChange::kAppended : NetChange::kInserted, pos, -1};
}

NetResult NetHandler::ApplyAdd(const QsoRecord& qso) {
  // Retries, repairs and a station hearing its own broadcast bring QSOs held already; a Guid
  // names one QSO in the group, so a second copy (even a different one) is never appended.
  if (Log().FindByGuid(qso.Guid) >= 0) return Skip("QSO already in the log", current_);
  if (Deleted(qso.Guid)) return Skip("QSO deleted here", current_);
  return PlaceNew(OrderedPlace(qso), qso);
}

NetResult NetHandler::ApplyEdit(const QsoRecord& qso) {
  const int pos = Log().FindByGuid(qso.Guid);
  if (pos < 0) return Skip("no QSO with this Guid", current_);
  const QsoRecord& held = *Log().At(pos);
  // The newest edit wins: versions differ between any two edits, so every station keeps the
  // same one whatever order the edits arrive in, and the same version again is a retry.  A
  // station that does not version its edits sends the version it holds (below 128); such an
  // edit is taken unless older.
  const bool versioned = qso.Mark >= (1 << kEditVersionStationBits);
  if (qso.Mark < held.Mark || (versioned && qso.Mark == held.Mark)) {
    return Skip("edit not newer than the QSO held", current_);
  }
  // The Guid stays; the owner scores the log again and keeps it in order.
  QsoRecord q = held;
  DateTime stamp = held.Stamp;
  ParseMask(FormatMask(qso.Stamp, kEditStampMask), kEditStampMask, stamp, time_);
  stamp.second = qso.Stamp.second;
  q.Stamp = stamp;
  q.Place = qso.Place;
  // A station that sends no seconds sends the minute alone: an edit that keeps the minute keeps
  // the seconds and the place held.
  if (qso.Stamp.second == 0 && qso.Place == 0 &&
      FormatMask(stamp, kEditStampMask) == FormatMask(held.Stamp, kEditStampMask)) {
    q.Stamp = held.Stamp;
    q.Place = held.Place;
  }
  TakeEditedFields(qso, q);
  q.Mark = qso.Mark;
  Replace(pos, q);
  const int now = Log().FindByGuid(q.Guid);
  return {NetChange::kEdited, now, -1};
}

NetResult NetHandler::ApplyDelete(std::int64_t guid) {
  const int pos = Log().FindByGuid(static_cast<std::int32_t>(guid));
  JournalAppend(exchange_.journal(), "DEL_IDX=>" + IntToStr(pos));
  // Noted even when the QSO never arrived here: its ADD may still be on the way.
  if (guid >= INT32_MIN && guid <= INT32_MAX) NoteDeleted(static_cast<std::int32_t>(guid));
  if (pos < 0) return {};
  book_.ApplyRemote({GroupChangeKind::kDelete, pos, {}, {}});
  return {NetChange::kDeleted, pos, -1};
}

NetResult NetHandler::ApplyInsert(std::int64_t nextGuid, const QsoRecord& qso) {
  (void)nextGuid;
  if (Log().FindByGuid(qso.Guid) >= 0) return Skip("QSO already in the log", current_);
  if (Deleted(qso.Guid)) return Skip("QSO deleted here", current_);
  // The inserting station gave the QSO its place in the order (its stamp, or an explicit
  // place); the QSO named as the next one may be elsewhere here, lost or deleted, so the place
  // the QSO carries decides, the same at every station.
  return PlaceNew(OrderedPlace(qso), qso);
}

NetResult NetHandler::ApplyRecord(std::int64_t nextGuid, const QsoRecord& qso) {
  if (Deleted(qso.Guid)) return {};
  const int pos = Log().FindByGuid(qso.Guid);
  if (pos < 0) return ApplyInsert(nextGuid, qso);
  const QsoRecord& held = *Log().At(pos);
  QsoRecord cut = qso;
  cut.Crc = 0;
  const std::uint32_t crc = ComputeQsoCrc(cut);
  // The later edit wins; between two copies edited as often, the higher checksum, so that
  // every station picks the same one.
  if (std::tie(qso.Mark, crc, qso.Place) <= std::tie(held.Mark, held.Crc, held.Place)) return {};
  Replace(pos, qso);
  return {NetChange::kReplaced, Log().FindByGuid(qso.Guid), -1};
}

NetResult NetHandler::ApplyOrder() {
  const TLogCollection& log = Log();
  if (InOrder(log)) return {};
  std::vector<QsoRecord> sorted(log.begin(), log.end());
  std::stable_sort(sorted.begin(), sorted.end(), LogOrderBefore);
  book_.ApplyRemote({GroupChangeKind::kReorder, -1, {}, std::move(sorted)});
  return {NetChange::kReordered, -1, -1};
}

void NetHandler::Replace(int pos, const QsoRecord& qso) {
  book_.ApplyRemote({GroupChangeKind::kReplace, pos, qso, {}});
}

NetResult NetHandler::LogQso(std::int64_t position, const QsoRecord& qso) {
  if (!receivingLog_) return Skip("not receiving a log", current_);
  const int answered = static_cast<int>(std::min<std::int64_t>(position, INT32_MAX - 1));
  // Requests are repeated until answered, so answers come twice, and the log being merged into
  // may hold the QSO already: the Guid test drops the copy, the request still counts answered.
  if (Log().FindByGuid(qso.Guid) >= 0 || Deleted(qso.Guid)) {
    return {NetChange::kNone, -1, answered};
  }
  // The other station's log merges into this one: the QSO takes its place in the log's order
  // rather than the other log's position.
  NetResult r = PlaceNew(OrderedPlace(qso), qso);
  if (r.change == NetChange::kNone) return r;
  return {NetChange::kLogQso, r.position, answered};
}

NetResult NetHandler::AnswerRequest(std::int64_t n) {
  if (n > Log().Count()) {
    exchange_.Send(EndLogMessage());
  } else if (n >= 1) {
    const int pos = static_cast<int>(n - 1);
    const QsoRecord& q = *Log().At(pos);
    if (CanTravel(q)) {
      exchange_.Send(QsoMessage(pos, q));
    } else {
      JournalAppend(exchange_.journal(),
                    "NET_SKIP:->QSO " + IntToStr(n) + " holds \"`\" and cannot be sent");
    }
  }
  return {};
}

void NetHandler::BeginReceivingLog() {
  receivingLog_ = true;
}

NetResult NetHandler::EndOfLog() {
  if (!receivingLog_) return Skip("not receiving a log", current_);
  return {NetChange::kEndOfLog, -1, -1};
}

NetResult NetHandler::Skip(std::string_view why, std::string_view text) const {
  // A station of the group gone wrong may repeat a bad message many times a second.
  skipJournal_.Append("NET_SKIP:->" + std::string(why) + ": " + PrintableText(text));
  return {};
}

// --- sending ------------------------------------------------------------------------------------

int NetHandler::PositionOf(const QsoRecord* record) const {
  for (int i = 0; i < Log().Count(); ++i) {
    if (Log().At(i) == record) return i;
  }
  return Log().FindByGuid(record->Guid);
}

bool NetHandler::SendQso(SendOperation op, const QsoRecord* record) {
  if (record == nullptr) return false;
  if (op != SendOperation::kAdd && op != SendOperation::kEdit && op != SendOperation::kInsert &&
      op != SendOperation::kAnswer) {
    return false;
  }
  if (!CanTravel(*record)) {
    // The other stations would read the fields after the accent shifted; better they do not
    // get it at all (their checksums will show the difference).
    JournalAppend(exchange_.journal(),
                  "NET_SKIP:->QSO " + IntToStr(record->Guid) + " holds \"`\" and cannot be sent");
    return false;
  }
  if (op == SendOperation::kAdd) return SendChange(AddMessage(*record));
  if (op == SendOperation::kEdit) return SendChange(EdtMessage(*record));
  const int pos = PositionOf(record);
  if (pos < 0) return false;
  if (op == SendOperation::kAnswer) return exchange_.Send(QsoMessage(pos, *record));
  // The receiver inserts before its copy of the QSO that now follows; a QSO added at the end
  // has none, and appending it is the same change.
  const QsoRecord* next = Log().At(pos + 1);
  if (next == nullptr) return SendChange(AddMessage(*record));
  return SendChange(InsMessage(next->Guid, *record));
}

bool NetHandler::SendDelete(std::int32_t guid) {
  NoteDeleted(guid);
  return SendChange(DelMessage(guid));
}

bool NetHandler::SendChange(std::string message) {
  if (changeSent_) changeSent_(message);
  return exchange_.Send(std::move(message));
}

bool NetHandler::RequestQso(std::int32_t n) {
  return exchange_.Send(GetMessage(n));
}

}  // namespace vk
