#include "app/logbook.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "log/guid_repair.h"
#include "log/journal.h"
#include "util/bands.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

bool StampBefore(const DateTime& x, const DateTime& y) {
  return std::tie(x.year, x.month, x.day, x.hour, x.minute) <
         std::tie(y.year, y.month, y.day, y.hour, y.minute);
}

std::string Describe(const QsoRecord& q) {
  return q.Call + " " + FormatMask(q.Stamp, "yyyy-mm-dd hh:nn");
}

LogResult Refused(std::string why) {
  LogResult r;
  r.status = Status::Error(ErrCode::kBadInput, std::move(why));
  return r;
}

}  // namespace

Logbook::Logbook(TTreeRules& rules, std::string workDir, const TimeSource& time,
                 Journal* journal)
    : rules_(rules), journal_(journal), store_(std::move(workDir), time, journal) {
  rules_.SetLog(&log_);
}

// --- the log file -------------------------------------------------------------------------------

Status Logbook::Load(AdifLoadStats* stats) {
  if (!log_.Empty()) return Status::Error(ErrCode::kBadInput, "the log is already loaded");
  // New QSOs are numbered on from the last Guid read (a rescue file's, when that is read).
  struct CounterSink final : AdifLoadSink {
    explicit CounterSink(QsoIdCounter& ids) : ids(ids) {}
    void OnRecordLoaded(const QsoRecord& q) override { ids.Set(q.Guid); }
    QsoIdCounter& ids;
  } sink{ids_};
  Status s = store_.Load(log_, sink, stats);
  // The figures stored in the file are those of the rules that wrote it (or of another
  // program); the log counts what the rules loaded now give.  The file still holds every QSO,
  // so the first QSO logged is appended to it rather than the whole file written again.
  const std::uint64_t read = log_.Revision();
  const RescoreStats r = ScoreOnly();
  store_.ScoredAfterLoad(log_, read, r.storedChanged != 0);
  if (r.changed != 0) {
    JournalAppend(journal_, "Log rescored at load: " + IntToStr(r.changed) + " of " +
                                IntToStr(r.qsos) + " QSOs changed, " + IntToStr(r.dupes) +
                                " dupes");
  }
  if (const int repaired = RepairDuplicateGuids(log_); repaired > 0) {
    JournalAppend(journal_,
                  "Log: " + IntToStr(repaired) + " QSOs shared a Guid and were given new ones");
  }
  // QSOs merged from rescue files of earlier runs go to vorkan.adi at once, scored.
  (void)store_.FinishMerge(log_);
  return s;
}

Status Logbook::Save() {
  return store_.WriteAll(log_);
}

Status Logbook::SaveOnExit(bool discardLog) {
  if (discardLog || store_.Holds(log_)) return Status::Ok();
  Status s = Save();
  if (store_.Holds(log_)) return Status::Ok();  // in the rescue file, if not in vorkan.adi
  JournalAppend(journal_, "Log not written: " + s.message);
  return s;
}

// A new last QSO is appended to the file; any other change replaces it whole.
Status Logbook::SaveAfter(LogChangeKind kind, int pos) {
  Status s = kind == LogChangeKind::kAppended ? store_.Append(log_, pos) : Save();
  if (!s) JournalAppend(journal_, "Log not saved: " + s.message);
  return s;
}

// --- checks -------------------------------------------------------------------------------------

// The counter moves on every idle pass, so two QSOs made between passes (or one made just after
// the load set the counter to the last Guid read) would share a Guid, and the stations of a
// group find QSOs by Guid.  Such a counter is moved on first; 0 would mean "no Guid".
std::int32_t Logbook::NextGuid() {
  std::int32_t guid = ids_.Current();
  for (int tries = 0; tries <= log_.Count() && (guid == 0 || log_.FindByGuid(guid) >= 0);
       ++tries) {
    guid = ids_.Raise();
  }
  return guid;
}

// A stamp like 31-02 would be written to the file and sent to the group, and nothing could
// read it back as a date.
Status Logbook::CheckQso(const QsoRecord& q) const {
  const DateTime& t = q.Stamp;
  if (!IsValidDate(t.year, t.month, t.day) || !IsValidTime(t.hour, t.minute, t.second)) {
    return Status::Error(ErrCode::kBadInput, "no valid date and time");
  }
  // A call sign is printable ASCII; an exchange may hold the code page's letters but no control
  // byte, which would break the log file's lines, Cabrillo's columns and the group's datagrams.
  const auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
  const auto bad = [&](const std::string& text, bool asciiOnly) {
    return std::any_of(text.begin(), text.end(), [&](char ch) {
      const auto c = static_cast<unsigned char>(ch);
      return control(c) || (asciiOnly && c >= 0x80);
    });
  };
  if (bad(q.Call, true)) return Status::Error(ErrCode::kBadInput, "call not printable ASCII");
  if (bad(q.Sent, false) || bad(q.Rcvd, false)) {
    return Status::Error(ErrCode::kBadInput, "control character in the exchange");
  }
  return {};
}

// --- changes ------------------------------------------------------------------------------------

LogResult Logbook::Add(QsoRecord qso, LogOrigin origin) {
  if (log_.Count() >= TLogCollection::kMaxCount) return Refused("log full");
  if (Status s = CheckQso(qso); !s) return Refused(s.message);
  qso.Guid = NextGuid();
  const bool indexed = repeatsAt_ == log_.Revision();
  SetFigures(qso, ScoreNewQso(rules_, log_, qso, indexed ? &repeats_ : nullptr));
  totals_.Add(BandOfFreq(qso.Freq), static_cast<std::uint16_t>(qso.Score),
              static_cast<std::uint16_t>(qso.Multi), static_cast<std::uint16_t>(qso.Bonus));
  log_.Append(qso);
  if (indexed) {
    if (!qso.Dupe) repeats_.Count(*log_.At(log_.Count() - 1), log_.Count() - 1);
    repeatsAt_ = log_.Revision();
  }
  LogResult r;
  r.position = log_.Count() - 1;
  r.saved = SaveAfter(LogChangeKind::kAppended, r.position);
  Publish(LogChangeKind::kAppended, origin, qso.Guid, r.position);
  return r;
}

LogResult Logbook::Insert(int pos, QsoRecord qso, LogOrigin origin) {
  if (pos < 0 || pos > log_.Count()) return Refused("no QSO there");
  if (log_.Count() >= TLogCollection::kMaxCount) return Refused("log full");
  if (Status s = CheckQso(qso); !s) return Refused(s.message);
  qso.Guid = NextGuid();
  log_.InsertAt(pos, qso);
  // Scored with the whole log before it is published: the group gets the figures this log gives.
  ScoreOnly();
  LogResult r;
  r.position = pos;
  r.saved = SaveAfter(LogChangeKind::kInserted, pos);
  const bool last = pos == log_.Count() - 1;
  Publish(last ? LogChangeKind::kAppended : LogChangeKind::kInserted, origin, qso.Guid, pos);
  Publish(LogChangeKind::kRescored, origin, 0, -1);
  return r;
}

LogResult Logbook::Edit(int pos, const QsoRecord& qso, LogOrigin origin) {
  const QsoRecord* held = log_.At(pos);
  if (held == nullptr) return Refused("no QSO there");
  if (Status s = CheckQso(qso); !s) return Refused(s.message);
  QsoRecord q = *held;
  q.Stamp = qso.Stamp;
  TakeEditedFields(qso, q);
  ++q.Mark;
  log_.Replace(pos, q);
  // A QSO moved to another band takes its points and multipliers along; an earlier dupe may
  // now count.
  ScoreOnly();
  LogResult r;
  r.position = pos;
  r.saved = SaveAfter(LogChangeKind::kEdited, pos);
  Publish(LogChangeKind::kEdited, origin, q.Guid, pos);
  Publish(LogChangeKind::kRescored, origin, 0, -1);
  return r;
}

LogResult Logbook::Delete(int pos, LogOrigin origin) {
  const QsoRecord* held = log_.At(pos);
  if (held == nullptr) return Refused("no QSO there");
  const std::int32_t guid = held->Guid;
  log_.Delete(pos);
  // A deleted QSO gives back a multiplier no other QSO brings.
  ScoreOnly();
  LogResult r;
  r.position = pos;
  r.saved = SaveAfter(LogChangeKind::kDeleted, pos);
  Publish(LogChangeKind::kDeleted, origin, guid, pos);
  Publish(LogChangeKind::kRescored, origin, 0, -1);
  return r;
}

// After the QSOs of its minute: a QSO typed later in the same minute stays after the earlier.
int Logbook::TimeOrderPlace(const QsoRecord& qso) const {
  int pos = log_.Count();
  while (pos > 0 && StampBefore(qso.Stamp, log_.At(pos - 1)->Stamp)) --pos;
  return pos;
}

ImportOutcome Logbook::Import(std::vector<QsoRecord> qsos) {
  ImportOutcome out;
  const ContestSettings& cs = rules_.Settings();
  const bool anyMode = std::none_of(cs.modes.begin(), cs.modes.end(), [](bool b) { return b; });
  // Older first, so that each lands after the ones before it and the repeat of a contact is
  // the later QSO, as it was on the air.
  std::stable_sort(qsos.begin(), qsos.end(),
                   [](const QsoRecord& a, const QsoRecord& b) { return StampBefore(a.Stamp, b.Stamp); });
  std::vector<std::pair<std::int32_t, int>> placed;  // Guid, position when placed
  for (QsoRecord& q : qsos) {
    const BandIndex band = BandOfFreq(q.Freq);
    std::string why;
    if (Status s = CheckQso(q); !s) {
      why = s.message;
    } else if (band == kBandNone || !cs.bands[band]) {
      why = band == kBandNone ? "frequency outside the contest's bands"
                              : "band " + Trim(BandScreenName(band)) + " not in the contest";
    } else if (!anyMode && !cs.Allows(q.Mode)) {
      why = "mode " + QsoModeText(q.Mode) + " not in the contest";
    }
    if (!why.empty()) {
      out.refused.push_back(Describe(q) + ": " + why);
      continue;
    }
    if (log_.Count() >= TLogCollection::kMaxCount) {
      out.refused.push_back("the log is full from " + Describe(q) + " on");
      break;
    }
    q.Guid = NextGuid();
    const int pos = TimeOrderPlace(q);
    log_.InsertAt(pos, q);
    placed.emplace_back(q.Guid, pos);
    ++out.taken;
  }
  if (out.taken == 0) return out;
  ScoreOnly();
  out.saved = Save();
  if (!out.saved) JournalAppend(journal_, "Log not saved: " + out.saved.message);
  for (const auto& [guid, pos] : placed) {
    Publish(LogChangeKind::kInserted, LogOrigin::kImport, guid, pos);
  }
  Publish(LogChangeKind::kRescored, LogOrigin::kImport, 0, -1);
  return out;
}

RescoreStats Logbook::ScoreOnly() {
  if (!rules_.Nodes().empty()) {
    const RescoreStats r = RescoreLog(log_, rules_, totals_, &repeats_);
    repeatsAt_ = log_.Revision();
    return r;
  }
  // No contest is loaded (a rules or country file the operator still has to put right):
  // scoring by an empty rule tree would write zeros over every figure of the file.  The log
  // keeps what it holds until the rules are back.
  totals_.Clear();
  for (const QsoRecord& q : log_) {
    totals_.Add(BandOfFreq(q.Freq), static_cast<std::uint16_t>(q.Score),
                static_cast<std::uint16_t>(q.Multi), static_cast<std::uint16_t>(q.Bonus));
  }
  return RescoreStats{log_.Count(), 0, 0};
}

Status Logbook::Rescore(LogOrigin origin) {
  ScoreOnly();
  Status s = SaveAfter(LogChangeKind::kRescored, -1);
  Publish(LogChangeKind::kRescored, origin, 0, -1);
  return s;
}

RepeatResult Logbook::CheckRepeat(std::string_view call, std::int32_t freq, Mode mode,
                                  const DateTime& when) const {
  const RepeatSettings& s = rules_.Settings().repeat;
  if (repeatsAt_ != log_.Revision()) return vk::CheckRepeat(log_, s, call, freq, mode, when, journal_);
  const RepeatResult r = repeats_.Check(log_, s, call, freq, mode, when);
  if (r.invalidRule) JournalAppend(journal_, kRepqsoErrorText);
  return r;
}

// --- the group's changes ------------------------------------------------------------------------

bool Logbook::ApplyRemote(const GroupChange& c) {
  LogChange change;
  change.origin = LogOrigin::kGroup;
  change.position = c.position;
  change.guid = c.qso.Guid;
  switch (c.kind) {
    case GroupChangeKind::kPlace:
      if (log_.FindByGuid(c.qso.Guid) >= 0 || !log_.InsertAt(c.position, c.qso)) return false;
      change.kind = c.position == log_.Count() - 1 ? LogChangeKind::kAppended
                                                   : LogChangeKind::kInserted;
      break;
    case GroupChangeKind::kReplace:
      if (!log_.ValidPos(c.position) || log_.GetGuid(c.position) != c.qso.Guid ||
          !log_.Replace(c.position, c.qso)) {
        return false;
      }
      change.kind = LogChangeKind::kEdited;
      break;
    case GroupChangeKind::kDelete:
      if (!log_.ValidPos(c.position)) return false;
      change.guid = log_.GetGuid(c.position);
      log_.Delete(c.position);
      change.kind = LogChangeKind::kDeleted;
      break;
    case GroupChangeKind::kReorder: {
      if (static_cast<int>(c.order.size()) != log_.Count()) return false;
      log_.Clear();
      for (const QsoRecord& q : c.order) log_.Append(q);
      change.kind = LogChangeKind::kReordered;
      change.position = -1;
      change.guid = 0;
      break;
    }
  }
  pending_.push_back(change);
  return true;
}

bool Logbook::SettleRemote(Status* saved) {
  if (pending_.empty()) return false;
  // Scored again in order (a received QSO may be a dupe, an edit or delete may move a
  // multiplier) and durable before shown: a QSO on the screen survives a crash.
  ScoreOnly();
  const Status s = Save();
  if (!s) JournalAppend(journal_, "NET:->received changes not written: " + s.message);
  if (saved != nullptr) *saved = s;
  std::vector<LogChange> changes;
  changes.swap(pending_);
  for (const LogChange& c : changes) Publish(c.kind, c.origin, c.guid, c.position);
  Publish(LogChangeKind::kRescored, LogOrigin::kGroup, 0, -1);
  return true;
}

// --- the change feed ----------------------------------------------------------------------------

void Logbook::Publish(LogChangeKind kind, LogOrigin origin, std::int32_t guid, int pos) {
  const LogChange c{++revision_, kind, origin, guid, pos};
  feed_.push_back(c);
  if (feed_.size() > kFeedKept) feed_.pop_front();
  // A listener may subscribe or unsubscribe while it hears the change.
  const auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) listener(c);
}

std::vector<LogChange> Logbook::ChangesSince(std::uint64_t revision, bool* complete) const {
  std::vector<LogChange> out;
  if (complete != nullptr) {
    *complete = feed_.empty() ? revision >= revision_ : feed_.front().revision <= revision + 1;
  }
  for (const LogChange& c : feed_) {
    if (c.revision > revision) out.push_back(c);
  }
  return out;
}

int Logbook::Subscribe(Listener listener) {
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void Logbook::Unsubscribe(int id) {
  std::erase_if(listeners_, [id](const auto& l) { return l.first == id; });
}

}  // namespace vk
