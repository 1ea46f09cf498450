// File > Cabrillo report (Alt+O): the report of the loaded contest.  A contest whose rules define
// Ermak report groups gets the Ermak-format report, any other the Cabrillo report.  The
// dialogs run one after another; Cancel in any of them ends the command with nothing written,
// and a report that cannot be written is shown with its reason.
#pragma once

#include <final/final.h>

#include <string>

#include "log/log_collection.h"
#include "rules/tree_rules.h"
#include "util/bands.h"

namespace vk::ui {

struct ReportContext {
  const TTreeRules& rules;
  const TLogCollection& log;
  std::string ownCall;             // from the configuration
  Mode currentMode;                // the entry window's; stands in for ":MODE:" of a report group
  std::string workDir;             // where "<call>.cbr" goes; empty: the current directory
  std::uint32_t claimedScore = 0;  // the score window's claimed total
};

// Returns where the report was written (the whole path), empty when it was not.
std::string RunReportCommand(finalcut::FWidget* parent, const ReportContext& context);

}  // namespace vk::ui
