#include "reports/ermak_report.h"

#include "reports/qso_line.h"
#include "reports/report_file.h"
#include "rules/tree_rules.h"
#include "util/strings.h"

namespace vk {
namespace {

void AddLine(std::string& text, std::string_view tag, std::string_view value) {
  text += tag;
  text += value;
  text += kReportEol;
}

void AddLineIfSet(std::string& text, std::string_view tag, const std::string& value) {
  std::string v = Trim(value);
  if (!v.empty()) AddLine(text, tag, v);
}

// Sets the category an item names; the rules reader keeps no other names.
void TakeItem(ErmakCategories& c, const ErmakCondition& item) {
  std::string* target = item.name == "OPERATOR"  ? &c.operatorCategory
                        : item.name == "BAND"    ? &c.band
                        : item.name == "MODE"    ? &c.mode
                        : item.name == "POWER"   ? &c.power
                        : item.name == "STATION" ? &c.station
                        : item.name == "OVERLAY" ? &c.overlay
                                                 : nullptr;
  if (target) *target = item.value;
}

void AddModeLine(std::string& text, const std::string& mode, Mode currentMode) {
  std::string m = Trim(mode);
  if (m.empty()) return;
  if (m != ":MODE:") {
    AddLine(text, "CATEGORY-MODE: ", m);
  } else if (currentMode == Mode::kCw) {
    AddLine(text, "CATEGORY-MODE: ", "CW");
  } else if (currentMode == Mode::kPhone) {
    AddLine(text, "CATEGORY-MODE: ", "SSB");
  }
}

std::string OperatorText(const ErmakOperator& op) {
  // An unknown year is left empty: 65535 in the report would read as a year of birth.
  std::string year = op.yearOfBirth == kErmakNoYear ? std::string() : IntToStr(op.yearOfBirth);
  std::string text = op.surname + ", " + op.name + ", " + op.patronymic + ", " + year + ", " +
                     op.rank + ", " + op.call + ", " + op.stationCategory;
  return Cp866ToWin1251(text);
}

void AddHeader(std::string& text, const ErmakReportData& data, Mode currentMode) {
  const ErmakCategories& c = data.categories;
  AddLine(text, "START-OF-LOG: ", "3.0");
  AddLine(text, "CREATED-BY: ", std::string(kReportCreatedBy) + std::string(kReportWebPage));
  AddLine(text, "CONTEST: ", Trim(data.contest));
  AddLine(text, "CALLSIGN: ", Trim(data.call));
  AddLine(text, "CATEGORY-OPERATOR: ", Trim(c.operatorCategory));
  AddLine(text, "CATEGORY-BAND: ", Trim(c.band));
  AddModeLine(text, c.mode, currentMode);
  AddLineIfSet(text, "CATEGORY-POWER: ", c.power);
  AddLineIfSet(text, "CATEGORY-STATION: ", c.station);
  AddLineIfSet(text, "CATEGORY-OVERLAY: ", c.overlay);
  for (const ErmakOperator& op : data.operators) {
    if (!op.surname.empty()) AddLine(text, "OPERATORS: ", OperatorText(op));
  }
  AddLine(text, "LOCATION: ", "");
  AddLine(text, "CLUB: ", Trim(data.club));
  AddLine(text, "EMAIL: ", Trim(data.email));
  AddLine(text, "NAME: ", Trim(data.name));
  AddLine(text, "ADDRESS: ", Trim(data.address1));
  AddLine(text, "ADDRESS: ", Trim(data.address2));
  AddLineIfSet(text, "SOAPBOX: ", data.soapbox);
}

}  // namespace

ReportKind ChooseReport(const TTreeRules& rules) {
  return rules.ErmakGroups().empty() ? ReportKind::kCabrillo : ReportKind::kErmak;
}

std::vector<ErmakGroup> ErmakReportGroups(const TTreeRules& rules) {
  std::vector<ErmakGroup> groups;
  groups.reserve(rules.ErmakGroups().size() + 1);
  groups.push_back(
      {std::string(kErmakCheckGroupName), {{"OPERATOR", "CHECKLOG"}, {"BAND", "ALL"}}});
  groups.insert(groups.end(), rules.ErmakGroups().begin(), rules.ErmakGroups().end());
  return groups;
}

std::uint8_t ErmakOperatorCount(std::string_view operatorCategory) {
  if (operatorCategory == "SINGLE-OP" || operatorCategory == "CHECKLOG") return 1;
  if (operatorCategory == "MULTI-OP-2") return 2;
  if (operatorCategory == "MULTI-OP") return 3;
  return 0;
}

ErmakSelection SelectErmakGroup(const std::vector<ErmakGroup>& groups,
                                std::string_view chosenName) {
  // Names are compared trimmed: the list shows a group whose name starts with a space like any
  // other, and the operator who picks it must get its categories.
  const std::string chosen = Trim(chosenName);
  ErmakSelection sel;
  for (const ErmakGroup& g : groups) {
    if (Trim(g.name) != chosen) continue;
    for (const ErmakCondition& item : g.conditions) {
      TakeItem(sel.categories, item);
      if (item.name != "OPERATOR") continue;
      // An operator category the count does not know keeps the count an earlier one set.
      if (std::uint8_t n = ErmakOperatorCount(item.value); n != 0) sel.operatorCount = n;
    }
  }
  return sel;
}

std::uint16_t ErmakYearOfBirth(std::string_view text) {
  long long year = 0;
  if (!TryStrToInt(Trim(text), year) || year < 0 || year >= kErmakNoYear) return kErmakNoYear;
  return static_cast<std::uint16_t>(year);
}

ErmakReportData DefaultErmakReport(const TTreeRules& rules, std::string_view ownCall) {
  ErmakReportData data;
  data.contest = ContestNameParts(rules.Settings().cabrilloName).front();
  data.call = Trim(ownCall);
  return data;
}

void ApplyErmakGroup(ErmakReportData& data, const ErmakSelection& selection) {
  data.categories = selection.categories;
  data.operators.assign(selection.operatorCount, ErmakOperator{});
}

std::string ErmakReportText(const ErmakReportData& data, const TLogCollection& log,
                            Mode currentMode) {
  const std::string call = Trim(data.call);
  std::string text;
  text.reserve(1024 + static_cast<std::size_t>(log.Count()) * 83);
  AddHeader(text, data, currentMode);
  for (const QsoRecord& qso : log) AddLine(text, ErmakQsoLine(qso, call), "");
  AddLine(text, "END-OF-LOG:", "");
  AddLine(text, "web - ", kReportTopicPage);
  return text;
}

Status WriteErmakReport(const ErmakReportData& data, const TLogCollection& log, Mode currentMode,
                        const std::string& dir, Journal* journal) {
  return WriteReportFile(dir, data.call, ErmakReportText(data, log, currentMode), journal);
}

}  // namespace vk
