// "Cabrillo report": the contest name, the call and the categories of the Cabrillo report,
// with the operators, location, name and address lines of its header.  The dialog only shows
// and collects the form; the report is made from what Data() returns.
#pragma once

#include <final/final.h>

#include <string>
#include <vector>

#include "reports/cabrillo_report.h"
#include "tui/choice_box.h"
#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"
#include "ui/dialogs/report_fields.h"

namespace vk::ui {

class CabrilloDialog final : public OkCancelDialog {
 public:
  // `contestParts`: the contest's Cabrillo name split at "/" (ContestNameParts); more than one
  // part offers a choice.  `initial` gives the contest line and the call.
  CabrilloDialog(finalcut::FWidget* parent, const CabrilloReportData& initial,
                 const std::vector<std::string>& contestParts);

  CabrilloReportData Data() const;

  // The dialog's rows 2, 4, ... 26 leave a blank row between fields and need a screen of 36
  // rows; on a shorter one the fields sit on consecutive rows, so that every field and the
  // buttons stay on the screen.
  static bool FitsSpaced(const finalcut::FWidget* parent);

 private:
  void PlaceCategory(finalcut::FLabel& label, std::string_view text, ChoiceBox& box,
                     const ReportChoiceList& list, Columns cols, int row);
  void PlaceText(finalcut::FLabel& label, std::string_view text, MaskedLine& line, int row);
  int Row(int field) const;
  void ShowInitial(const CabrilloReportData& d);

  bool spaced_;
  finalcut::FLabel contestLabel_{this};
  ContestNameField contest_{this, kCabrilloContestWidth};
  finalcut::FLabel callLabel_{this};
  MaskedLine call_{this, kReportCallWidth};
  finalcut::FLabel operatorLabel_{this};
  ChoiceBox operator_{this};
  finalcut::FLabel bandLabel_{this};
  ChoiceBox band_{this};
  finalcut::FLabel modeLabel_{this};
  ChoiceBox mode_{this};
  finalcut::FLabel powerLabel_{this};
  ChoiceBox power_{this};
  finalcut::FLabel stationLabel_{this};
  ChoiceBox station_{this};
  finalcut::FLabel assistedLabel_{this};
  ChoiceBox assisted_{this};
  finalcut::FLabel transmitterLabel_{this};
  ChoiceBox transmitter_{this};
  finalcut::FLabel operatorsLabel_{this};
  MaskedLine operators_{this, kCabrilloTextWidth};
  finalcut::FLabel locationLabel_{this};
  MaskedLine location_{this, kCabrilloTextWidth};
  finalcut::FLabel nameLabel_{this};
  MaskedLine name_{this, kCabrilloTextWidth};
  finalcut::FLabel addressLabel_{this};
  MaskedLine address1_{this, kCabrilloTextWidth};
  MaskedLine address2_{this, kCabrilloTextWidth};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

}  // namespace vk::ui
