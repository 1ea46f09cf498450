// The Edit, Delete and Add QSO dialogs, opened from the log window's buttons on the focused
// QSO.  They only show and collect the form; what OK does to the log is QsoEditor's.
#pragma once

#include <final/final.h>

#include <string_view>

#include "app/commands.h"
#include "app/qso_edit.h"
#include "tui/choice_box.h"
#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"

namespace vk::ui {

// Why OK refuses a date or a time line.
inline constexpr std::string_view kBadDateText = "Date: a real day as DD-MM-YYYY";
inline constexpr std::string_view kBadTimeText = "Time: a real minute as HH:MM";

// "Delete QSO": the QSO in one line, OK deletes it.
class DeleteQsoDialog final : public OkCancelDialog {
 public:
  DeleteQsoDialog(finalcut::FWidget* parent, std::string_view cp866Text);

 private:
  finalcut::FLabel text_{this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// "Edit QSO" and "Add QSO": date, time, band, mode, call and both exchanges.
class QsoFormDialog final : public OkCancelDialog {
 public:
  QsoFormDialog(finalcut::FWidget* parent, std::string_view title, const QsoForm& initial);

  QsoForm Form() const;

 private:
  // A date or time that does not name a real moment is shown in an error box and gets the
  // focus; the dialog stays open.
  bool Confirm() override;
  void Place(finalcut::FLabel& label, std::string_view text, finalcut::FWidget& field, int row);

  finalcut::FLabel dateLabel_{this};
  MaskedLine date_{this, kDialogDateLength};
  finalcut::FLabel dateHint_{this};
  finalcut::FLabel timeLabel_{this};
  MaskedLine time_{this, kDialogTimeLength};
  finalcut::FLabel bandLabel_{this};
  ChoiceBox band_{this};
  finalcut::FLabel modeLabel_{this};
  ChoiceBox mode_{this};
  finalcut::FLabel callLabel_{this};
  MaskedLine call_{this, kDialogTextLength};
  finalcut::FLabel sentLabel_{this};
  MaskedLine sent_{this, kDialogTextLength};
  finalcut::FLabel rcvdLabel_{this};
  MaskedLine rcvd_{this, kDialogTextLength};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Runs the Edit (5002), Delete (5004) or Add (5006) QSO dialog for the QSO at `position`, and
// on OK has the editor carry it out.  Nothing opens when there is no QSO at the position.
void RunQsoDialog(finalcut::FWidget* parent, QsoEditor& editor, CommandId which, int position);

}  // namespace vk::ui
