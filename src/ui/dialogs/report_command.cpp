#include "ui/dialogs/report_command.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "reports/cabrillo_report.h"
#include "reports/ermak_report.h"
#include "reports/report_file.h"
#include "tui/focus_return.h"
#include "tui/screen_text.h"
#include "ui/dialogs/cabrillo_dialog.h"
#include "ui/dialogs/ermak_dialogs.h"
#include "util/strings.h"

namespace vk::ui {

namespace {

// Titled "Error" like the program's other error boxes, but as wide as the reason needs: a file
// name and the system's words do not fit that box's one short line.
void ShowFailure(finalcut::FWidget* parent, const Status& status) {
  if (status) return;
  ShowMessage(parent, "Error", ScreenText(parent, status.message), true);
}

std::string Written(const Status& s, const ReportContext& c, std::string_view call) {
  if (!s) return {};
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::absolute(ReportPath(c.workDir, call), ec);
  return ec ? ReportPath(c.workDir, call) : p.lexically_normal().string();
}

std::string RunCabrillo(finalcut::FWidget* parent, const ReportContext& c) {
  const std::string config = c.workDir.empty() ? "vorkan.cfg" : c.workDir + "/vorkan.cfg";
  CabrilloReportData data = DefaultCabrilloReport(c.rules, c.ownCall, c.claimedScore);
  RecallCabrilloChoices(data, config);
  {
    CabrilloDialog dialog{parent, data, ContestNameParts(c.rules.Settings().cabrilloName)};
    if (!dialog.Run()) return {};
    CabrilloReportData chosen = dialog.Data();
    // What the dialog does not show goes into the report as it was prepared.
    chosen.claimedScore = data.claimedScore;
    chosen.club = data.club;
    chosen.email = data.email;
    chosen.soapbox = data.soapbox;
    data = std::move(chosen);
  }  // the dialog is gone before a message box may open
  const Status written = WriteCabrilloReport(data, c.log, c.workDir, c.rules.journal());
  // What the operator chose is kept even when the file could not be written: the next try
  // starts from it.  A configuration that cannot be written costs only that convenience.
  if (written || !Trim(data.call).empty()) (void)KeepCabrilloChoices(data, config);
  ShowFailure(parent, written);
  return Written(written, c, data.call);
}

// The first dialog: contest, call and the group, whose categories decide how many operators
// the second one asks for.
bool AskGroup(finalcut::FWidget* parent, const ReportContext& c, ErmakReportData& data) {
  const std::vector<ErmakGroup> groups = ErmakReportGroups(c.rules);
  ErmakGroupDialog dialog{parent, data, ContestNameParts(c.rules.Settings().cabrilloName), groups};
  if (!dialog.Run()) return false;
  data.contest = dialog.Contest();
  data.call = dialog.Call();
  ApplyErmakGroup(data, SelectErmakGroup(groups, dialog.GroupName()));
  return true;
}

bool AskOperators(finalcut::FWidget* parent, ErmakReportData& data) {
  ErmakOperatorsDialog dialog{parent, static_cast<int>(data.operators.size())};
  if (!dialog.Run()) return false;
  // Operators beyond the dialog's blocks stay blank and, without a surname, out of the report.
  const int shown =
      std::min(static_cast<int>(data.operators.size()), ErmakOperatorsDialog::kMaxOperators);
  for (int k = 0; k < shown; ++k) data.operators[static_cast<std::size_t>(k)] = dialog.Operator(k);
  return true;
}

bool AskContact(finalcut::FWidget* parent, ErmakReportData& data) {
  ErmakContactDialog dialog{parent};
  if (!dialog.Run()) return false;
  dialog.Fill(data);
  return true;
}

std::string RunErmak(finalcut::FWidget* parent, const ReportContext& c) {
  ErmakReportData data = DefaultErmakReport(c.rules, c.ownCall);
  if (!AskGroup(parent, c, data) || !AskOperators(parent, data) || !AskContact(parent, data)) {
    return {};
  }
  const Status written = WriteErmakReport(data, c.log, c.currentMode, c.workDir, c.rules.journal());
  ShowFailure(parent, written);
  return Written(written, c, data.call);
}

}  // namespace

std::string RunReportCommand(finalcut::FWidget* parent, const ReportContext& context) {
  if (ChooseReport(context.rules) == ReportKind::kErmak) return RunErmak(parent, context);
  return RunCabrillo(parent, context);
}

}  // namespace vk::ui
