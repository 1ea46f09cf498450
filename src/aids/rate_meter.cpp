#include "aids/rate_meter.h"

#include <algorithm>

#include "util/strings.h"

namespace vk {

namespace {

constexpr int kTen = 10;

}  // namespace

long long MinuteNumber(const DateTime& dt) {
  return DayNumber(dt.year, dt.month, dt.day) * 1440 + dt.hour * 60 + dt.minute;
}

RateFigures MeasureRate(const TLogCollection& log, const DateTime& now, BandIndex band) {
  RateFigures r;
  const long long nowMin = MinuteNumber(now);
  const long long hourStart = nowMin - now.minute;
  int seen = 0;
  long long oldestOfTen = nowMin;
  for (int pos = log.Count() - 1; pos >= 0; --pos) {
    const QsoRecord& q = *log.At(pos);
    if (band != kBandNone && BandOfFreq(q.Freq) != band) continue;
    const long long t = std::min(MinuteNumber(q.Stamp), nowMin);
    if (seen == 0) r.sinceLast = static_cast<int>(std::min(nowMin - t, 99LL * 60 + 59));
    if (seen < kTen) oldestOfTen = std::min(oldestOfTen, t);
    ++seen;
    if (t > nowMin - 60) ++r.lastHour;
    if (t >= hourStart) ++r.clockHour;
    // The log is in time order apart from corrections; past the hour and the ten, stop.
    if (seen >= kTen && t <= nowMin - 60 && t < hourStart) break;
  }
  if (seen > 0) {
    const long long span = std::max(nowMin - oldestOfTen, 1LL);
    r.lastTenPerHour = static_cast<int>(std::min(seen, kTen) * 60 / span);
  }
  return r;
}

std::string SinceText(int minutes) {
  if (minutes < 0) return "-";
  return IntToStr(minutes / 60) + ":" + IntToStrZero(minutes % 60, 2);
}

std::string RateText(const RateFigures& r) {
  return IntToStr(r.lastTenPerHour) + "/h " + IntToStr(r.lastHour) + " " + IntToStr(r.clockHour) +
         " " + SinceText(r.sinceLast);
}

}  // namespace vk
