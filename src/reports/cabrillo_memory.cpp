// The report dialog's choices and texts, kept in the configuration file between reports.
#include <algorithm>
#include <string>

#include "config/ini_file.h"
#include "reports/cabrillo_report.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::string_view kSection = "Cabrillo";

struct KeptItem {
  std::string_view key;
  std::string CabrilloReportData::*field;
  const ReportChoiceList* list;            // nullptr: a text line
  std::size_t width = kCabrilloTextWidth;  // of a text line
};

constexpr KeptItem kKept[] = {
    {"Operator", &CabrilloReportData::categoryOperator, &kCategoryOperatorList},
    {"Band", &CabrilloReportData::categoryBand, &kCategoryBandList},
    {"Mode", &CabrilloReportData::categoryMode, &kCategoryModeList},
    {"Power", &CabrilloReportData::categoryPower, &kCategoryPowerList},
    {"Station", &CabrilloReportData::categoryStation, &kCategoryStationList},
    {"Assisted", &CabrilloReportData::categoryAssisted, &kCategoryAssistedList},
    {"Transmitter", &CabrilloReportData::categoryTransmitter, &kCategoryTransmitterList},
    {"Operators", &CabrilloReportData::operators, nullptr},
    {"Location", &CabrilloReportData::location, nullptr},
    {"Name", &CabrilloReportData::name, nullptr},
    {"Address1", &CabrilloReportData::address1, nullptr},
    {"Address2", &CabrilloReportData::address2, nullptr},
    {"Club", &CabrilloReportData::club, nullptr, 240},
    {"Email", &CabrilloReportData::email, nullptr, 240},
    {"Soapbox", &CabrilloReportData::soapbox, nullptr, 240},
};

// The station's own setting decides the assisted category where it says anything: an entry that
// turned spots off is unassisted, one that takes spots from a node is assisted.
void FollowClusterSetting(CabrilloReportData& data, const IniFile& ini) {
  constexpr std::string_view kCluster = "Cluster";
  if (ini.SearchSection(kCluster) == nullptr) return;
  const bool assisted = ini.GetIntEntry(kCluster, "Assisted", 1) != 0;
  const bool node = !Trim(ini.GetEntry(kCluster, "Host", "")).empty();
  data.categoryAssisted = std::string(kCategoryAssistedItems[assisted && node ? 1 : 0]);
}

}  // namespace

void RecallCabrilloChoices(CabrilloReportData& data, const std::string& configPath) {
  const IniFile ini(configPath);
  for (const KeptItem& k : kKept) {
    const std::string value = Trim(ini.GetEntry(kSection, k.key, ""));
    if (value.empty()) continue;
    if (k.list == nullptr) {
      data.*k.field = value.substr(0, k.width);
      continue;
    }
    // Only an item the list offers: a value edited by hand or from an older list is left out.
    const auto& items = k.list->items;
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](std::string_view item) { return Trim(item) == value; });
    if (it != items.end()) data.*k.field = std::string(*it);
  }
  FollowClusterSetting(data, ini);
}

Status KeepCabrilloChoices(const CabrilloReportData& data, const std::string& configPath) {
  IniFile ini(configPath);
  for (const KeptItem& k : kKept) ini.SetEntry(kSection, k.key, Trim(data.*k.field));
  if (!ini.IsModified() || ini.Update()) return {};
  return ini.LastError();
}

}  // namespace vk
