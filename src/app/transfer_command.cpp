#include "app/transfer_command.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string_view>

#include "app/log_transfer.h"
#include "app/shell.h"
#include "app/startup.h"
#include "app/station.h"
#include "country/country.h"
#include "log/adif.h"
#include "log/journal.h"
#include "reports/adif_export.h"
#include "reports/adif_import.h"
#include "rules/contest_list.h"
#include "rules/log_scoring.h"
#include "rules/rules_loader.h"
#include "util/atomic_file.h"
#include "util/band_totals.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::string_view kExportUsage =
    "usage: vorkan export [--data DIR] --contest NAME --call CALL [--txnr TEXT] [--no-dupes] "
    "--adif OUT LOG.adi";
constexpr std::string_view kImportUsage = "usage: vorkan import IN.adi";

struct ExportOptions {
  std::string dataDir = "data";
  std::string contest, call, txnr, out, logPath;
  bool dupes = true;
};

int Fail(std::ostream& err, std::string_view command, std::string_view why) {
  err << "vorkan " << command << ": " << why << '\n';
  return kTransferUsageError;
}

bool ParseExportArgs(std::span<const char* const> args, ExportOptions& o) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    std::string* into = a == "--data"      ? &o.dataDir
                        : a == "--contest" ? &o.contest
                        : a == "--call"    ? &o.call
                        : a == "--txnr"    ? &o.txnr
                        : a == "--adif"    ? &o.out
                                           : nullptr;
    if (into != nullptr) {
      if (i + 1 >= args.size()) return false;
      *into = args[++i];
    } else if (a == "--no-dupes") {
      o.dupes = false;
    } else if (!a.starts_with("--") && o.logPath.empty()) {
      o.logPath = a;
    } else {
      return false;
    }
  }
  return !o.contest.empty() && !o.call.empty() && !o.out.empty() && !o.logPath.empty();
}

}  // namespace

int RunExportCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err) {
  ExportOptions o;
  if (!ParseExportArgs(args, o)) return Fail(err, "export", kExportUsage);
  o.call = UpperCase(o.call);
  const CountryLists lists = LoadCountryFiles(o.dataDir);
  // Diagnostics go to debug.txt of the current directory, as in the program.
  Journal journal;
  TTreeRules rules(&journal);
  if (const std::string why = DataDirProblem(o.dataDir, lists.world.Empty()); !why.empty()) {
    return Fail(err, "export", why);
  }
  rules.SetCountryLists(&lists);
  if (!rules.SetOwnCall(o.call)) {
    return Fail(err, "export", "own call " + o.call + " is not in the country list");
  }
  rules.SetOwnExchange(UpperCase(o.txnr));
  const ContestList contests = ContestList::Build(o.dataDir, &journal);
  if (const Status s = LoadContest(rules, contests, o.contest); !s) {
    return Fail(err, "export", "contest " + o.contest + " not loaded: " + s.message);
  }
  if (std::ifstream probe(o.logPath); !probe) {
    return Fail(err, "export", "cannot read " + o.logPath);
  }
  TLogCollection log;
  rules.SetLog(&log);
  if (const Status s = LoadAdifLog(o.logPath, log, &journal); !s) {
    return Fail(err, "export", "cannot read " + o.logPath + ": " + s.message);
  }
  BandTotals totals;
  totals.SetFormula(rules.Settings().scoreTotal);
  RescoreLog(log, rules, totals);
  AdifExportSettings settings = ExportSettingsFor(rules, o.call);
  settings.dupes = o.dupes;
  const SystemTimeSource clock;
  const DateTime now = UnpackDateTime(CurrentPacked(clock));
  int written = 0;
  const std::string text = StandardAdifText(log, settings, now, &written);
  if (const Status s = ReplaceFileAtomically(o.out, text); !s) {
    return Fail(err, "export", "cannot write " + o.out + ": " + s.message);
  }
  out << "exported " << written << " QSOs to " << o.out;
  // What --no-dupes left out, so the count above is not taken for the whole log.
  if (written != log.Count()) out << " (dupes left out: " << log.Count() - written << ")";
  out << '\n';
  return 0;
}

int RunImportCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err,
                     const std::string& workDir) {
  if (args.size() != 1) return Fail(err, "import", kImportUsage);
  // Checked before the station is loaded; the import reads the file itself.
  if (!std::ifstream(args[0], std::ios::binary)) {
    return Fail(err, "import", std::string("cannot read ") + args[0]);
  }
  CommandBus bus;
  Journal journal;
  Station station(bus, workDir, nullptr, &journal);
  if (const Status s = station.ReadSettings(); !s) return Fail(err, "import", s.message);
  ShellState state;
  station.LoadConfiguredContest(state);
  if (state.NoContest || !station.ContestNotice().empty()) {
    return Fail(err, "import", "no contest loaded: " + station.ContestNotice());
  }
  if (const Status s = station.LoadLog(); !s || !station.LogNotice().empty()) {
    return Fail(
        err, "import",
        "the log file is not read whole, nothing imported: " + s.message + station.LogNotice());
  }
  // The file is named from where the command runs, not from the station's directory.
  const TransferReport r = ImportIntoStation(station, std::filesystem::absolute(args[0]).string());
  for (const std::string& why : r.refused) err << "not imported: " << why << '\n';
  if (!r.status) return Fail(err, "import", "log not written, nothing imported: " + r.status.message);
  out << "imported " << r.taken << " QSOs, " << r.refused.size() << " records not taken\n";
  return 0;
}

}  // namespace vk
