#include "aids/statistics.h"

#include "aids/rate_graph.h"

#include <array>
#include <functional>
#include <map>

#include "util/bands.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr int kLabelWidth = 9;
constexpr int kColumnWidth = 6;
constexpr int kColumns = 10;  // bands 0 (outside every band) to 9, modes 0 to 5

// One clock hour, sortable: year, month, day, hour.
using HourKey = std::array<int, 4>;

HourKey HourOf(const DateTime& dt) {
  return {dt.year, dt.month, dt.day, dt.hour};
}

std::string HourLabel(const HourKey& h) {
  return IntToStrZero(h[1], 2) + "-" + IntToStrZero(h[2], 2) + " " + IntToStrZero(h[3], 2);
}

std::string BandLabel(int band) {
  return band == kBandNone ? std::string("other")
                           : Trim(BandScreenName(static_cast<BandIndex>(band)));
}

// A column of the mode table is the mode's number.
std::string ModeLabel(int column) {
  const std::string m = ModeName(ModeOrUnknown(column));
  return m.empty() ? std::string("other") : m;
}

std::string Cell(long long n) {
  return IntToStrPad(n, kColumnWidth);
}

// Rows per clock hour, one column per value of `column` that occurs in the log.
std::vector<std::string> HourTable(const TLogCollection& log,
                                   const std::function<int(const QsoRecord&)>& column,
                                   const std::function<std::string(int)>& label) {
  std::map<HourKey, std::array<int, kColumns>> hours;
  std::array<int, kColumns> total{};
  for (const QsoRecord& q : log) {
    const int c = column(q);
    if (c < 0 || c >= kColumns) continue;
    auto [it, fresh] = hours.try_emplace(HourOf(q.Stamp));
    if (fresh) it->second.fill(0);
    ++it->second[c];
    ++total[c];
  }
  std::string head = FixedWidth("Hour", kLabelWidth);
  for (int c = 0; c < kColumns; ++c) {
    if (total[c] > 0) head += PadLeft(label(c), kColumnWidth);
  }
  std::vector<std::string> out{head + PadLeft("All", kColumnWidth)};
  auto row = [&](const std::string& name, const std::array<int, kColumns>& counts) {
    std::string line = FixedWidth(name, kLabelWidth);
    int all = 0;
    for (int c = 0; c < kColumns; ++c) {
      if (total[c] == 0) continue;
      line += Cell(counts[c]);
      all += counts[c];
    }
    out.push_back(line + Cell(all));
  };
  for (const auto& [hour, counts] : hours) row(HourLabel(hour), counts);
  row("Total", total);
  return out;
}

}  // namespace

std::vector<std::string> HourByBandTable(const TLogCollection& log) {
  return HourTable(
      log, [](const QsoRecord& q) { return static_cast<int>(BandOfFreq(q.Freq)); }, BandLabel);
}

std::vector<std::string> HourByModeTable(const TLogCollection& log) {
  return HourTable(
      log, [](const QsoRecord& q) { return static_cast<int>(ModeNumber(q.Mode)); }, ModeLabel);
}

std::vector<std::string> BandSummaryTable(const TLogCollection& log) {
  struct Sums {
    long long qsos = 0, dupes = 0, points = 0, multi = 0;
  };
  std::array<Sums, kColumns> bands{};
  Sums total;
  for (const QsoRecord& q : log) {
    const int b = BandOfFreq(q.Freq);
    for (Sums* s : {&bands[b], &total}) {
      ++s->qsos;
      s->dupes += q.Dupe ? 1 : 0;
      s->points += q.Score + q.Bonus;
      s->multi += q.Multi;
    }
  }
  std::vector<std::string> out{FixedWidth("Band", kLabelWidth) + PadLeft("QSOs", kColumnWidth) +
                               PadLeft("Dupes", kColumnWidth) + PadLeft("Points", 8) +
                               PadLeft("Mult", kColumnWidth)};
  auto row = [&out](const std::string& name, const Sums& s) {
    out.push_back(FixedWidth(name, kLabelWidth) + Cell(s.qsos) + Cell(s.dupes) +
                  IntToStrPad(s.points, 8) + Cell(s.multi));
  };
  for (int b = 1; b < kColumns; ++b) {
    if (bands[b].qsos > 0) row(BandLabel(b), bands[b]);
  }
  if (bands[0].qsos > 0) row(BandLabel(0), bands[0]);
  row("Total", total);
  return out;
}

std::vector<std::string> StatisticsText(const TLogCollection& log, const DateTime& now) {
  if (log.Empty()) return {"No QSOs"};
  std::vector<std::string> out{"QSOs per hour"};
  for (auto& l : RateGraph(log, now)) out.push_back(std::move(l));
  out.push_back({});
  out.push_back("QSOs per hour and band");
  for (auto& l : HourByBandTable(log)) out.push_back(std::move(l));
  out.push_back({});
  out.push_back("QSOs per hour and mode");
  for (auto& l : HourByModeTable(log)) out.push_back(std::move(l));
  out.push_back({});
  out.push_back("QSOs, points and multipliers per band");
  for (auto& l : BandSummaryTable(log)) out.push_back(std::move(l));
  return out;
}

}  // namespace vk
