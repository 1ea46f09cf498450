#include "ui/dialogs/qso_dialogs.h"

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

constexpr int kDialogWidth = 38;
constexpr int kFormHeight = 17;
constexpr int kDeleteHeight = 5;

// Columns of the form: labels from 4, fields from 12 to 25, the date hint from 26.
constexpr int kLabelColumn = 4;
constexpr std::size_t kLabelWidth = 7;
constexpr int kFieldColumn = 12;
constexpr std::size_t kFieldWidth = 14;

// The band and mode selectors are narrower than the input lines.
constexpr std::size_t kSelectorWidth = 13;
constexpr int kSelectorRows = 4;

}  // namespace

// --- Delete QSO -------------------------------------------------------------------------------

DeleteQsoDialog::DeleteQsoDialog(finalcut::FWidget* parent, std::string_view cp866Text)
    : OkCancelDialog(parent, "Delete QSO", kDialogWidth, kDeleteHeight) {
  text_.setText(ScreenText(this, cp866Text));
  text_.setGeometry(FPoint{3, 2}, FSize{32, 1});
  PlaceButtons(ok_, cancel_);
  ok_.setFocus();
}

// --- Edit and Add QSO -------------------------------------------------------------------------

QsoFormDialog::QsoFormDialog(finalcut::FWidget* parent, std::string_view title,
                             const QsoForm& initial)
    : OkCancelDialog(parent, title, kDialogWidth, kFormHeight) {
  Place(dateLabel_, "Date:", date_, 2);
  dateHint_.setText("DD-MM-YYYY");
  dateHint_.setGeometry(FPoint{26, 2}, FSize{10, 1});
  Place(timeLabel_, "Time:", time_, 4);
  Place(bandLabel_, "Band:", band_, 6);
  Place(modeLabel_, "Mode:", mode_, 8);
  Place(callLabel_, "Call:", call_, 10);
  Place(sentLabel_, "TxNr:", sent_, 12);
  Place(rcvdLabel_, "RxNr:", rcvd_, 14);
  band_.setSize(FSize{kSelectorWidth, 1});
  mode_.setSize(FSize{kSelectorWidth, 1});

  date_.SetPicture(kDialogDatePicture);
  time_.SetPicture(kDialogTimePicture);
  call_.SetPicture(kDialogCallPicture);
  band_.SetItems(kDialogBands, kSelectorRows);
  mode_.SetItems(kDialogModes, kSelectorRows);

  date_.SetCp866(initial.date);
  time_.SetCp866(initial.time);
  band_.SetIndex(initial.band);
  mode_.SetIndex(initial.mode);
  call_.SetCp866(initial.call);
  sent_.SetCp866(initial.sent);
  rcvd_.SetCp866(initial.rcvd);

  PlaceButtons(ok_, cancel_);
  date_.setFocus();
}

void QsoFormDialog::Place(finalcut::FLabel& label, std::string_view text, finalcut::FWidget& field,
                          int row) {
  label.setText(ScreenText(this, text));
  label.setGeometry(FPoint{kLabelColumn, row}, FSize{kLabelWidth, 1});
  // A click on the label goes to its field.
  label.setAccelWidget(&field);
  field.setGeometry(FPoint{kFieldColumn, row}, FSize{kFieldWidth, 1});
}

QsoForm QsoFormDialog::Form() const {
  QsoForm f;
  f.date = date_.Cp866();
  f.time = time_.Cp866();
  f.band = band_.Index();
  f.mode = mode_.Index();
  f.call = call_.Cp866();
  f.sent = sent_.Cp866();
  f.rcvd = rcvd_.Cp866();
  return f;
}

bool QsoFormDialog::Confirm() {
  switch (CheckQsoForm(Form())) {
    case FormFault::kDate:
      return RefuseField(date_, kBadDateText);
    case FormFault::kTime:
      return RefuseField(time_, kBadTimeText);
    default:
      return true;
  }
}

// --- running them -----------------------------------------------------------------------------

namespace {

void RunDelete(finalcut::FWidget* parent, QsoEditor& editor, int position, std::int32_t guid) {
  const std::optional<std::string> text = editor.DeleteText(position);
  if (!text) return;
  DeleteQsoDialog dialog{parent, *text};
  if (!dialog.Run()) return;
  editor.Delete(RelocateQso(editor.Log(), position, guid));
}

void RunForm(finalcut::FWidget* parent, QsoEditor& editor, bool edit, int position,
             std::int32_t guid) {
  const std::optional<QsoForm> form = edit ? editor.EditForm(position) : editor.AddForm(position);
  if (!form) return;
  QsoFormDialog dialog{parent, edit ? "Edit QSO" : "Add QSO", *form};
  if (!dialog.Run()) return;
  const int now = RelocateQso(editor.Log(), position, guid);
  if (edit) {
    editor.Edit(now, dialog.Form());
  } else {
    editor.Add(now, dialog.Form());
  }
}

}  // namespace

void RunQsoDialog(finalcut::FWidget* parent, QsoEditor& editor, CommandId which, int position) {
  const TLogCollection& log = editor.Log();
  if (!log.ValidPos(position)) return;
  // The network may change the log while the dialog is open; OK acts on the QSO shown.
  const std::int32_t guid = log.GetGuid(position);
  switch (which) {
    case cm::kEditQso:
      RunForm(parent, editor, true, position, guid);
      break;
    case cm::kAddQso:
      RunForm(parent, editor, false, position, guid);
      break;
    case cm::kDeleteQso:
      RunDelete(parent, editor, position, guid);
      break;
    default:
      break;
  }
}

}  // namespace vk::ui
