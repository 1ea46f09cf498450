#include "ui/dialogs/ermak_dialogs.h"

#include <algorithm>

#include "util/strings.h"

namespace vk::ui {

namespace {

// CP866 labels of the operator blocks.
constexpr std::string_view kGroupLabel = "\x83\xE0\xE3\xAF\xAF\xA0:";        // Группа:
constexpr std::string_view kSurnameLabel = "\x94\xA0\xAC\xA8\xAB\xA8\xEF:";  // Фамилия:
constexpr std::string_view kNameLabel = "\x88\xAC\xEF:";                     // Имя:
constexpr std::string_view kPatronymicLabel = "\x8E\xE2\xE7\xA5\xE1\xE2\xA2\xAE:";  // Отчество:
constexpr std::string_view kYearLabel = "\x83\xAE\xA4 \xE0-\xAD\xA8\xEF:";    // Год р-ния:
constexpr std::string_view kRankLabel = "\x90\xA0\xA7\xE0\xEF\xA4:";          // Разряд:
constexpr std::string_view kCallLabel = "\x8F\xAE\xA7\xEB\xA2\xAD\xAE\xA9:";  // Позывной:
constexpr std::string_view kCategoryLabel = "\x8A\xA0\xE2.\xE0/\xE1\xE2:";    // Кат.р/ст:

constexpr std::string_view kCallPicture = "*!";
constexpr std::string_view kYearPicture = "####";
constexpr std::size_t kYearLength = 4;

std::vector<std::string> GroupNames(const std::vector<ErmakGroup>& groups) {
  std::vector<std::string> names;
  names.reserve(groups.size());
  for (const ErmakGroup& g : groups) names.push_back(g.name);
  return names;
}

}  // namespace

// --- first: contest, call, group --------------------------------------------------------------

ErmakGroupDialog::ErmakGroupDialog(finalcut::FWidget* parent, const ErmakReportData& initial,
                                   const std::vector<std::string>& contestParts,
                                   const std::vector<ErmakGroup>& groups)
    : OkCancelDialog(parent, kErmakTitle, 66, 13) {
  contest_.Setup(contestParts, initial.contest, {12, 34}, 2);
  PlaceLabel(contestLabel_, "Contest:", 2, 2, contest_.Widget());
  PlaceField(call_, {48, 64}, 2);
  PlaceLabel(callLabel_, "Call:", 42, 2, call_);
  call_.SetPicture(kCallPicture);
  call_.SetCp866(initial.call);
  group_.SetItems(GroupNames(groups),
                  std::min<int>(static_cast<int>(groups.size()), kErmakGroupRows));
  PlaceField(group_, {12, 64}, 4);
  PlaceLabel(groupLabel_, kGroupLabel, 2, 4, group_);
  PlaceButtons(ok_, cancel_);
  contest_.Widget().setFocus();
}

std::string ErmakGroupDialog::Call() const {
  return Trim(call_.Cp866());
}

// --- second: the operators --------------------------------------------------------------------

ErmakOperatorsDialog::Block::Block(finalcut::FWidget* dialog)
    : surnameLabel(dialog),
      surname(dialog, kErmakPersonWidth),
      nameLabel(dialog),
      name(dialog, kErmakPersonWidth),
      patronymicLabel(dialog),
      patronymic(dialog, kErmakPersonWidth),
      yearLabel(dialog),
      year(dialog, kYearLength),
      rankLabel(dialog),
      rank(dialog),
      callLabel(dialog),
      call(dialog, kReportCallWidth),
      categoryLabel(dialog),
      category(dialog) {
  year.SetPicture(kYearPicture);
  call.SetPicture(kCallPicture);
  rank.SetItems(kErmakRankList.items, kErmakRankList.rows);
  category.SetItems(kErmakStationList.items, kErmakStationList.rows);
}

void ErmakOperatorsDialog::Block::Place(int r) {
  PlaceField(surname, {10, 24}, r);
  PlaceLabel(surnameLabel, kSurnameLabel, 2, r, surname);
  // Room for the English labels too ("Name:", "Middle:").
  PlaceField(name, {30, 40}, r);
  PlaceLabel(nameLabel, kNameLabel, 25, r, name);
  PlaceField(patronymic, {49, 69}, r);
  PlaceLabel(patronymicLabel, kPatronymicLabel, 41, r, patronymic);
  PlaceField(year, {12, 19}, r + 2);
  PlaceLabel(yearLabel, kYearLabel, 2, r + 2, year);
  PlaceField(rank, {27, 35}, r + 2);
  PlaceLabel(rankLabel, kRankLabel, 20, r + 2, rank);
  PlaceField(call, {46, 55}, r + 2);
  PlaceLabel(callLabel, kCallLabel, 36, r + 2, call);
  PlaceField(category, {65, 70}, r + 2);
  PlaceLabel(categoryLabel, kCategoryLabel, 56, r + 2, category);
}

void ErmakOperatorsDialog::Block::Retire() {
  for (finalcut::FWidget* w : std::initializer_list<finalcut::FWidget*>{
           &surnameLabel, &surname, &nameLabel, &name, &patronymicLabel, &patronymic, &yearLabel,
           &year, &rankLabel, &rank, &callLabel, &call, &categoryLabel, &category}) {
    ui::Retire(*w);
  }
}

ErmakOperatorsDialog::ErmakOperatorsDialog(finalcut::FWidget* parent, int count)
    : OkCancelDialog(parent, kErmakTitle, 72, 16) {
  const int shown = std::clamp(count, 0, kMaxOperators);
  for (int k = 0; k < kMaxOperators; ++k) {
    if (k < shown) {
      blocks_[k].Place(4 * k + 2);
    } else {
      blocks_[k].Retire();
    }
  }
  PlaceButtons(ok_, cancel_);
  if (shown > 0) {
    blocks_[0].surname.setFocus();
  } else {
    ok_.setFocus();
  }
}

ErmakOperator ErmakOperatorsDialog::Operator(int k) const {
  const Block& b = blocks_[std::clamp(k, 0, kMaxOperators - 1)];
  ErmakOperator op;
  op.surname = Trim(b.surname.Cp866());
  op.name = Trim(b.name.Cp866());
  op.patronymic = Trim(b.patronymic.Cp866());
  op.yearOfBirth = ErmakYearOfBirth(b.year.Cp866());
  op.rank = b.rank.Chosen();
  op.call = Trim(b.call.Cp866());
  op.stationCategory = b.category.Chosen();
  return op;
}

// --- third: club, e-mail, name, addresses, soapbox --------------------------------------------

ErmakContactDialog::ErmakContactDialog(finalcut::FWidget* parent)
    : OkCancelDialog(parent, kErmakTitle, 56, 16) {
  struct Line {
    std::string_view label;
    MaskedLine& line;
    int to;
  };
  const Line lines[] = {{"Club:", club_, 42},        {"E-mail:", email_, 42},
                        {"Name:", name_, 52},        {"Address:", address1_, 52},
                        {"Address:", address2_, 52}, {"Soapbox:", soapbox_, 52}};
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const int row = 2 + 2 * static_cast<int>(i);
    PlaceField(lines[i].line, {10, lines[i].to}, row);
    PlaceLabel(labels_[i], lines[i].label, 2, row, lines[i].line);
  }
  PlaceButtons(ok_, cancel_);
  club_.setFocus();
}

void ErmakContactDialog::Fill(ErmakReportData& data) const {
  data.club = club_.Cp866();
  data.email = email_.Cp866();
  data.name = name_.Cp866();
  data.address1 = address1_.Cp866();
  data.address2 = address2_.Cp866();
  data.soapbox = soapbox_.Cp866();
}

}  // namespace vk::ui
