// Test doubles for the keyer: a fake clock that the keyer thread "sleeps" on without waiting,
// and a key line that records every line change with the fake time it happened at.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "cw/key_line.h"
#include "cw/keyer_sleeper.h"

namespace vk {

// Each sleep moves the fake time on to its deadline at once (whole milliseconds).  Actions
// scheduled with At run on the keyer thread when the fake time reaches them (the test stands in for
// the operator pressing a key at that moment); a sleep whose cancel condition they make true ends
// there.
class FakeKeyerClock final : public KeyerSleeper {
 public:
  Time Now() override;
  void SleepUntil(Time deadline, const std::function<bool()>& cancelled) override;
  void Wake() override {}

  std::int64_t NowMs() const;
  // Runs `action` once the fake time reaches `ms`; actions at one time run in the order given.
  void At(std::int64_t ms, std::function<void()> action);
  // Every requested sleep, in milliseconds, whether or not it ran to its end.
  std::vector<int> Sleeps() const;

 private:
  bool RunDueActions();  // true when one ran

  mutable std::mutex mu_;
  std::int64_t now_ = 0;
  std::multimap<std::int64_t, std::function<void()>> actions_;
  std::vector<int> sleeps_;
};

struct LineChange {
  enum class Line : std::uint8_t { kDtr, kRts };
  std::int64_t ms = 0;
  Line line = Line::kDtr;
  bool on = false;
  bool operator==(const LineChange&) const = default;
};

class FakeKeyLine final : public KeyLine {
 public:
  // `clock` stamps the changes; not owned.  Ports named in `failOpen` do not open, those in
  // `failConfigure` open but refuse the line settings.
  explicit FakeKeyLine(const FakeKeyerClock& clock) : clock_(clock) {}

  Status Open(std::string_view portName) override;
  bool IsOpen() const override;
  Status SetDtr(bool keyDown) override;
  Status SetRts(bool pttOn) override;
  void Close() override;
  std::vector<std::string> ListPorts() const override { return {"FAKE1", "FAKE2"}; }

  std::string failOpen = "BAD";
  std::string failConfigure = "DEAD";

  // Every call that set a line, repeats included.
  std::vector<LineChange> Calls() const;
  // Only the calls that changed a line's level.
  std::vector<LineChange> Changes() const;
  bool Dtr() const;
  bool Rts() const;
  int Opens() const;
  int Closes() const;

 private:
  Status Set(LineChange::Line line, bool on);

  const FakeKeyerClock& clock_;
  mutable std::mutex mu_;
  bool open_ = false;
  bool dtr_ = false;
  bool rts_ = false;
  int opens_ = 0;
  int closes_ = 0;
  std::vector<LineChange> calls_;
};

}  // namespace vk
