#include "ui/dialogs/cw_message_editor.h"

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

// Each line shows a good part of its message and scrolls through the rest: a message holds as
// much as the keyer does (255 characters).
constexpr int kWidth = 72;
constexpr int kHeight = 26;
// Rows the dialog takes on the screen: its own, the button row and the toolkit's title bar.
constexpr int kScreenRows = kHeight + 3 + 1;
// On a desktop too short for one column of 19 rows (an 80 x 24 terminal) the rows stand in
// two columns, so that every message and both buttons can still be seen.
constexpr int kRowsPerColumn = 10;
constexpr int kColumnStep = 37;
constexpr int kTwoColumnWidth = 78;
constexpr int kTwoColumnHeight = kRowsPerColumn + 3;

constexpr std::size_t kLineColumns = 60;
constexpr std::size_t kTwoColumnLineColumns = 28;
constexpr std::string_view kPicture = "*!";

bool TwoColumns(const finalcut::FWidget* parent) {
  const int desktopRows = static_cast<int>(parent->getDesktopHeight()) - 2;
  return desktopRows < kScreenRows;
}

}  // namespace

std::vector<CwMessageEditor::Row> CwMessageEditor::MakeRows(CwMessageEditor* dialog,
                                                            const CwMessageList& messages,
                                                            bool twoColumns) {
  std::vector<Row> rows;
  const std::vector<CwMessage>& all = messages.Messages();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const int n = static_cast<int>(i);
    const int column = twoColumns ? n / kRowsPerColumn : 0;
    const int row = 2 + (twoColumns ? n % kRowsPerColumn : n);
    const int x = 3 + column * kColumnStep;
    Row r;
    r.label = std::make_unique<finalcut::FLabel>(dialog);
    r.label->setText(ScreenText(dialog, std::string(kCwMessageLabels[i]) + " :"));
    r.label->setGeometry(FPoint{x, row}, FSize{5, 1});
    r.line = std::make_unique<MaskedLine>(dialog, kCwMessageMaxLength);
    r.line->SetPicture(kPicture);
    r.line->SetCp866(all[i].Text);
    const std::size_t columns = twoColumns ? kTwoColumnLineColumns : kLineColumns;
    r.line->setGeometry(FPoint{x + 6, row}, FSize{columns + 1, 1});
    rows.push_back(std::move(r));
  }
  return rows;
}

CwMessageEditor::CwMessageEditor(finalcut::FWidget* parent, const CwMessageList& messages)
    : OkCancelDialog(parent, "[ CW Message Edit ]", TwoColumns(parent) ? kTwoColumnWidth : kWidth,
                     TwoColumns(parent) ? kTwoColumnHeight : kHeight),
      rows_(MakeRows(this, messages, TwoColumns(parent))) {
  PlaceButtons(ok_, cancel_);
  if (!rows_.empty()) rows_.front().line->setFocus();
}

CwMessageEditor::~CwMessageEditor() = default;

std::vector<std::string> CwMessageEditor::Texts() const {
  std::vector<std::string> out;
  out.reserve(rows_.size());
  for (const Row& r : rows_) out.push_back(r.line->Cp866());
  return out;
}

bool RunCwMessageEditor(finalcut::FWidget* desktop, CwMessageList& messages,
                        const std::string& configPath) {
  CwMessageEditor editor{desktop, messages};
  if (!editor.Run()) return false;
  const std::vector<std::string> texts = editor.Texts();
  for (std::size_t i = 0; i < texts.size() && i < kCwMessageKeys.size(); ++i) {
    const std::uint16_t key = kCwMessageKeys[i];
    if (texts[i] != messages.TextOf(key)) messages.Replace(key, texts[i]);
  }
  // A file that cannot be written keeps the messages for this run; the next save tries again.
  (void)messages.Save(configPath);
  return true;
}

}  // namespace vk::ui
