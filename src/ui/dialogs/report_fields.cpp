#include "ui/dialogs/report_fields.h"

#include <algorithm>

#include "reports/cabrillo_report.h"
#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

void PlaceField(finalcut::FWidget& field, Columns cols, int row) {
  field.setGeometry(FPoint{cols.from, row},
                    FSize{static_cast<std::size_t>(std::max(cols.to - cols.from, 1)), 1});
}

void PlaceLabel(finalcut::FLabel& label, std::string_view cp866, int from, int row,
                finalcut::FWidget& field) {
  const finalcut::FString text = ScreenText(&label, cp866);
  label.setText(text);
  label.setGeometry(FPoint{from, row}, FSize{text.getLength(), 1});
  label.setAccelWidget(&field);
}

void Retire(finalcut::FWidget& w) {
  w.hide();
  w.setDisable();
}

ContestNameField::ContestNameField(finalcut::FWidget* dialog, std::size_t maxLength)
    : line_(dialog, maxLength), list_(dialog) {}

void ContestNameField::Setup(const std::vector<std::string>& parts, std::string_view initial,
                             Columns cols, int row) {
  choice_ = parts.size() > 1;
  PlaceField(line_, cols, row);
  PlaceField(list_, cols, row);
  if (choice_) {
    list_.SetItems(parts, std::min<int>(static_cast<int>(parts.size()), kContestListRows));
    Retire(line_);
  } else {
    line_.SetCp866(initial);
    Retire(list_);
  }
}

finalcut::FWidget& ContestNameField::Widget() {
  if (choice_) return list_;
  return line_;
}

std::string ContestNameField::Text() const {
  return choice_ ? Trim(list_.Chosen()) : line_.Cp866();
}

}  // namespace vk::ui
