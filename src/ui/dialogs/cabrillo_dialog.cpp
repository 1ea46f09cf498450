#include "ui/dialogs/cabrillo_dialog.h"

namespace vk::ui {

namespace {

constexpr int kWidth = 45;
constexpr int kSpacedHeight = 30;
constexpr int kCompactHeight = 18;
// Besides the contents: the button row, the title bar, the menu bar and the status line.
constexpr int kRowsAround = 3 + 1 + 2;
constexpr int kLabelColumn = 2;
constexpr Columns kContestColumns{12, 30};
constexpr Columns kCallColumns{10, 26};
constexpr Columns kTextColumns{14, 42};

}  // namespace

bool CabrilloDialog::FitsSpaced(const finalcut::FWidget* parent) {
  return static_cast<int>(parent->getDesktopHeight()) >= kSpacedHeight + kRowsAround;
}

CabrilloDialog::CabrilloDialog(finalcut::FWidget* parent, const CabrilloReportData& initial,
                               const std::vector<std::string>& contestParts)
    : OkCancelDialog(parent, "Cabrillo report", kWidth,
                     FitsSpaced(parent) ? kSpacedHeight : kCompactHeight),
      spaced_(FitsSpaced(parent)) {
  contest_.Setup(contestParts, initial.contest, kContestColumns, Row(0));
  PlaceLabel(contestLabel_, "Contest:", kLabelColumn, Row(0), contest_.Widget());
  PlaceField(call_, kCallColumns, Row(1));
  PlaceLabel(callLabel_, "Call:", kLabelColumn, Row(1), call_);
  call_.SetPicture("*!");
  call_.SetCp866(initial.call);

  PlaceCategory(operatorLabel_, "Category-operator:", operator_, kCategoryOperatorList, {22, 38},
                Row(2));
  PlaceCategory(bandLabel_, "Category-Band:", band_, kCategoryBandList, {22, 36}, Row(3));
  PlaceCategory(modeLabel_, "Category-Mode:", mode_, kCategoryModeList, {22, 36}, Row(4));
  PlaceCategory(powerLabel_, "Category-Power:", power_, kCategoryPowerList, {22, 36}, Row(5));
  PlaceCategory(stationLabel_, "Category-Station:", station_, kCategoryStationList, {22, 42},
                Row(6));
  PlaceCategory(assistedLabel_, "Category-Assisted:", assisted_, kCategoryAssistedList, {22, 42},
                Row(7));
  PlaceCategory(transmitterLabel_, "Category-Transmitter:", transmitter_, kCategoryTransmitterList,
                {26, 42}, Row(8));

  PlaceText(operatorsLabel_, "Operator:", operators_, Row(9));
  PlaceText(locationLabel_, "Location:", location_, Row(10));
  PlaceText(nameLabel_, "Name:", name_, Row(11));
  PlaceText(addressLabel_, "Address:", address1_, Row(12));
  // The second address line has no label of its own and follows the first directly.
  PlaceField(address2_, kTextColumns, Row(12) + 1);
  ShowInitial(initial);

  PlaceButtons(ok_, cancel_);
  contest_.Widget().setFocus();
}

namespace {

int IndexOf(const ReportChoiceList& list, std::string_view item) {
  for (std::size_t i = 0; i < list.items.size(); ++i) {
    if (list.items[i] == item) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace

// The categories and texts of the last report (or the defaults) as the dialog opens.
void CabrilloDialog::ShowInitial(const CabrilloReportData& d) {
  operator_.SetIndex(IndexOf(kCategoryOperatorList, d.categoryOperator));
  band_.SetIndex(IndexOf(kCategoryBandList, d.categoryBand));
  mode_.SetIndex(IndexOf(kCategoryModeList, d.categoryMode));
  power_.SetIndex(IndexOf(kCategoryPowerList, d.categoryPower));
  station_.SetIndex(IndexOf(kCategoryStationList, d.categoryStation));
  assisted_.SetIndex(IndexOf(kCategoryAssistedList, d.categoryAssisted));
  transmitter_.SetIndex(IndexOf(kCategoryTransmitterList, d.categoryTransmitter));
  operators_.SetCp866(d.operators);
  location_.SetCp866(d.location);
  name_.SetCp866(d.name);
  address1_.SetCp866(d.address1);
  address2_.SetCp866(d.address2);
}

int CabrilloDialog::Row(int field) const {
  return spaced_ ? 2 + 2 * field : 2 + field;
}

void CabrilloDialog::PlaceCategory(finalcut::FLabel& label, std::string_view text, ChoiceBox& box,
                                   const ReportChoiceList& list, Columns cols, int row) {
  box.SetItems(list.items, list.rows);
  PlaceField(box, cols, row);
  PlaceLabel(label, text, kLabelColumn, row, box);
}

void CabrilloDialog::PlaceText(finalcut::FLabel& label, std::string_view text, MaskedLine& line,
                               int row) {
  PlaceField(line, kTextColumns, row);
  PlaceLabel(label, text, kLabelColumn, row, line);
}

CabrilloReportData CabrilloDialog::Data() const {
  CabrilloReportData d;
  d.contest = contest_.Text();
  d.call = call_.Cp866();
  d.categoryOperator = operator_.Chosen();
  d.categoryBand = band_.Chosen();
  d.categoryMode = mode_.Chosen();
  d.categoryPower = power_.Chosen();
  d.categoryStation = station_.Chosen();
  d.categoryAssisted = assisted_.Chosen();
  d.categoryTransmitter = transmitter_.Chosen();
  d.operators = operators_.Cp866();
  d.location = location_.Cp866();
  d.name = name_.Cp866();
  d.address1 = address1_.Cp866();
  d.address2 = address2_.Cp866();
  return d;
}

}  // namespace vk::ui
