#include "cw/fake_key_line.h"

#include <utility>

namespace vk {

KeyerSleeper::Time FakeKeyerClock::Now() {
  std::lock_guard lock(mu_);
  return std::chrono::milliseconds(now_);
}

void FakeKeyerClock::SleepUntil(Time deadline, const std::function<bool()>& cancelled) {
  std::int64_t end;
  {
    std::lock_guard lock(mu_);
    end = std::chrono::duration_cast<std::chrono::milliseconds>(deadline).count();
    sleeps_.push_back(static_cast<int>(end - now_));
  }
  for (;;) {
    if (cancelled()) return;
    std::function<void()> action;
    {
      std::lock_guard lock(mu_);
      auto next = actions_.begin();
      if (next == actions_.end() || next->first >= end) {
        now_ = end;
        return;
      }
      if (next->first > now_) now_ = next->first;
      action = std::move(next->second);
      actions_.erase(next);
    }
    action();  // outside the lock: it may call into the keyer, which may sleep or read NowMs
  }
}

std::int64_t FakeKeyerClock::NowMs() const {
  std::lock_guard lock(mu_);
  return now_;
}

void FakeKeyerClock::At(std::int64_t ms, std::function<void()> action) {
  std::lock_guard lock(mu_);
  actions_.emplace(ms, std::move(action));
}

std::vector<int> FakeKeyerClock::Sleeps() const {
  std::lock_guard lock(mu_);
  return sleeps_;
}

Status FakeKeyLine::Open(std::string_view portName) {
  std::lock_guard lock(mu_);
  open_ = false;
  if (portName.empty() || portName == failOpen || IsNullPortName(portName)) {
    return Status::Error(ErrCode::kNotFound, "no such port");
  }
  if (portName == failConfigure) return Status::Error(ErrCode::kIo, "port refused 9600 8N1");
  open_ = true;
  ++opens_;
  dtr_ = rts_ = false;
  return Status::Ok();
}

bool FakeKeyLine::IsOpen() const {
  std::lock_guard lock(mu_);
  return open_;
}

Status FakeKeyLine::Set(LineChange::Line line, bool on) {
  std::lock_guard lock(mu_);
  if (!open_) return Status::Error(ErrCode::kBadInput, "not open");
  calls_.push_back({clock_.NowMs(), line, on});
  (line == LineChange::Line::kDtr ? dtr_ : rts_) = on;
  return Status::Ok();
}

Status FakeKeyLine::SetDtr(bool keyDown) {
  return Set(LineChange::Line::kDtr, keyDown);
}

Status FakeKeyLine::SetRts(bool pttOn) {
  return Set(LineChange::Line::kRts, pttOn);
}

void FakeKeyLine::Close() {
  std::lock_guard lock(mu_);
  if (!open_) return;
  open_ = false;
  dtr_ = rts_ = false;
  ++closes_;
}

std::vector<LineChange> FakeKeyLine::Calls() const {
  std::lock_guard lock(mu_);
  return calls_;
}

std::vector<LineChange> FakeKeyLine::Changes() const {
  std::lock_guard lock(mu_);
  std::vector<LineChange> out;
  bool level[2] = {false, false};
  for (const LineChange& c : calls_) {
    bool& l = level[static_cast<int>(c.line)];
    if (c.on == l) continue;
    l = c.on;
    out.push_back(c);
  }
  return out;
}

bool FakeKeyLine::Dtr() const {
  std::lock_guard lock(mu_);
  return dtr_;
}

bool FakeKeyLine::Rts() const {
  std::lock_guard lock(mu_);
  return rts_;
}

int FakeKeyLine::Opens() const {
  std::lock_guard lock(mu_);
  return opens_;
}

int FakeKeyLine::Closes() const {
  std::lock_guard lock(mu_);
  return closes_;
}

}  // namespace vk
