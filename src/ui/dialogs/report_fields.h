// Pieces the report dialogs share: placing a label and its field by the columns the classic
// layout gives (a field spans from its first column up to, not including, its last), and the
// contest-name field.
#pragma once

#include <final/final.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tui/choice_box.h"
#include "tui/masked_line.h"

namespace vk::ui {

// Columns from `from` up to `to`, as the classic layout counts them.
struct Columns {
  int from;
  int to;
};

// The field in its columns on its row.
void PlaceField(finalcut::FWidget& field, Columns cols, int row);
// A CP866 label from column `from`, as wide as its text; a click on it focuses the field.
void PlaceLabel(finalcut::FLabel& label, std::string_view cp866, int from, int row,
                finalcut::FWidget& field);

// The contest name: a text line prefilled with the contest's Cabrillo name or, when the rules
// offer the name in several parts ("CQ-WW-CW/CQ-WW-SSB"), a choice between the parts.  Both
// controls belong to the dialog; the one not used stays hidden and out of the Tab order.
class ContestNameField {
 public:
  ContestNameField(finalcut::FWidget* dialog, std::size_t maxLength);

  void Setup(const std::vector<std::string>& parts, std::string_view initial, Columns cols,
             int row);
  finalcut::FWidget& Widget();
  // The typed text, or the chosen part.
  std::string Text() const;

 private:
  bool choice_ = false;
  MaskedLine line_;
  ChoiceBox list_;
};

// Hides a control that the dialog does not use this time and takes it out of the Tab order.
void Retire(finalcut::FWidget& w);

}  // namespace vk::ui
