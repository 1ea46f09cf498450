// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report_command.h"

#include <ostream>
#include <string>
#include <vector>

#include "app/html_report.h"
#include "app/score_command.h"
#include "reports/cabrillo_report.h"
#include "util/clock.h"
#include "util/strings.h"

namespace vk {

int RunReportCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err) {
  std::string html;
  std::vector<const char*> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (std::string_view(args[i]) == "--html" && i + 1 < args.size()) {
      html = args[++i];
    } else {
      rest.push_back(args[i]);
    }
  }
  std::string error;
  const std::optional<ScoreCommandOptions> o = ParseScoreArgs(rest, error);
  if (html.empty() || !o) {
    err << "vorkan report: usage: vorkan report [--data DIR] --contest NAME --call CALL "
           "[--txnr TEXT] --html OUT [LOG.adi]\n";
    return kScoreUsageError;
  }
  ScoredLog s;
  if (const int rc = ScoreLogFile(*o, s, err); rc != 0) return rc;
  const std::vector<std::string> names = ContestNameParts(s.rules.Settings().cabrilloName);
  const SystemTimeSource clock;
  const HtmlReportInput in{s.log, s.totals, s.stats, &s.lists,
                           names.empty() ? o->contest : names.front(), o->call,
                           FormatMask(clock.UtcNow(), "yyyy-mm-dd hh:nn")};
  if (const Status st = WriteHtmlReport(in, html); !st) {
    err << "vorkan report: " << html << " not written: " << st.message << '\n';
    return 1;
  }
  PrintTotals(s.totals, s.stats, out);
  out << "Report written: " << html << '\n';
  return 0;
}

}  // namespace vk
