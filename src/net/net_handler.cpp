#include "net/net_handler.h"

#include <algorithm>

#include "log/journal.h"
#include "util/bands.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

// An edit carries the stamp over in this form, as the edit dialog does.
constexpr std::string_view kEditStampMask = "yyyy-mm-dd hh:nn";

}  // namespace

NetHandler::NetHandler(TLogCollection& log, TTreeRules& rules, BandTotals& totals,
                       NetExchange& exchange)
    : log_(log), rules_(rules), totals_(totals), exchange_(exchange) {}

NetResult NetHandler::HandleMessage(std::string_view text) {
  current_ = text;
  const NetMessage m = ParseNetMessage(text);
  switch (m.verb) {
    case NetVerb::kNone:
      return Skip(m.fault, text);
    case NetVerb::kHelo:
      return {};  // checksum reports are the network thread's; one that got here means nothing
    case NetVerb::kAdd:
      return Add(m.qso);
    case NetVerb::kEdt:
      return Edit(m.qso);
    case NetVerb::kDel:
      return Delete(m.number);
    case NetVerb::kIns:
      return Insert(m.number, m.qso);
    case NetVerb::kQso:
      return LogQso(m.number, m.qso);
    case NetVerb::kGet:
      return AnswerRequest(m.number);
    case NetVerb::kEndLog:
      return EndOfLog();
  }
  return {};
}

NetResult NetHandler::Add(const QsoRecord& qso) {
  // Only a station hearing its own broadcast, or a datagram that arrived twice, sends a QSO the
  // log already holds with every field equal.  Another QSO that merely shares the Guid (two
  // stations' counters can meet) is a QSO of its own and is appended.
  if (AlreadyHeld(qso)) return Skip("QSO already in the log", current_);
  if (!log_.Append(qso)) return Skip("log full", current_);
  ScoreReceived(qso);
  return {NetChange::kAppended, log_.Count() - 1, false};
}

NetResult NetHandler::Edit(const QsoRecord& qso) {
  const int pos = log_.FindByGuid(qso.Guid);
  if (pos < 0) return Skip("no QSO with this Guid", current_);
  const BandIndex oldBand = BandOfFreq(log_.GetFreq(pos));
  // Guid, Mark and the score stay: an edit never rescores a QSO.
  log_.SetStamp(pos, FormatMask(qso.Stamp, kEditStampMask), kEditStampMask);
  log_.SetFreq(pos, qso.Freq);
  log_.SetModeFromName(pos, QsoModeText(qso.Mode));
  log_.SetCall(pos, qso.Call);
  log_.SetSent(pos, qso.Sent);
  log_.SetRcvd(pos, qso.Rcvd);
  log_.CalcCrc(pos);
  log_.CalcLogCrc();
  // A QSO moved to another band takes its points along, as an edit by dialog does; otherwise
  // the score window would go on counting it on the old band.
  const bool moved = BandOfFreq(qso.Freq) != oldBand;
  if (moved) RebuildTotals();
  return {NetChange::kEdited, pos, moved};
}

NetResult NetHandler::Delete(std::int64_t guid) {
  const int pos = log_.FindByGuid(static_cast<std::int32_t>(guid));
  JournalAppend("DEL_IDX=>" + IntToStr(pos));
  if (pos < 0) return {};
  log_.Delete(pos);
  // A deleted QSO no longer counts in the score, as with a deletion by dialog.
  RebuildTotals();
  return {NetChange::kDeleted, pos, true};
}

NetResult NetHandler::Insert(std::int64_t nextGuid, const QsoRecord& qso) {
  const int pos = log_.FindByGuid(static_cast<std::int32_t>(nextGuid));
  if (pos < 0) return Skip("no QSO with the Guid to insert before", current_);
  if (AlreadyHeld(qso)) return Skip("QSO already in the log", current_);
  if (!log_.InsertAt(pos, qso)) return Skip("log full", current_);
  ScoreReceived(qso);
  return {NetChange::kInserted, pos, false};
}

NetResult NetHandler::LogQso(std::int64_t position, const QsoRecord& qso) {
  if (!receivingLog_) return Skip("not receiving a log", current_);
  // Requests are repeated until answered, so answers come twice: the Guid test drops the copy.
  if (log_.FindByGuid(qso.Guid) >= 0) return {};
  // A position beyond the end (never sent by a sound station) appends.
  const int pos = static_cast<int>(std::min<std::int64_t>(position, log_.Count()));
  if (!log_.InsertAt(pos, qso)) return Skip("log full", current_);
  ScoreReceived(qso);
  return {NetChange::kLogQso, pos, false};
}

NetResult NetHandler::AnswerRequest(std::int64_t n) {
  if (n > log_.Count()) {
    exchange_.Send(EndLogMessage());
  } else if (n >= 1) {
    const int pos = static_cast<int>(n - 1);
    const QsoRecord& q = *log_.At(pos);
    if (CanTravel(q)) {
      exchange_.Send(QsoMessage(pos, q));
    } else {
      JournalAppend("NET_SKIP:->QSO " + IntToStr(n) + " holds \"`\" and cannot be sent");
    }
  }
  return {};
}

void NetHandler::BeginReceivingLog() {
  log_.Clear();
  totals_.Clear();
  receivingLog_ = true;
}

NetResult NetHandler::EndOfLog() {
  if (!receivingLog_) return Skip("not receiving a log", current_);
  receivingLog_ = false;
  return {NetChange::kEndOfLog, -1, false};
}

void NetHandler::ScoreReceived(const QsoRecord& q) {
  const BandIndex band = BandOfFreq(q.Freq);
  const std::uint16_t score = rules_.GetScore(q.Call, q.Rcvd, band, q.Mode);
  const std::uint16_t multi = rules_.GetMulti(q.Call, q.Rcvd, band, q.Mode, true);
  const std::uint16_t bonus = rules_.GetBonus(q.Call, q.Rcvd, band, q.Mode, true);
  totals_.Add(band, score, multi, bonus);
}

// The totals as loading the log would make them: every QSO with its stored values.
void NetHandler::RebuildTotals() {
  totals_.Clear();
  for (const QsoRecord& q : log_) {
    totals_.Add(BandOfFreq(q.Freq), static_cast<std::uint16_t>(q.Score),
                static_cast<std::uint16_t>(q.Multi), static_cast<std::uint16_t>(q.Bonus));
  }
}

bool NetHandler::AlreadyHeld(const QsoRecord& qso) const {
  QsoRecord cut = qso;
  cut.Call = CutQsoField(cut.Call);
  cut.Sent = CutQsoField(cut.Sent);
  cut.Rcvd = CutQsoField(cut.Rcvd);
  const std::uint32_t crc = ComputeQsoCrc(cut);
  return std::any_of(log_.begin(), log_.end(),
                     [&](const QsoRecord& q) { return q.Guid == qso.Guid && q.Crc == crc; });
}

NetResult NetHandler::Skip(std::string_view why, std::string_view text) const {
  JournalAppend("NET_SKIP:->" + std::string(why) + ": " + PrintableText(text));
  return {};
}

// --- sending ------------------------------------------------------------------------------------

int NetHandler::PositionOf(const QsoRecord* record) const {
  for (int i = 0; i < log_.Count(); ++i) {
    if (log_.At(i) == record) return i;
  }
  return log_.FindByGuid(record->Guid);
}

bool NetHandler::SendQso(int operation, const QsoRecord* record) {
  if (record == nullptr) return false;
  const auto op = static_cast<SendOperation>(operation);
  if (op != SendOperation::kAdd && op != SendOperation::kEdit && op != SendOperation::kInsert &&
      op != SendOperation::kAnswer) {
    return false;
  }
  if (!CanTravel(*record)) {
    // The other stations would read the fields after the accent shifted; better they do not
    // get it at all (their checksums will show the difference).
    JournalAppend("NET_SKIP:->QSO " + IntToStr(record->Guid) + " holds \"`\" and cannot be sent");
    return false;
  }
  if (op == SendOperation::kAdd) return exchange_.Send(AddMessage(*record));
  if (op == SendOperation::kEdit) return exchange_.Send(EdtMessage(*record));
  const int pos = PositionOf(record);
  if (pos < 0) return false;
  if (op == SendOperation::kAnswer) return exchange_.Send(QsoMessage(pos, *record));
  // The receiver inserts before its copy of the QSO that now follows; a QSO added at the end
  // has none, and appending it is the same change.
  const QsoRecord* next = log_.At(pos + 1);
  if (next == nullptr) return exchange_.Send(AddMessage(*record));
  return exchange_.Send(InsMessage(next->Guid, *record));
}

bool NetHandler::SendDelete(std::int32_t guid) {
  return exchange_.Send(DelMessage(guid));
}

bool NetHandler::RequestQso(std::int32_t n) {
  return exchange_.Send(GetMessage(n));
}

}  // namespace vk
