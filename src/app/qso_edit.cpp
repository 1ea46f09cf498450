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

int RelocateQso(const TLogCollection& log, int pos, std::int32_t guid) {
  if (log.ValidPos(pos) && log.GetGuid(pos) == guid) return pos;
  return log.FindByGuid(guid);
}

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
  const QsoRecord* held = station_.Log().At(pos);
  if (held == nullptr || CheckQsoForm(form) != FormFault::kNone) return false;
  QsoRecord q = FromForm(form);
  // The QSO keeps its exact frequency unless the operator moved it to another band.
  if (BandOfFreq(held->Freq) == BandOfFreq(q.Freq)) q.Freq = held->Freq;
  return Took("The edit", station_.Book().Edit(pos, q, LogOrigin::kEditor));
}

bool QsoEditor::Delete(int pos) {
  if (!station_.Log().ValidPos(pos)) return false;
  return Took("The deletion", station_.Book().Delete(pos, LogOrigin::kEditor));
}

bool QsoEditor::Add(int pos, const QsoForm& form) {
  if (!station_.Log().ValidPos(pos) || CheckQsoForm(form) != FormFault::kNone) return false;
  return Took("The new QSO", station_.Book().Insert(pos, FromForm(form), LogOrigin::kEditor));
}

// The change stays in the log, which is written whole again by the next change, by Options >
// Save or at Alt+X (which offers a copy elsewhere when the disk still refuses).
bool QsoEditor::Took(std::string_view change, const LogResult& r) {
  saveProblem_.clear();
  if (r.ok() && !r.saved.ok() && !station_.Book().Saved()) {
    // The system's reason is the last part of the message ("...: No space left on device").
    const std::string& m = r.saved.message;
    const auto colon = m.rfind(": ");
    saveProblem_ = std::string(change) + " is kept in memory but NOT saved to " +
                   std::string(kLogFileName) + ":\n" +
                   (colon == std::string::npos ? m : m.substr(colon + 2)) + ".\n" +
                   "\nFree space on the disk or put it right, then Options > Save (or the"
                   "\nnext QSO) writes the log.  Alt+X offers a copy in the home directory.";
  }
  return r.ok();
}

// The fields a form gives; Guid and figures are the logbook's.
QsoRecord QsoEditor::FromForm(const QsoForm& form) const {
  QsoRecord q;
  ParseMask(StampText(form), kStampMask, q.Stamp, station_.Time());
  q.Freq = FreqOfBandName(BandNameOf(form.band));
  q.Mode = ModeOfChoice(form.mode);
  // The log file keeps no spaces around a field: a record must read back as it was confirmed,
  // or its checksum would change with the next start.
  q.Call = CutQsoField(Trim(form.call));
  q.Sent = CutQsoField(Trim(form.sent));
  // Stored as typed: the rules' correction of a received exchange belongs to the entry window.
  q.Rcvd = CutQsoField(Trim(form.rcvd));
  return q;
}

}  // namespace vk
