// The repeat (dupe) check: whether the contest allows working a call again now, by one of six
// rules: once per band, per band and mode, per band in each time period, per band and mode in
// each time period, again after N minutes, or again after N - 1 other QSOs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/log_collection.h"
#include "util/datetime.h"

namespace vk {

class Journal;

inline constexpr int kMaxTimePeriods = 16;

// A stretch of the day, both ends inclusive, as fractions of a day.  An end before the start
// wraps round midnight (22:00-02:00).
struct TimePeriod {
  double start = 0;
  double end = 0;
};

enum RepeatMode : std::uint8_t {
  kRepeatNone = 0,  // no valid repqso in the rules
  kRepeatBand = 1,
  kRepeatBandMode = 2,
  kRepeatBandTime = 3,
  kRepeatBandModeTime = 4,
  kRepeatEveryTime = 5,  // again after N minutes
  kRepeatEveryQso = 6,   // again after N - 1 other QSOs
  kRepeatOnce = 7,       // once in the whole contest, whatever the band and mode
};

// Filled by the contest loader; held by the rule tree.
struct RepeatSettings {
  std::uint8_t mode = kRepeatNone;
  std::uint8_t param = 1;        // N of everytime / everyqso; 255 when it was not a number
  std::uint8_t periodCount = 0;  // periods seen by the load; only the first 16 are stored
  std::array<TimePeriod, kMaxTimePeriods> periods{};

  void ResetPeriods();
  void AddPeriod(double start, double end);
};

// Applies the text of a repqso element: "band", "bandmode", "bandtime", "bandmodetime" (whole
// text), or a text containing "everytime" / "everyqso" with ":N".  Other texts change nothing.
void ApplyRepeatValue(RepeatSettings& s, std::string_view value);

// Period (1..count) holding a time of day, the first that does; 0 when none.
int PeriodOfTime(const RepeatSettings& s, double timeOfDay);

struct RepeatResult {
  int position = 0;          // 1-based log position of the QSO that makes it a repeat; 0 none
  bool invalidRule = false;  // the rules hold no valid repqso: show kRepqsoErrorText
};

// The error box text for a missing or invalid repqso (CP866).
extern const char* const kRepqsoErrorText;

// Checks a contact about to be logged against the log.  QSOs marked as dupes are passed over:
// only a QSO that counted makes a later contact a repeat (a dupe logged 10 minutes after the
// QSO it repeats does not restart an "again after 30 minutes" wait).  An invalid rule also goes
// to `journal` (nullptr: nowhere), so a wrong rules file is found after the contest too.
RepeatResult CheckRepeat(const TLogCollection& log, const RepeatSettings& s, std::string_view call,
                         std::int32_t freq, Mode mode, const DateTime& when,
                         Journal* journal = nullptr);

// The same check for every QSO of a log scored in one pass, oldest first: the QSOs that
// counted so far are kept by call, so each check costs the QSOs of that call, not the log.
class RepeatTracker {
 public:
  void Clear();
  // Room for about `calls` different calls.
  void Reserve(std::size_t calls);
  // Whether the QSO at `pos` repeats one counted before it (its own call, stamp, frequency and
  // mode; QSOs from `pos` on are not looked at).
  RepeatResult Find(const TLogCollection& log, const RepeatSettings& s, int pos) const;
  // The QSO at `pos` counted: later contacts with its call are checked against it.  QSOs are
  // counted in log order; a position not after the last one counted with its call is held
  // already and changes nothing.
  void Count(const QsoRecord& q, int pos);
  // Find, then Count when the QSO is no repeat: one step of scoring a whole log.
  RepeatResult Scan(const TLogCollection& log, const RepeatSettings& s, int pos);
  // A contact with `call` made after every QSO of the log: CheckRepeat's answer, at the cost
  // of the QSOs counted with that call.  Those the log now marks as dupes are passed over, so
  // a tracker may count every QSO and leave the marks to the log.
  RepeatResult Check(const TLogCollection& log, const RepeatSettings& s, std::string_view call,
                     std::int32_t freq, Mode mode, const DateTime& when) const;

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
      return std::hash<std::string_view>{}(s);
    }
  };
  // The QSOs counted with call number `id`, oldest first, in same_.
  void Gather(int id) const;
  void Link(int id, int pos);

  // Call -> call number.  The QSOs of one call are chained from the last counted (last_) back
  // through prev_, so a full log costs one table entry per call and one int per QSO.
  std::unordered_map<std::string, int, TextHash, std::equal_to<>> ids_;
  std::vector<int> last_;  // by call number: the last QSO counted, -1 none
  std::vector<int> prev_;  // by position: the QSO counted before it with the same call, -1 none
  mutable std::vector<int> same_;
};

// Lines of the Repeat window: for every call worked on `band` and `mode`, the call padded to
// 12 and one column per period, "X" where it was worked; sorted, no duplicates.
std::vector<std::string> RepeatWindowLines(const TLogCollection& log, const RepeatSettings& s,
                                           std::uint8_t band, Mode mode);

}  // namespace vk
