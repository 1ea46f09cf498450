// Enter in the entry window: in the Call line it checks for a repeat and prepares the
// exchange; in the other lines it logs the QSO.
#include "app/exchange_check.h"
#include "app/qso_hint.h"
#include "app/views/entry_window_model.h"
#include "log/adif.h"
#include "log/journal.h"
#include "log/qso.h"
#include "score/repeat.h"
#include "util/strings.h"

namespace vk {

EntryResult EntryModel::Enter() {
  if (focus_ == EntryField::kCall) {
    if (CallText().empty()) return {};
    return {true, EnterInCall()};
  }
  if (RxNrText().empty()) return {};
  KeepProposedReport();
  // The QSO is logged where the radio is now, not where it was at the last tick.
  PollRadio();
  if (HoldBack()) return {true, Note(changed::kMessages | changed::kFocus)};
  return LogQso();
}

bool EntryModel::HoldBack() {
  if (Trim(CallText()).empty()) {
    // Down or a click put the cursor below Call before the call was typed; a QSO without a call
    // is worth nothing and the call typed elsewhere must not be sent.
    SetMessages(kNoCallText, kNoCallHint);
    focus_ = EntryField::kCall;
    return true;
  }
  const std::string& tx = TxNrText();
  if (tx != station_.Rules().GetTxNr(station_.OwnCall()) && tx != warnedTxNr_) {
    warnedTxNr_ = tx;
    SetMessages(kTxNrEditedText, kTxNrEditedHint);
    return true;
  }
  const std::string rx = UpperCase(RxNrText());
  if (rx == warnedRxNr_) return false;
  const std::string problem = ExchangeProblem(station_.Rules(), Trim(CallText()), rx, tx);
  if (problem.empty()) return false;
  // The multiplier would be lost without a word; a second Enter logs the exchange as typed.
  warnedRxNr_ = rx;
  SetMessages(problem, kExchangeCheckHint);
  return true;
}

// --- Enter in Call ----------------------------------------------------------------------------

Changes EntryModel::EnterInCall() {
  CompleteCall();
  const std::string call = CallText();
  const RepeatResult rep = station_.Book().CheckRepeat(call, station_.CurrentFreq(),
                                                       station_.CurrentMode(), station_.Clock().Now());
  // Posted, not sent: the error box is modal and must not run inside this key's handling.
  if (rep.invalidRule) Bus().Post(EventClass::kBroadcast, cm::kErrRepeatSetting);
  if (rep.position != 0) {
    // The hint of an earlier call must not stand beside this one.
    SetMessages(kRepeatText, WorkedText(call));
    return Note(changed::kCall | changed::kMessages);
  }
  ProposeExchange(call);
  return Note(changed::kCall | changed::kRxNr | changed::kFocus | changed::kMessages);
}

// Two or three characters are the part of a call the operator remembers: the newest QSO whose
// call contains them supplies the whole call.
void EntryModel::CompleteCall() {
  const std::string& typed = CallText();
  if (typed.size() != 2 && typed.size() != 3) return;
  const TLogCollection& log = station_.Log();
  for (int pos = log.Count() - 1; pos >= 0; --pos) {
    const std::string& call = log.At(pos)->Call;
    if (call.find(typed) == std::string::npos) continue;
    MutLine(EntryField::kCall).SetText(call);
    return;
  }
}

void EntryModel::ProposeExchange(const std::string& call) {
  TTreeRules& rules = station_.Rules();
  InputLineModel& rx = MutLine(EntryField::kRxNr);
  rx.SetText(rules.GetTxNr(call));
  if (rx.Empty()) {
    const std::string prefill = rules.PrefillRxNr(call);
    if (!prefill.empty()) rx.SetText(prefill, rules.Settings().rxUpdate == 1);
  }
  if (exchangeAid_) {
    const std::string aid = exchangeAid_(call, rx.Text());
    if (!aid.empty()) rx.SetText(aid, true);
  }
  const std::size_t report = ReportPrefixLength(rx.Text());
  proposedReport_ = rx.Text().substr(0, report);
  proposedFrom_ = rx.Empty() || rx.Cursor() != rx.Text().size() ? std::string::npos : report;
  focus_ = EntryField::kRxNr;
  std::string country = rules.GetCountryLine(call);
  if (!country.empty() && country.front() == '\x03') country.erase(0, 1);  // centring mark
  const BandIndex band = station_.CurrentBand();
  const Mode mode = station_.CurrentMode();
  const bool isNew = rules.GetMulti(call, rx.Text(), band, mode, false) > 0 ||
                     rules.GetBonus(call, rx.Text(), band, mode, false) > 0;
  std::string hint;
  if (isNew) {
    hint = kNewMultiplierText;
    const std::string keys = NewMultiplierKeys(rules, call, UpperCase(rx.Text()), band, mode);
    if (!keys.empty()) hint += ": " + keys;
  }
  const std::string worked = WorkedText(call);
  if (!worked.empty()) hint += (hint.empty() ? "" : "  ") + worked;
  SetMessages(country, hint);
}

void EntryModel::KeepProposedReport() {
  if (proposedReport_.empty()) return;
  const std::string& rx = RxNrText();
  const std::string bare = proposedReport_.substr(0, proposedReport_.size() - 1);
  if (rx.find_first_of("/ ") != std::string::npos || rx == bare) return;
  MutLine(EntryField::kRxNr).SetText(proposedReport_ + rx);
  Note(changed::kRxNr);
}

std::string EntryModel::WorkedText(const std::string& call) const {
  const std::string bands = WorkedBands(station_.Log(), call);
  return bands.empty() ? std::string() : "worked " + bands;
}

// --- logging a QSO ----------------------------------------------------------------------------

QsoRecord EntryModel::BuildQso() {
  TTreeRules& rules = station_.Rules();
  QsoRecord q;  // the logbook gives the Guid and the figures
  q.Stamp = station_.Clock().Now();
  q.Stamp.second = 0;  // the log keeps minutes
  q.Freq = station_.CurrentFreq();
  q.Mode = station_.CurrentMode();
  // The log file keeps no spaces around a field; a record must read back as it was logged, or
  // the log checksum would change with a restart.
  const std::string call = Trim(CallText());
  const std::string rx = UpperCase(RxNrText());
  q.Call = CutQsoField(call);
  q.Sent = CutQsoField(Trim(TxNrText()));
  q.Rcvd = CutQsoField(Trim(rules.CorrectRxNr(rx)));
  return q;
}

EntryResult EntryModel::LogQso() {
  const LogResult r = station_.Book().Add(BuildQso(), LogOrigin::kEntry);
  if (!r.ok()) {
    SetMessages(r.status.message == "log full" ? "Log full: QSO not logged"
                                               : "QSO not logged: " + r.status.message,
                {});
    return {true, Note(changed::kMessages), r.status};
  }
  const bool dupe = station_.Log().At(r.position)->Dupe;
  Changes c = ClearEntry();
  if (dupe) {
    SetMessages(kRepeatText, kDupeLoggedText);
  } else {
    const QsoRecord& q = *station_.Log().At(r.position);
    if (const std::string problem = station_.Rules().ExchangeProblem(q.Rcvd); !problem.empty()) {
      // Logged as received; the operator corrects it in the log window if it was mistyped.
      SetMessages(q.Call + " logged, exchange " + problem, {});
    }
  }
  c |= RefreshTxNr();
  if (!r.saved) ReportSaveFailure(r.saved);
  return {true, Note(c | changed::kMessages), r.saved};
}

void EntryModel::ReportSaveFailure(const Status& s) {
  JournalAppend(station_.journal(), "Log not saved: " + s.message);
  // The system's reason is the last part of the message ("...: Permission denied").
  const auto colon = s.message.rfind(": ");
  const std::string reason = colon == std::string::npos ? s.message : s.message.substr(colon + 2);
  SetMessages(reason, "Log not saved to " + std::string(kLogFileName));
}

}  // namespace vk
