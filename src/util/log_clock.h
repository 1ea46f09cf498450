// LogClock: the one clock that stamps QSOs.  It is running (follows its time source plus a
// whole-hour offset, refreshed on every date or time query), stopped (holds its value; moved
// only by Step and SetFromText) or fixed (built from a start text; stopped for good).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/clock.h"
#include "util/datetime.h"
#include "util/result.h"

namespace vk {

class LogClock {
 public:
  // The text form of a clock value: the date and time lines of the dialogs joined by a space.
  static constexpr std::string_view kTextMask = "dd-mm-yyyy hh:nn";

  // Empty `startText`: the clock runs from now.  Otherwise it is fixed at the parsed time; a
  // start text that is not a valid date leaves it fixed at the current time and StartStatus()
  // says why.  With `slot` the value lives in the caller's variable (which must outlive the
  // clock) and is read and written there in place.  `time` is where "now" comes from; it must
  // outlive the clock.
  explicit LogClock(const TimeSource& time, std::string_view startText = {},
                    DateValue* slot = nullptr);
  LogClock(const LogClock&) = delete;
  LogClock& operator=(const LogClock&) = delete;

  const Status& StartStatus() const { return startStatus_; }

  // Hours added to UTC: the contest's time zone from the rules (0 for international contests,
  // 3 for those kept in Moscow time).
  void SetHourOffset(int hours) { hourOffset_ = hours; }
  int HourOffset() const { return hourOffset_; }

  // Sets the value from kTextMask text; flags stay as they are.  Bad text changes nothing.
  Status SetFromText(std::string_view text);

  // Each refreshes a running clock first, so the two of them may straddle a minute (or
  // midnight); a QSO stamp should come from Now(), which refreshes once.
  void GetDate(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day);
  void GetTime(std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second);
  DateTime Now();

  // 0 sets a clock that is not fixed running again; any other step stops it.  Then the
  // seconds are dropped and the value moves by `minutes`, from the last value it reported.
  void Step(int minutes);

  bool IsRunning() const { return running_; }
  bool IsFixed() const { return fixed_; }
  DateValue Value() const { return *value_; }  // not refreshed
  // Stored value in the usual date-time format notation (case-insensitive): yyyy or yy, m or
  // mm, d or dd, h or hh, n or nn, s or ss; text in quotes, and anything else, is literal.
  std::string Format(std::string_view format) const;

 private:
  void Refresh();

  const TimeSource& time_;
  DateValue own_ = 0;
  DateValue* value_;  // own_ or the caller's slot
  int hourOffset_ = 0;
  bool running_ = true;
  bool fixed_ = false;
  Status startStatus_;
};

// The formatter behind LogClock::Format, for any record.
std::string FormatDateTime(const DateTime& dt, std::string_view format);

}  // namespace vk
