#include "app/qso_edit.h"

#include <utility>

#include "log/journal.h"
#include "log/qso.h"
#include "util/bands.h"
#include "util/picture_mask.h"
#include "util/strings.h"

namespace vk {

namespace {

// The stamp is typed as a date line and a time line and read back as one text.
constexpr std::string_view kStampMask = "dd-mm-yyyy hh:nn";

bool FillsPicture(std::string text, std::string_view picture) {
  const PictureMask mask{std::string(picture)};
  return mask.Check(text, false) == PictureMask::Result::kComplete;
}

int Number(std::string_view digits) {
  return StrToIntDef0(digits);
}

template <std::size_t N>
int ChoiceOf(const std::array<std::string_view, N>& list, std::string_view text) {
  for (std::size_t i = 0; i < N; ++i) {
    if (list[i] == text) return static_cast<int>(i);
  }
  return 0;
}

template <std::size_t N>
bool InList(const std::array<std::string_view, N>& list, int i) {
  return i >= 0 && static_cast<std::size_t>(i) < list.size();
}

// " 20" gives "20M", the band's name in the log file, whose standard frequency the QSO takes.
std::string BandNameOf(int choice) {
  return Trim(kDialogBands[choice]) + "M";
}

std::string StampText(const QsoForm& form) {
  return form.date + " " + form.time;
}

}  // namespace

FormFault CheckQsoForm(const QsoForm& form) {
  const std::string& d = form.date;
  if (!FillsPicture(d, kDialogDatePicture) ||
      !IsValidDate(Number(d.substr(6, 4)), Number(d.substr(3, 2)), Number(d.substr(0, 2)))) {
    return FormFault::kDate;
  }
  const std::string& t = form.time;
  if (!FillsPicture(t, kDialogTimePicture) ||
      !IsValidTime(Number(t.substr(0, 2)), Number(t.substr(3, 2)), 0)) {
    return FormFault::kTime;
  }
  if (!InList(kDialogBands, form.band)) return FormFault::kBand;
  if (!InList(kDialogModes, form.mode)) return FormFault::kMode;
  return FormFault::kNone;
}

int BandChoiceOf(std::string_view bandText) {
  return ChoiceOf(kDialogBands, bandText);
}
int ModeChoiceOf(std::string_view modeText) {
  return ChoiceOf(kDialogModes, modeText);
}
Mode ModeOfChoice(int choice) {
  return InList(kDialogModes, choice) ? ModeOfName(kDialogModes[static_cast<std::size_t>(choice)])
                                      : Mode::kUnknown;
}
int ModeChoiceOf(Mode mode) {
  return ModeChoiceOf(ModeName(mode));
}

std::string DeleteMessage(std::int32_t guid) {
  return "DEL:" + IntToStr(guid);
}

int RelocateQso(const TLogCollection& log, int pos, std::int32_t guid) {
  if (log.ValidPos(pos) && log.GetGuid(pos) == guid) return pos;
  return log.FindByGuid(guid);
}

QsoEditor::QsoEditor(Station& station, SendText sendText)
    : station_(station), sendText_(std::move(sendText)) {}

// --- what the dialogs show --------------------------------------------------------------------

std::optional<QsoForm> QsoEditor::AddForm(int pos) const {
  const TLogCollection& log = station_.Log();
  if (!log.ValidPos(pos)) return std::nullopt;
  QsoForm f;
  f.date = log.GetStampStr(pos, kDialogDateMask);
  f.time = log.GetStampStr(pos, kDialogTimeMask);
  f.band = BandChoiceOf(log.GetBandStr(pos));
  f.mode = ModeChoiceOf(log.GetMode(pos));
  return f;
}

std::optional<QsoForm> QsoEditor::EditForm(int pos) const {
  std::optional<QsoForm> f = AddForm(pos);
  if (!f) return f;
  const QsoRecord& q = *station_.Log().At(pos);
  f->call = q.Call.substr(0, kDialogTextLength);
  f->sent = q.Sent.substr(0, kDialogTextLength);
  f->rcvd = q.Rcvd.substr(0, kDialogTextLength);
  return f;
}

std::optional<std::string> QsoEditor::DeleteText(int pos) const {
  const TLogCollection& log = station_.Log();
  if (!log.ValidPos(pos)) return std::nullopt;
  return log.GetStampStr(pos, "mm/dd hh:nn") + " " + log.GetBandStr(pos) + " " +
         log.GetModeStr(pos) + " " + log.GetCall(pos);
}

// --- what OK does -----------------------------------------------------------------------------

bool QsoEditor::Edit(int pos, const QsoForm& form) {
  TLogCollection& log = station_.Log();
  if (!log.ValidPos(pos) || CheckQsoForm(form) != FormFault::kNone) return false;
  CommandBus& bus = station_.Bus();
  log.SetStamp(pos, StampText(form), kStampMask, station_.Time());
  // The QSO keeps its exact frequency unless the operator moved it to another band.
  const Freq bandFreq = FreqOfBandName(BandNameOf(form.band));
  if (BandOfFreq(log.At(pos)->Freq) != BandOfFreq(bandFreq)) {
    log.SetFreqFromBand(pos, BandNameOf(form.band));
  }
  log.SetMode(pos, ModeOfChoice(form.mode));
  // The log file keeps no spaces around a field: a record must read back as it was confirmed,
  // or its checksum would change with the next start.
  log.SetCall(pos, Trim(form.call));
  log.SetSent(pos, Trim(form.sent));
  log.SetRcvd(pos, Trim(form.rcvd));
  bus.Broadcast(cm::kQsoEdited, MessageInfo::Number(pos));
  log.CalcCrc(pos);
  log.CalcLogCrc();
  bus.SendCommand(cm::kSendEditedQso, MessageInfo::Pointer(log.At(pos)));
  bus.SendCommand(cm::kRefreshTxNr);
  Settle();
  return true;
}

bool QsoEditor::Delete(int pos) {
  TLogCollection& log = station_.Log();
  if (!log.ValidPos(pos)) return false;
  CommandBus& bus = station_.Bus();
  if (sendText_) sendText_(DeleteMessage(log.GetGuid(pos)));
  log.Delete(pos);
  bus.Broadcast(cm::kQsoDeleted, MessageInfo::Number(pos));
  Settle();
  return true;
}

bool QsoEditor::Add(int pos, const QsoForm& form) {
  TLogCollection& log = station_.Log();
  if (!log.ValidPos(pos) || log.Count() >= TLogCollection::kMaxCount ||
      CheckQsoForm(form) != FormFault::kNone) {
    return false;
  }
  CommandBus& bus = station_.Bus();
  log.InsertAt(pos, BuildNew(form));
  bus.Broadcast(cm::kQsoInserted, MessageInfo::Number(pos));
  // Scored with the whole log before it travels: the group gets the figures this log gives.
  Settle();
  bus.SendCommand(cm::kSendAddedQso, MessageInfo::Pointer(log.At(pos)));
  return true;
}

// The counter moves on every idle pass, but a dialog confirmed just after a QSO was logged (or
// just after the load set the counter to the last Guid read) would give a Guid the log already
// holds, and the stations of a group find QSOs by Guid.  Such a counter is moved on first; 0
// would mean "no Guid".
std::int32_t QsoEditor::NextGuid() const {
  std::int32_t guid = station_.Ids().Current();
  const TLogCollection& log = station_.Log();
  for (int tries = 0; tries <= log.Count() && (guid == 0 || log.FindByGuid(guid) >= 0); ++tries) {
    guid = station_.Ids().Raise();
  }
  return guid;
}

QsoRecord QsoEditor::BuildNew(const QsoForm& form) {
  QsoRecord q;
  q.Guid = NextGuid();
  ParseMask(StampText(form), kStampMask, q.Stamp, station_.Time());
  q.Freq = FreqOfBandName(BandNameOf(form.band));
  q.Mode = ModeOfChoice(form.mode);
  q.Call = CutQsoField(Trim(form.call));
  q.Sent = CutQsoField(Trim(form.sent));
  // Stored as typed: the rules' correction of a received exchange belongs to the entry window.
  q.Rcvd = CutQsoField(Trim(form.rcvd));
  return q;  // scored with the whole log once it is in place
}

// Every correction ends the same way: the whole log scored again (a QSO moved to another band
// takes its points and multipliers along, a deleted one gives back a multiplier no other QSO
// brings, an earlier dupe may now count), the windows refreshed and the file written at once.
void QsoEditor::Settle() {
  if (const Status s = station_.RescoreAndSave(); !s)
    JournalAppend(station_.journal(), "Log not saved: " + s.message);
}

}  // namespace vk
