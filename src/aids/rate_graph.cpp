#include "aids/rate_graph.h"

#include <algorithm>
#include <array>
#include <map>

#include "aids/rate_meter.h"
#include "util/bands.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr int kLabelWidth = 5;

long long HourNumber(const DateTime& dt) {
  return MinuteNumber(dt) / 60;
}

}  // namespace

char BarCell(int count, int peak, int row) {
  if (count <= 0 || peak <= 0) return ' ';
  // Half rows from the bottom: 1 .. 8; any QSO shows at least the lowest half block.
  const int steps = 2 * kRateGraphRows;
  const int level = std::max(1, (count * steps + peak / 2) / peak);
  const int fromBottom = kRateGraphRows - 1 - row;
  if (level >= 2 * (fromBottom + 1)) return kFullBlock;
  if (level == 2 * fromBottom + 1) return kLowerHalf;
  return ' ';
}

std::vector<std::string> RateGraph(const TLogCollection& log, const DateTime& now,
                                   int maxHours) {
  std::vector<std::string> out;
  if (log.Empty() || maxHours <= 0) return out;
  long long first = HourNumber(log.At(0)->Stamp), last = first;
  for (const QsoRecord& q : log) {
    first = std::min(first, HourNumber(q.Stamp));
    last = std::max(last, HourNumber(q.Stamp));
  }
  last = std::max(last, HourNumber(now));
  first = std::max(first, last - maxHours + 1);
  const int hours = static_cast<int>(last - first + 1);
  // Per band index (0 = all bands) the QSOs of each hour shown.
  std::map<int, std::vector<int>> counts;
  counts[0].assign(static_cast<std::size_t>(hours), 0);
  for (const QsoRecord& q : log) {
    const long long h = HourNumber(q.Stamp);
    if (h < first || h > last) continue;
    const int band = BandOfFreq(q.Freq);
    for (int key : {0, band == kBandNone ? -1 : band}) {
      if (key < 0) continue;
      std::vector<int>& c = counts[key];
      if (c.empty()) c.assign(static_cast<std::size_t>(hours), 0);
      ++c[static_cast<std::size_t>(h - first)];
    }
  }
  // Every sixth hour of the day is marked, and the first hour when no such mark is near.
  std::string axis;
  auto sixth = [first](int i) { return (first + i) % 24 % 6 == 0; };
  for (int i = 0; i < hours; ++i) {
    const bool mark = sixth(i) || (i == 0 && !sixth(1) && !sixth(2));
    const std::size_t at = static_cast<std::size_t>(kLabelWidth + i);
    if (!mark || axis.size() > at) continue;
    axis.resize(at, ' ');
    axis += IntToStrZero(static_cast<int>((first + i) % 24), 2);
  }
  for (const auto& [band, c] : counts) {
    const std::string name =
        band == 0 ? std::string("All") : Trim(BandScreenName(static_cast<BandIndex>(band)));
    const RateFigures r = MeasureRate(log, now, band == 0 ? kBandNone : static_cast<BandIndex>(band));
    const int peak = *std::max_element(c.begin(), c.end());
    if (!out.empty()) out.emplace_back();
    out.push_back(name + ": last 10 QSOs " + IntToStr(r.lastTenPerHour) + "/h, last 60 min " +
                  IntToStr(r.lastHour) + ", best hour " + IntToStr(peak));
    for (int row = 0; row < kRateGraphRows; ++row) {
      std::string line = row == 0 ? PadLeft(IntToStr(peak), kLabelWidth - 1) + " "
                                  : std::string(kLabelWidth, ' ');
      for (int n : c) line += BarCell(n, peak, row);
      out.push_back(line);
    }
    out.push_back(axis);
  }
  return out;
}

}  // namespace vk
