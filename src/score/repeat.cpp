#include "score/repeat.h"

#include <algorithm>
#include <map>
#include <span>

#include "log/journal.h"
#include "score/text_util.h"
#include "util/bands.h"
#include "util/strings.h"

namespace vk {

// "Неверный параметр XML <repqso>" in CP866.
const char* const kRepqsoErrorText =
    "\x8D\xA5\xA2\xA5\xE0\xAD\xEB\xA9 \xAF\xA0\xE0\xA0\xAC\xA5\xE2\xE0 XML <repqso>";

namespace {

// The contact's band as the repeat check compares it: the log's band text of an HF band, empty
// otherwise, so a contact above 10 m (or outside every band) never equals an earlier band
// text.  The log's ranges, not those of the band index, name both sides: the band index ends
// 20 m at 14.300 MHz, and a phone contact on 14.320 would otherwise never be a repeat of the
// 14.320 QSO the log files as 20 m.
std::string ContactBandText(std::int32_t freq) {
  std::string text = QsoBandText(freq, false);
  for (BandIndex b = 1; b <= 6; ++b) {
    if (text == BandScreenName(b)) return text;
  }
  return {};
}

int MinutesOfDay(const DateTime& t) { return t.hour * 60 + t.minute; }

DateValue ValueOf(const DateTime& t) {
  return static_cast<double>(DayNumber(t.year, t.month, t.day)) +
         (t.hour * 3600.0 + t.minute * 60.0 + t.second) / 86400.0;
}

int PeriodOfMinute(const RepeatSettings& s, int minute) {
  return PeriodOfTime(s, minute / 1440.0);
}

// The three searches walk the earlier QSOs with the same call that count (dupes never make a
// later contact a repeat), newest first.  `end` is the position the contact would take: only
// QSOs before it are earlier.
int FindBandRepeat(const TLogCollection& log, const RepeatSettings& s, std::span<const int> same,
                   std::int32_t freq, Mode mode, const DateTime& when) {
  bool byMode = s.mode == kRepeatBandMode || s.mode == kRepeatBandModeTime;
  bool byTime = s.mode == kRepeatBandTime || s.mode == kRepeatBandModeTime;
  auto band = ContactBandText(freq);
  if (band.empty()) return 0;
  int period = byTime ? PeriodOfMinute(s, MinutesOfDay(when)) : 0;
  for (auto it = same.rbegin(); it != same.rend(); ++it) {
    const QsoRecord& q = *log.At(*it);
    if (byMode && q.Mode != mode) continue;
    if (QsoBandText(q.Freq, false) != band) continue;
    if (byTime && PeriodOfMinute(s, MinutesOfDay(q.Stamp)) != period) continue;
    return *it + 1;
  }
  return 0;
}

int FindTimeRepeat(const TLogCollection& log, const RepeatSettings& s, std::span<const int> same,
                   const DateTime& when) {
  if (same.empty()) return 0;
  const QsoRecord& q = *log.At(same.back());
  constexpr double kMillisecond = 1.0 / 86400000.0;
  double now = ValueOf(when);
  double allowed = ValueOf(q.Stamp) + s.param / 1440.0;
  bool repeat = now < allowed && allowed - now > kMillisecond;
  return repeat ? same.back() + 1 : 0;
}

int FindQsoCountRepeat(const RepeatSettings& s, std::span<const int> same, int end) {
  int oldest = std::max(0, end - (static_cast<int>(s.param) - 1));
  if (same.empty() || same.back() < oldest) return 0;
  return same.back() + 1;
}

RepeatResult FindRepeat(const TLogCollection& log, const RepeatSettings& s,
                        std::span<const int> same, int end, std::int32_t freq, Mode mode,
                        const DateTime& when) {
  RepeatResult r;
  switch (s.mode) {
    case kRepeatBand:
    case kRepeatBandMode:
    case kRepeatBandTime:
    case kRepeatBandModeTime:
      r.position = FindBandRepeat(log, s, same, freq, mode, when);
      break;
    case kRepeatEveryTime:
      r.position = FindTimeRepeat(log, s, same, when);
      break;
    case kRepeatEveryQso:
      r.position = FindQsoCountRepeat(s, same, end);
      break;
    case kRepeatOnce:
      r.position = same.empty() ? 0 : same.back() + 1;
      break;
    default:
      r.invalidRule = true;
      break;
  }
  return r;
}

}  // namespace

void RepeatSettings::ResetPeriods() {
  periodCount = 0;
  periods.fill(TimePeriod{});
}

void RepeatSettings::AddPeriod(double start, double end) {
  if (periodCount < kMaxTimePeriods) periods[periodCount] = TimePeriod{start, end};
  if (periodCount < 255) ++periodCount;
}

void ApplyRepeatValue(RepeatSettings& s, std::string_view value) {
  value = score_text::TrimBlank(value);
  if (value == "band") s.mode = kRepeatBand;
  else if (value == "bandmode") s.mode = kRepeatBandMode;
  else if (value == "bandtime") s.mode = kRepeatBandTime;
  else if (value == "bandmodetime") s.mode = kRepeatBandModeTime;
  else if (value == "once") s.mode = kRepeatOnce;
  bool everyTime = value.find("everytime") != std::string_view::npos;
  bool everyQso = value.find("everyqso") != std::string_view::npos;
  if (!everyTime && !everyQso) return;
  s.mode = everyQso ? kRepeatEveryQso : kRepeatEveryTime;
  auto colon = value.find(':');
  if (colon == std::string_view::npos) {
    s.param = 1;
    return;
  }
  long long n = 0;
  if (!TryStrToInt(Trim(value.substr(colon + 1)), n)) n = -1;
  s.param = static_cast<std::uint8_t>(n & 0xFF);
}

int PeriodOfTime(const RepeatSettings& s, double timeOfDay) {
  // Ends are compared in minutes with a little slack: "12:00" read by the time parser and
  // 720 / 1440 computed here may differ in the last bit.
  constexpr double kSlack = 1e-6;
  double minute = timeOfDay * 1440.0;
  int count = std::min<int>(s.periodCount, kMaxTimePeriods);
  for (int i = 0; i < count; ++i) {
    double start = s.periods[i].start * 1440.0;
    double end = s.periods[i].end * 1440.0;
    bool fromStart = start - kSlack <= minute;
    bool toEnd = minute <= end + kSlack;
    // A round from 22:00 to 02:00 UTC ends before it starts by the clock: it holds the late
    // evening and the early morning.  A period that cannot be read is stored with an end
    // before the start that lies outside the day on both sides, so it still holds nothing.
    bool inside = start <= end + kSlack ? fromStart && toEnd : fromStart || toEnd;
    if (inside) return i + 1;
  }
  return 0;
}

RepeatResult CheckRepeat(const TLogCollection& log, const RepeatSettings& s, std::string_view call,
                         std::int32_t freq, Mode mode, const DateTime& when, Journal* journal) {
  std::vector<int> same;
  for (int pos = 0; pos < log.Count(); ++pos) {
    const QsoRecord& q = *log.At(pos);
    if (!q.Dupe && q.Call == call) same.push_back(pos);
  }
  RepeatResult r = FindRepeat(log, s, same, log.Count(), freq, mode, when);
  if (r.invalidRule) JournalAppend(journal, kRepqsoErrorText);
  return r;
}

void RepeatTracker::Clear() {
  ids_.clear();
  last_.clear();
  prev_.clear();
}

void RepeatTracker::Reserve(std::size_t calls) {
  ids_.reserve(calls);
  last_.reserve(calls);
  prev_.reserve(calls);
}

void RepeatTracker::Gather(int id) const {
  same_.clear();
  for (int p = last_[static_cast<std::size_t>(id)]; p >= 0; p = prev_[static_cast<std::size_t>(p)]) {
    same_.push_back(p);
  }
  std::reverse(same_.begin(), same_.end());
}

void RepeatTracker::Link(int id, int pos) {
  int& last = last_[static_cast<std::size_t>(id)];
  if (pos < 0 || pos <= last) return;
  if (prev_.size() <= static_cast<std::size_t>(pos)) prev_.resize(static_cast<std::size_t>(pos) + 1, -1);
  prev_[static_cast<std::size_t>(pos)] = last;
  last = pos;
}

RepeatResult RepeatTracker::Find(const TLogCollection& log, const RepeatSettings& s, int pos) const {
  const QsoRecord& q = *log.At(pos);
  same_.clear();
  if (auto it = ids_.find(q.Call); it != ids_.end()) Gather(it->second);
  return FindRepeat(log, s, same_, pos, q.Freq, q.Mode, q.Stamp);
}

RepeatResult RepeatTracker::Scan(const TLogCollection& log, const RepeatSettings& s, int pos) {
  const QsoRecord& q = *log.At(pos);
  const auto [it, added] = ids_.try_emplace(q.Call, static_cast<int>(last_.size()));
  if (added) last_.push_back(-1);
  Gather(it->second);
  const RepeatResult r = FindRepeat(log, s, same_, pos, q.Freq, q.Mode, q.Stamp);
  if (r.position == 0) Link(it->second, pos);
  return r;
}

RepeatResult RepeatTracker::Check(const TLogCollection& log, const RepeatSettings& s,
                                  std::string_view call, std::int32_t freq, Mode mode,
                                  const DateTime& when) const {
  std::vector<int> same;
  if (auto it = ids_.find(call); it != ids_.end()) {
    Gather(it->second);
    for (int pos : same_) {
      const QsoRecord* q = log.At(pos);
      if (q != nullptr && !q->Dupe && q->Call == call) same.push_back(pos);
    }
  }
  return FindRepeat(log, s, same, log.Count(), freq, mode, when);
}

void RepeatTracker::Count(const QsoRecord& q, int pos) {
  const auto [it, added] = ids_.try_emplace(q.Call, static_cast<int>(last_.size()));
  if (added) last_.push_back(-1);
  Link(it->second, pos);
}

std::vector<std::string> RepeatWindowLines(const TLogCollection& log, const RepeatSettings& s,
                                           std::uint8_t band, Mode mode) {
  // Keyed by the padded call: as every line starts with it, the lines come out sorted.
  std::map<std::string, std::string> lines;
  for (const QsoRecord& q : log) {
    if (BandOfFreq(q.Freq) != band || q.Mode != mode) continue;
    std::string padded = FixedWidth(q.Call, 12);
    auto [it, added] = lines.try_emplace(padded);
    if (added) it->second = padded + RepeatChar('-', s.periodCount);
    std::string& line = it->second;
    int p = PeriodOfMinute(s, MinutesOfDay(q.Stamp));
    if (p >= 1 && static_cast<std::size_t>(11 + p) < line.size()) line[11 + p] = 'X';
  }
  std::vector<std::string> out;
  out.reserve(lines.size());
  for (auto& [call, line] : lines) out.push_back(std::move(line));
  return out;
}

}  // namespace vk
