// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/html_report.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "app/score_command.h"
#include "app/station.h"
#include "reports/cabrillo_report.h"
#include "reports/svg_chart.h"
#include "util/atomic_file.h"
#include "util/strings.h"
#include "vorkan_version.h"

namespace vk {
namespace {

constexpr const char* kQsoColour = "#2b6cb0";
constexpr const char* kPointColour = "#dd6b20";
constexpr const char* kContinents[] = {"EU", "AS", "NA", "SA", "AF", "OC", "AN"};
constexpr const char* kContinentColours[] = {"#2b6cb0", "#c53030", "#2f855a", "#d69e2e",
                                             "#805ad5", "#dd6b20", "#718096"};

std::string Esc(std::string_view cp866) {
  return HtmlEscape(Cp866ToUtf8(cp866));
}

long long MinuteOf(const DateTime& t) {
  return DayNumber(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

std::string TimeText(const DateTime& t) {
  return FormatMask(t, "yyyy-mm-dd hh:nn");
}

std::string BandName(Freq f) {
  const std::string b = Trim(QsoBandText(f, true));
  return b.empty() ? "other" : b + "M";
}

std::string Cell(const std::string& text, const char* id = nullptr) {
  return id == nullptr ? "<td>" + text + "</td>" : "<td id=\"" + std::string(id) + "\">" + text + "</td>";
}

// The span of the rate charts, in minutes since day 0: from the hour of the first QSO to the
// end of the hour of the last, at most kReportMaxHours.
struct Span {
  long long first = 0;  // a whole hour
  int hours = 0;
};

Span RateSpan(const TLogCollection& log) {
  long long lo = 0, hi = 0;
  bool any = false;
  for (const QsoRecord& q : log) {
    const long long m = MinuteOf(q.Stamp);
    lo = any ? std::min(lo, m) : m;
    hi = any ? std::max(hi, m) : m;
    any = true;
  }
  if (!any) return {};
  Span s;
  s.first = lo / 60 * 60;
  s.hours = static_cast<int>((hi - s.first) / 60 + 1);
  if (s.hours > kReportMaxHours) {
    s.first += static_cast<long long>(s.hours - kReportMaxHours) * 60;
    s.hours = kReportMaxHours;
  }
  return s;
}

std::string HourLabel(long long minute) {
  return IntToStrZero(minute / 60 % 24, 2);
}

std::string ScoreSection(const HtmlReportInput& in) {
  std::ostringstream text;
  PrintTotals(in.totals, in.stats, text);
  std::string out = "<h2>Score</h2>\n<pre id=\"score-text\">" + HtmlEscape(text.str()) + "</pre>\n";
  out += "<table><tr><th>Band</th><th>QSOs</th><th>Points</th><th>Multipliers</th></tr>\n";
  for (BandIndex b = 1; b <= kBandCount; ++b) {
    const BandTally& t = in.totals.Row(b);
    if (t.qsos == 0) continue;
    out += "<tr>" + Cell(BandName(DefaultFreqOfBand(b))) + Cell(IntToStr(t.qsos)) +
           Cell(IntToStr(t.points)) + Cell(IntToStr(t.multi)) + "</tr>\n";
  }
  out += "<tr class=\"total\">" + Cell("Total") + Cell(IntToStr(in.stats.qsos), "total-qsos") +
         Cell(IntToStr(in.totals.Sum(BandQuantity::kPoints)), "total-points") +
         Cell(IntToStr(in.totals.Sum(BandQuantity::kMulti)), "total-multipliers") + "</tr>\n";
  out += "</table>\n<p>Dupes: <span id=\"dupes\">" + IntToStr(in.stats.dupes) +
         "</span> &middot; Claimed score: <strong id=\"score\">" + IntToStr(in.totals.Claimed()) +
         "</strong></p>\n";
  return out;
}

std::string BandSection(const HtmlReportInput& in) {
  Chart c{"QSOs and points per band", {}, {{"QSOs", kQsoColour, {}}, {"Points", kPointColour, {}}}};
  for (BandIndex b = 1; b <= kBandCount; ++b) {
    const BandTally& t = in.totals.Row(b);
    if (t.qsos == 0) continue;
    c.labels.push_back(BandName(DefaultFreqOfBand(b)));
    c.series[0].values.push_back(t.qsos);
    c.series[1].values.push_back(t.points);
  }
  return "<h2>Bands</h2>\n" + SvgBarChart(c);
}

std::string RateSection(const HtmlReportInput& in, const Span& span) {
  Chart hourly{"QSOs per hour", {}, {{"QSOs", kQsoColour, std::vector<double>(span.hours)}}};
  Chart tens{"QSOs per 10 minutes", {}, {{"QSOs", kQsoColour, std::vector<double>(span.hours * 6)}}};
  for (int h = 0; h < span.hours; ++h) hourly.labels.push_back(HourLabel(span.first + h * 60));
  for (int i = 0; i < span.hours * 6; ++i) {
    tens.labels.push_back(i % 6 == 0 ? HourLabel(span.first + i * 10) : "");
  }
  for (const QsoRecord& q : in.log) {
    const long long m = MinuteOf(q.Stamp) - span.first;
    if (q.Dupe || m < 0 || m >= span.hours * 60LL) continue;
    ++hourly.series[0].values[static_cast<std::size_t>(m / 60)];
    ++tens.series[0].values[static_cast<std::size_t>(m / 10)];
  }
  return "<h2>Rate</h2>\n" + SvgBarChart(hourly) + SvgLineChart(tens);
}

std::string Continent(const HtmlReportInput& in, const QsoRecord& q, std::string* country) {
  if (in.countries == nullptr) return {};
  CountryInfo c;
  if (LookupWorld(*in.countries, q.Call, c) == 0) return {};
  if (country != nullptr) *country = c.name;
  return c.continent;
}

std::string ContinentSection(const HtmlReportInput& in, const Span& span) {
  Chart conts{"QSOs per continent, running total", {}, {}};
  Chart multis{"Multipliers, running total", {}, {{"Multipliers", kPointColour, {}}}};
  std::map<std::string, int> totals;
  std::vector<std::array<double, 7>> perHour(span.hours);
  std::vector<double> multiPerHour(span.hours);
  for (const QsoRecord& q : in.log) {
    if (q.Dupe) continue;
    const std::string cont = Continent(in, q, nullptr);
    ++totals[cont.empty() ? "?" : cont];
    const long long m = MinuteOf(q.Stamp) - span.first;
    if (m < 0 || m >= span.hours * 60LL) continue;
    const auto h = static_cast<std::size_t>(m / 60);
    multiPerHour[h] += q.Multi;
    for (std::size_t k = 0; k < 7; ++k) {
      if (cont == kContinents[k]) ++perHour[h][k];
    }
  }
  for (std::size_t k = 0; k < 7; ++k) {
    if (totals.count(kContinents[k]) == 0) continue;
    ChartSeries s{kContinents[k], kContinentColours[k], {}};
    double run = 0;
    for (const auto& h : perHour) s.values.push_back(run += h[k]);
    conts.series.push_back(std::move(s));
  }
  double run = 0;
  for (int h = 0; h < span.hours; ++h) {
    conts.labels.push_back(HourLabel(span.first + h * 60));
    multis.series[0].values.push_back(run += multiPerHour[static_cast<std::size_t>(h)]);
  }
  multis.labels = conts.labels;
  std::string out = "<h2>Continents and multipliers</h2>\n<table><tr>";
  for (const auto& [cont, n] : totals) out += "<th>" + HtmlEscape(cont) + "</th>";
  out += "</tr><tr>";
  for (const auto& [cont, n] : totals) out += Cell(IntToStr(n));
  out += "</tr></table>\n";
  return out + SvgLineChart(conts) + SvgLineChart(multis);
}

std::string QsoRow(const HtmlReportInput& in, const QsoRecord& q, const std::string& last) {
  std::string country;
  (void)Continent(in, q, &country);
  return "<tr>" + Cell(TimeText(q.Stamp)) + Cell(Esc(q.Call)) + Cell(BandName(q.Freq)) +
         Cell(QsoModeText(q.Mode)) + Cell(Esc(country)) + Cell(Esc(q.Rcvd)) + Cell(last) + "</tr>\n";
}

std::string ListsSection(const HtmlReportInput& in) {
  std::string mults, dupes, edits;
  int nMults = 0, nDupes = 0, nEdits = 0;
  for (const QsoRecord& q : in.log) {
    if (!q.Dupe && q.Multi > 0) {
      mults += QsoRow(in, q, IntToStr(q.Multi));
      ++nMults;
    }
    if (q.Dupe) {
      dupes += QsoRow(in, q, "");
      ++nDupes;
    }
    if (q.Mark > 1) {
      edits += QsoRow(in, q, IntToStr(q.Mark - 1));
      ++nEdits;
    }
  }
  const std::string head = "<table><tr><th>Time (UTC)</th><th>Call</th><th>Band</th><th>Mode</th>"
                           "<th>Country</th><th>Received</th><th>";
  std::string out = "<h2>First QSO of each multiplier</h2>\n<p>The QSOs that brought new "
                    "multipliers, in log order (" + IntToStr(nMults) + ").</p>\n";
  out += head + "New multipliers</th></tr>\n" + mults + "</table>\n";
  out += "<h2>Dupes</h2>\n<p>" + IntToStr(nDupes) + " logged, scored nothing.</p>\n";
  out += head + "</th></tr>\n" + dupes + "</table>\n";
  out += "<h2>Corrections</h2>\n<p>" + IntToStr(nEdits) + " QSOs edited after they were logged.</p>\n";
  out += head + "Edits</th></tr>\n" + edits + "</table>\n";
  return out;
}

}  // namespace

std::string HtmlReport(const HtmlReportInput& in) {
  const std::string title = Esc(in.contest) + " &mdash; " + Esc(in.call);
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>" + title + "</title>\n<style>\n"
      "body{font-family:sans-serif;margin:1.5em;color:#222}\n"
      "table{border-collapse:collapse;margin:.5em 0}\n"
      "td,th{border:1px solid #ccc;padding:2px 8px;text-align:right;white-space:nowrap}\n"
      "th{background:#eee}\ntr.total td{font-weight:bold}\n"
      "svg{display:block;margin:.5em 0}\npre{background:#f6f6f6;padding:.5em}\n"
      "</style>\n</head>\n<body>\n<h1>" + title + "</h1>\n<p>Made " + HtmlEscape(in.made) +
      " UTC by Vorkan " VORKAN_VERSION "</p>\n";
  const Span span = RateSpan(in.log);
  out += ScoreSection(in) + BandSection(in) + RateSection(in, span) + ContinentSection(in, span) +
         ListsSection(in);
  return out + "</body>\n</html>\n";
}

Status WriteHtmlReport(const HtmlReportInput& in, const std::string& path) {
  return ReplaceFileAtomically(path, HtmlReport(in));
}

Status WriteStationHtmlReport(Station& station, std::string& path) {
  RescoreStats stats;
  for (const QsoRecord& q : station.Log()) {
    ++stats.qsos;
    if (q.Dupe) ++stats.dupes;
  }
  std::string call = station.OwnCall();
  std::replace(call.begin(), call.end(), '/', '_');
  path = station.PathOf(call + "-report.html");
  const std::vector<std::string> names = ContestNameParts(station.Rules().Settings().cabrilloName);
  const HtmlReportInput in{station.Log(), station.Totals(), stats, &station.Countries(),
                           names.empty() ? station.Settings().main.contest : names.front(),
                           station.OwnCall(), FormatMask(station.Time().UtcNow(), "yyyy-mm-dd hh:nn")};
  return WriteHtmlReport(in, path);
}

}  // namespace vk
