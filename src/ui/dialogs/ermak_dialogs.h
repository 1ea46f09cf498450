// The three dialogs of the Ermak-format report, all titled "Отчет формата Ermak": the contest,
// the call and the report group; the operators the group's category calls for; club, e-mail,
// name, addresses and soapbox.  They only show and collect the form.
#pragma once

#include <final/final.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "reports/ermak_report.h"
#include "tui/choice_box.h"
#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"
#include "ui/dialogs/report_fields.h"

namespace vk::ui {

// "Отчет формата Ermak" in CP866.
inline constexpr std::string_view kErmakTitle =
    "\x8E\xE2\xE7\xA5\xE2 \xE4\xAE\xE0\xAC\xA0\xE2\xA0 Ermak";

// First: contest, call and the report group.
class ErmakGroupDialog final : public OkCancelDialog {
 public:
  ErmakGroupDialog(finalcut::FWidget* parent, const ErmakReportData& initial,
                   const std::vector<std::string>& contestParts,
                   const std::vector<ErmakGroup>& groups);

  std::string Contest() const { return contest_.Text(); }
  std::string Call() const;
  // The chosen group's name as listed.
  std::string GroupName() const { return group_.Chosen(); }

 private:
  finalcut::FLabel contestLabel_{this};
  ContestNameField contest_{this, kErmakContestWidth};
  finalcut::FLabel callLabel_{this};
  MaskedLine call_{this, kReportCallWidth};
  finalcut::FLabel groupLabel_{this};
  ChoiceBox group_{this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Second: one block of two rows per operator, at most three (a MULTI-OP group); with none the
// dialog only asks for OK.
class ErmakOperatorsDialog final : public OkCancelDialog {
 public:
  static constexpr int kMaxOperators = 3;

  // Blocks for the first kMaxOperators of `count`.
  ErmakOperatorsDialog(finalcut::FWidget* parent, int count);

  // Operator k as typed (names and call trimmed).
  ErmakOperator Operator(int k) const;

 private:
  struct Block {
    explicit Block(finalcut::FWidget* dialog);
    void Place(int row);
    void Retire();

    finalcut::FLabel surnameLabel;
    MaskedLine surname;
    finalcut::FLabel nameLabel;
    MaskedLine name;
    finalcut::FLabel patronymicLabel;
    MaskedLine patronymic;
    finalcut::FLabel yearLabel;
    MaskedLine year;
    finalcut::FLabel rankLabel;
    ChoiceBox rank;
    finalcut::FLabel callLabel;
    MaskedLine call;
    finalcut::FLabel categoryLabel;
    ChoiceBox category;
  };

  Block blocks_[kMaxOperators]{Block{this}, Block{this}, Block{this}};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Third: club, e-mail, name, two address lines and the soapbox.
class ErmakContactDialog final : public OkCancelDialog {
 public:
  explicit ErmakContactDialog(finalcut::FWidget* parent);

  // Fills the report's club, e-mail, name, addresses and soapbox.
  void Fill(ErmakReportData& data) const;

 private:
  std::array<finalcut::FLabel, 6> labels_{finalcut::FLabel{this}, finalcut::FLabel{this},
                                          finalcut::FLabel{this}, finalcut::FLabel{this},
                                          finalcut::FLabel{this}, finalcut::FLabel{this}};
  MaskedLine club_{this, kErmakClubWidth};
  MaskedLine email_{this, kErmakClubWidth};
  MaskedLine name_{this, kErmakTextWidth};
  MaskedLine address1_{this, kErmakTextWidth};
  MaskedLine address2_{this, kErmakTextWidth};
  MaskedLine soapbox_{this, kErmakTextWidth};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

}  // namespace vk::ui
