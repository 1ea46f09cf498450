// Correcting the log outside the entry window: what the Edit, Delete and Add QSO dialogs show
// when they open and what their OK does to the log, the band totals, the windows and the other
// stations of the group.  Cancel does nothing at all, so it needs no code here.
//
// Every operation names a position of the log: the focused line of the log window.  A position
// that does not exist (an empty log, or lines left over from a log emptied for a whole-log
// transfer) is refused without touching anything.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/station.h"

namespace vk {

// The choice lists of the band and mode selectors: the band texts of the log's HF bands and
// the mode names.  A QSO on any other band or in an unknown mode preselects the first entry.
inline constexpr std::array<std::string_view, 6> kDialogBands = {"160", " 80", " 40",
                                                                 " 20", " 15", " 10"};
inline constexpr std::array<std::string_view, 5> kDialogModes = {"CW", "PH", "FM", "RTTY", "PSK31"};

inline constexpr std::string_view kDialogDatePicture = "##-##-####";
inline constexpr std::string_view kDialogTimePicture = "##:##";
inline constexpr std::string_view kDialogCallPicture = "*!";  // every letter upper case
inline constexpr std::string_view kDialogDateMask = "dd-mm-yyyy";
inline constexpr std::string_view kDialogTimeMask = "hh:nn";

// The input lines keep as many characters as the log stores, so that opening a QSO and
// confirming it never shortens a long call or exchange the operator did not touch.
inline constexpr std::size_t kDialogDateLength = 11;
inline constexpr std::size_t kDialogTimeLength = 11;
inline constexpr std::size_t kDialogTextLength = kQsoFieldWidth;

// What the Edit and Add QSO dialogs hold.  Texts are CP866; band and mode are indexes into
// kDialogBands and kDialogModes.
struct QsoForm {
  std::string date;  // "dd-mm-yyyy"
  std::string time;  // "hh:nn"
  int band = 0;
  int mode = 0;
  std::string call;
  std::string sent;
  std::string rcvd;

  friend bool operator==(const QsoForm&, const QsoForm&) = default;
};

// Which field keeps the form from being confirmed.  A date or time must fill its picture and
// name a real day and minute: a stamp like 31-02 would be written to the log file and sent to
// the other stations, and no program could read it back as a date.
enum class FormFault : std::uint8_t { kNone, kDate, kTime, kBand, kMode };
FormFault CheckQsoForm(const QsoForm& form);

// Index of the entry equal to a band or mode text of the log; 0 when none is.
int BandChoiceOf(std::string_view bandText);
int ModeChoiceOf(std::string_view modeText);
// The mode of an entry of kDialogModes (the form holds a valid index), and the entry of a mode.
Mode ModeOfChoice(int choice);
int ModeChoiceOf(Mode mode);

// Where the QSO a dialog opened on is now.  While a dialog is open the network may insert or
// delete QSOs, and OK must still act on the QSO the operator saw: the one at `pos` when it
// still has `guid`, else the first with that Guid, else none (-1).
int RelocateQso(const TLogCollection& log, int pos, std::int32_t guid);

class QsoEditor {
 public:
  explicit QsoEditor(Station& station) : station_(station) {}

  const TLogCollection& Log() const { return station_.Log(); }

  // --- what the dialogs show -----------------------------------------------------------------
  // Edit QSO: every field of the QSO at pos.
  std::optional<QsoForm> EditForm(int pos) const;
  // Add QSO: the stamp, band and mode of the QSO at pos (the new one is made near it in time);
  // call and exchanges empty.
  std::optional<QsoForm> AddForm(int pos) const;
  // Delete QSO: "mm/dd hh:nn", band text, mode text and call, one space between them.
  std::optional<std::string> DeleteText(int pos) const;

  // --- what OK does ---------------------------------------------------------------------------
  // Each answers false, having changed nothing, when pos names no QSO or the form is refused.
  //
  // Each goes through the logbook (app/logbook.h), which scores the whole log again, saves it,
  // and publishes the change: the windows and the network hear of it from there.
  //
  // Edit: stamp, mode, call and exchanges, and the band's standard frequency when the band
  // changed (the exact frequency stays while the band does).
  bool Edit(int pos, const QsoForm& form);
  // Delete: the QSO out of the log (the group is told its Guid).
  bool Delete(int pos);
  // Add: a new QSO inserted before the QSO at pos.  Refused when the log is full.
  bool Add(int pos, const QsoForm& form);

  // After an OK whose change is in the log but could not be written to the file (a full disk,
  // a disk turned read-only, an I/O error): what happened and what the operator can do, for a
  // box.  Empty when the last change was saved (a rescue file counts as saved).
  const std::string& SaveProblem() const { return saveProblem_; }

 private:
  QsoRecord FromForm(const QsoForm& form) const;
  bool Took(std::string_view change, const LogResult& r);

  Station& station_;
  std::string saveProblem_;
};

}  // namespace vk
