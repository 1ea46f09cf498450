#include "app/score_command.h"

#include <sys/stat.h>

#include <ostream>
#include <string_view>

#include "app/startup.h"
#include "country/country.h"
#include "log/adif.h"
#include "log/journal.h"
#include "reports/cabrillo_report.h"
#include "rules/contest_list.h"
#include "rules/log_scoring.h"
#include "rules/rules_loader.h"
#include "util/atomic_file.h"
#include "util/band_totals.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::string_view kUsage =
    "usage: vorkan score [--data DIR] --contest NAME --call CALL [--txnr TEXT] [--qsos] "
    "[--cabrillo FILE] LOG.adi";

// "20M", "2M", "70CM"; empty outside every band of the log.
std::string BandLabel(std::int32_t freq) {
  const std::string text = Trim(QsoBandText(freq, true));
  return text.empty() ? std::string() : text + "M";
}

std::string BandRowLabel(BandIndex band) {
  return BandLabel(DefaultFreqOfBand(band));
}

void PrintQsoLines(const TLogCollection& log, std::ostream& out) {
  for (int pos = 0; pos < log.Count(); ++pos) {
    const QsoRecord& q = *log.At(pos);
    out << pos + 1 << '\t' << q.Call << '\t' << BandLabel(q.Freq) << '\t' << q.Score << '\t'
        << q.Multi << '\t' << q.Bonus << '\t' << (q.Dupe ? 1 : 0) << '\n';
  }
}

void PrintRow(std::ostream& out, std::string_view label, const BandTally& t) {
  out << label << " qsos=" << t.qsos << " points=" << t.points << " multipliers=" << t.multi;
  if (t.bonus != 0) out << " bonus=" << t.bonus;
  out << '\n';
}

}  // namespace

void PrintTotals(const BandTotals& totals, const RescoreStats& stats, std::ostream& out) {
  for (BandIndex b = 1; b <= kBandCount; ++b) {
    if (totals.Row(b).qsos != 0) PrintRow(out, BandRowLabel(b), totals.Row(b));
  }
  if (totals.Outside().qsos != 0) PrintRow(out, "OTHER", totals.Outside());
  out << "DUPES " << stats.dupes << '\n';
  out << "TOTAL qsos=" << stats.qsos << " points=" << totals.Sum(BandQuantity::kPoints)
      << " multipliers=" << totals.Sum(BandQuantity::kMulti) << " score=" << totals.Claimed()
      << '\n';
}

namespace {

bool IsReadableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int Fail(std::ostream& err, std::string_view why) {
  err << "vorkan score: " << why << '\n';
  return kScoreUsageError;
}

}  // namespace

std::optional<ScoreCommandOptions> ParseScoreArgs(std::span<const char* const> args,
                                                  std::string& error) {
  ScoreCommandOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) return false;
      into = args[++i];
      return true;
    };
    bool ok = true;
    if (a == "--data")
      ok = value(o.dataDir);
    else if (a == "--contest")
      ok = value(o.contest);
    else if (a == "--call")
      ok = value(o.call);
    else if (a == "--txnr")
      ok = value(o.txnr);
    else if (a == "--cabrillo")
      ok = value(o.cabrillo);
    else if (a == "--qsos")
      o.qsos = true;
    else if (!a.starts_with("--") && o.logPath.empty())
      o.logPath = a;
    else
      ok = false;
    if (!ok) {
      error = "unexpected argument \"" + std::string(a) + "\"; " + std::string(kUsage);
      return std::nullopt;
    }
  }
  if (o.contest.empty() || o.call.empty() || o.logPath.empty()) {
    error = std::string(kUsage);
    return std::nullopt;
  }
  o.call = UpperCase(o.call);
  return o;
}

int ScoreLogFile(const ScoreCommandOptions& o, ScoredLog& s, std::ostream& err) {
  s.lists = LoadCountryFiles(o.dataDir);
  if (const std::string why = DataDirProblem(o.dataDir, s.lists.world.Empty()); !why.empty()) {
    return Fail(err, why);
  }
  s.rules.SetCountryLists(&s.lists);
  if (!s.rules.SetOwnCall(o.call)) {
    return Fail(err, "own call " + o.call + " is not in the country list of " + o.dataDir);
  }
  s.rules.SetOwnExchange(UpperCase(o.txnr));
  const ContestList contests = ContestList::Build(o.dataDir, &s.journal);
  if (const Status st = LoadContest(s.rules, contests, o.contest); !st) {
    return Fail(err, "contest " + o.contest + " not loaded: " + st.message);
  }
  if (!IsReadableFile(o.logPath)) return Fail(err, "cannot read " + o.logPath);
  s.rules.SetLog(&s.log);
  if (const Status st = LoadAdifLog(o.logPath, s.log, &s.journal); !st) {
    return Fail(err, "cannot read " + o.logPath + ": " + st.message);
  }
  s.totals.SetFormula(s.rules.Settings().scoreTotal);
  s.stats = RescoreLog(s.log, s.rules, s.totals);
  return 0;
}

int RunScoreCommand(const ScoreCommandOptions& o, std::ostream& out, std::ostream& err) {
  ScoredLog s;
  if (const int rc = ScoreLogFile(o, s, err); rc != 0) return rc;
  if (o.qsos) PrintQsoLines(s.log, out);
  if (!o.cabrillo.empty()) {
    const CabrilloReportData data = DefaultCabrilloReport(s.rules, o.call, s.totals.Claimed());
    if (const Status st = ReplaceFileAtomically(o.cabrillo, CabrilloReportText(data, s.log)); !st) {
      return Fail(err, "Cabrillo report not written: " + st.message);
    }
  }
  PrintTotals(s.totals, s.stats, out);
  return 0;
}

int RunScoreCommand(std::span<const char* const> args, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<ScoreCommandOptions> o = ParseScoreArgs(args, error);
  if (!o) return Fail(err, error);
  return RunScoreCommand(*o, out, err);
}

}  // namespace vk
