// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/score_document.h"

#include <map>
#include <utility>

#include "reports/cabrillo_report.h"
#include "util/strings.h"
#include "vorkan_version.h"

namespace vk {
namespace {

std::string ScoreModeText(Mode m) {
  switch (m) {
    case Mode::kCw: return "CW";
    case Mode::kPhone: return "PH";
    case Mode::kFm: return "FM";
    case Mode::kRtty: return "RY";
    case Mode::kPsk31: return "DG";
    default: return "ALL";
  }
}

// Band order, then mode order, as the keys sort.
using LineKey = std::pair<BandIndex, Mode>;

}  // namespace

ScoreDocument MakeScoreDocument(const ScoreSource& s, const DateTime& utcNow) {
  ScoreDocument d;
  CabrilloReportData c = DefaultCabrilloReport(s.rules, s.ownCall, s.totals.Claimed());
  if (!s.configPath.empty()) RecallCabrilloChoices(c, s.configPath);
  d.contest = Trim(c.contest);
  d.call = s.ownCall;
  d.ops = Trim(c.operators).empty() ? s.ownCall : Trim(c.operators);
  d.club = c.club;
  d.power = Trim(c.categoryPower);
  d.assisted = Trim(c.categoryAssisted);
  d.transmitter = Trim(c.categoryTransmitter);
  d.operators = Trim(c.categoryOperator);
  d.bands = Trim(c.categoryBand);
  d.mode = Trim(c.categoryMode);
  d.version = VORKAN_VERSION;
  if (s.countries != nullptr) {
    CountryInfo own;
    if (LookupWorld(*s.countries, s.ownCall, own) != 0) {
      d.country = own.primaryPrefix;
      d.cqZone = own.cqZone;
      d.ituZone = own.ituZone;
    }
  }
  d.grid = s.locator;

  std::map<LineKey, ScoreLine> lines;
  for (const QsoRecord& q : s.log) {
    if (q.Dupe) continue;
    const BandIndex band = BandOfFreq(q.Freq);
    ScoreLine& l = lines[{band, q.Mode}];
    if (l.band.empty()) {
      const std::string b = Trim(QsoBandText(q.Freq, true));
      l.band = b.empty() ? "OTHER" : b;
      l.mode = ScoreModeText(q.Mode);
    }
    ++l.qsos;
    l.points += q.Score;
    l.mults += q.Multi;
    ++d.total.qsos;
  }
  for (auto& [key, line] : lines) d.lines.push_back(std::move(line));
  d.total.points = s.totals.Sum(BandQuantity::kPoints);
  d.total.mults = s.totals.Sum(BandQuantity::kMulti);
  d.score = s.totals.Claimed();
  d.stamp = utcNow;
  return d;
}

}  // namespace vk
