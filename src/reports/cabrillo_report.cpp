#include "reports/cabrillo_report.h"

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

bool HoldsSeveralModes(const TLogCollection& log) {
  for (const QsoRecord& qso : log) {
    if (qso.Mode != log.At(0)->Mode) return true;
  }
  return false;
}

}  // namespace

std::vector<std::string> ContestNameParts(std::string_view cabrilloName) {
  std::vector<std::string> parts;
  for (;;) {
    auto slash = cabrilloName.find('/');
    parts.push_back(Trim(cabrilloName.substr(0, slash)));
    if (slash == std::string_view::npos) break;
    cabrilloName.remove_prefix(slash + 1);
  }
  return parts;
}

CabrilloReportData DefaultCabrilloReport(const TTreeRules& rules, std::string_view ownCall,
                                         std::uint32_t claimedScore) {
  CabrilloReportData data;
  data.contest = ContestNameParts(rules.Settings().cabrilloName).front();
  data.call = Trim(ownCall);
  data.operators = data.call;
  data.claimedScore = IntToStr(claimedScore);
  return data;
}

std::string CabrilloReportText(const CabrilloReportData& data, const TLogCollection& log) {
  const std::string call = Trim(data.call);
  std::string text;
  text.reserve(1024 + static_cast<std::size_t>(log.Count()) * 84);
  AddLine(text, "START-OF-LOG: ", "3.0");
  AddLine(text, "CREATED-BY: ", kReportProgram);
  AddLine(text, "CONTEST: ", Trim(data.contest));
  AddLine(text, "CALLSIGN: ", call);
  AddLine(text, "CATEGORY-OPERATOR: ", Trim(data.categoryOperator));
  AddLine(text, "CATEGORY-BAND: ", Trim(data.categoryBand));
  AddLine(text, "CATEGORY-MODE: ", HoldsSeveralModes(log) ? "MIXED" : Trim(data.categoryMode));
  AddLine(text, "CATEGORY-POWER: ", Trim(data.categoryPower));
  AddLine(text, "CATEGORY-STATION: ", Trim(data.categoryStation));
  AddLine(text, "CATEGORY-ASSISTED: ", Trim(data.categoryAssisted));
  AddLine(text, "CATEGORY-TRANSMITTER: ", Trim(data.categoryTransmitter));
  AddLine(text, "CLAIMED-SCORE: ", Trim(data.claimedScore));
  const std::string operators = Trim(data.operators);
  AddLine(text, "OPERATORS: ", operators.empty() ? call : operators);
  AddLine(text, "LOCATION: ", Trim(data.location));
  AddLine(text, "CLUB: ", Trim(data.club));
  AddLine(text, "EMAIL: ", Trim(data.email));
  AddLine(text, "NAME: ", Trim(data.name));
  AddLine(text, "ADDRESS: ", Trim(data.address1));
  AddLine(text, "ADDRESS: ", Trim(data.address2));
  if (const std::string soapbox = Trim(data.soapbox); !soapbox.empty()) {
    AddLine(text, "SOAPBOX: ", soapbox);
  }
  for (const QsoRecord& qso : log) AddLine(text, CabrilloQsoLine(qso, call), "");
  AddLine(text, "END-OF-LOG:", "");
  return text;
}

Status WriteCabrilloReport(const CabrilloReportData& data, const TLogCollection& log,
                           const std::string& dir, Journal* journal) {
  return WriteReportFile(dir, data.call, CabrilloReportText(data, log), journal);
}

}  // namespace vk
