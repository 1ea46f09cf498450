#include "rig/rig_control.h"

#include <cstdio>
#include <system_error>
#include <utility>

#include "log/journal.h"

namespace vk {

RigControl::RigControl(std::unique_ptr<Radio> radio, std::chrono::milliseconds poll,
                       std::chrono::milliseconds reopenAfter, Journal* journal)
    : radio_(std::move(radio)),
      journal_(journal),
      poll_(poll),
      reopenAfter_(reopenAfter),
      state_(radio_ ? RigState::kOpening : RigState::kOff) {}

RigControl::~RigControl() {
  Stop();
}

void RigControl::Start() {
  if (!radio_ || running_.exchange(true)) return;
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error& e) {
    running_.store(false);
    JournalAppend(journal_, std::string("Rig thread not started: ") + e.what());
  }
}

void RigControl::Stop() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mu_);
    running_.store(false);
  }
  cv_.notify_all();
  thread_.join();
}

void RigControl::Queue(Command c) {
  if (!radio_) return;
  {
    std::lock_guard lock(mu_);
    c.seq = nextSeq_++;
    if (c.kind == Command::Kind::kFreq || c.kind == Command::Kind::kMode) tuneSeq_ = c.seq;
    // A newer setting of the same kind makes an older one that still waits pointless.
    if (c.kind != Command::Kind::kMorse) {
      for (auto it = queue_.begin(); it != queue_.end();) {
        it = it->kind == c.kind ? queue_.erase(it) : it + 1;
      }
    }
    queue_.push_back(std::move(c));
  }
  cv_.notify_all();
}

void RigControl::SetFreq(Freq f) {
  Queue({Command::Kind::kFreq, HzOfFreq(f), {}, 0});
}
void RigControl::SetMode(Mode mode) {
  Queue({Command::Kind::kMode, 0, {}, 0, mode});
}
void RigControl::SendMorse(std::string text) {
  Queue({Command::Kind::kMorse, 0, std::move(text), 0});
}
void RigControl::StopMorse() {
  // Whatever Morse still waits is void as well.
  {
    std::lock_guard lock(mu_);
    for (auto it = queue_.begin(); it != queue_.end();) {
      it = it->kind == Command::Kind::kMorse ? queue_.erase(it) : it + 1;
    }
  }
  Queue({Command::Kind::kStopMorse, 0, {}, 0});
}
void RigControl::SetMorseSpeed(int wpm) {
  Queue({Command::Kind::kMorseSpeed, wpm, {}, 0});
}

bool RigControl::TakeReading(RigReading& out) {
  const std::uint64_t n = readings_.load(std::memory_order_acquire);
  std::lock_guard lock(mu_);
  if (n == seen_ || readingSeq_ < tuneSeq_) return false;
  seen_ = n;
  out = reading_;
  return true;
}

RigReading RigControl::LastReading() const {
  std::lock_guard lock(mu_);
  return reading_;
}

std::string RigControl::LastError() const {
  std::lock_guard lock(mu_);
  return lastError_;
}

std::string RigControl::StatusText() const {
  switch (State()) {
    case RigState::kOff:
      return {};
    case RigState::kOpening:
      return "Rig: ...";
    case RigState::kNoAnswer:
      return "Rig: no answer";
    case RigState::kAnswering:
      break;
  }
  const Freq f = LastReading().freq;  // 100 Hz units: kHz with one decimal
  char buf[32];
  std::snprintf(buf, sizeof buf, "Rig: %d.%d", f / 10, f % 10);
  return buf;
}

void RigControl::Pause(std::chrono::milliseconds d) {
  std::unique_lock lock(mu_);
  cv_.wait_for(lock, d, [this] { return !running_.load() || !queue_.empty(); });
}

void RigControl::Lost(const Status& s) {
  radio_->Close();
  {
    std::lock_guard lock(mu_);
    if (lastError_ != s.message) JournalAppend(journal_, "Rig: " + s.message);
    lastError_ = s.message;
  }
  state_.store(RigState::kNoAnswer, std::memory_order_release);
}

bool RigControl::Reach() {
  if (radio_->IsOpen()) return true;
  if (Status s = radio_->Open(); !s) {
    Lost(s);
    std::unique_lock lock(mu_);
    cv_.wait_for(lock, reopenAfter_, [this] { return !running_.load(); });
    return false;
  }
  // Back after a silence: what was asked of the radio meanwhile is void.
  if (State() != RigState::kNoAnswer) return true;
  std::lock_guard lock(mu_);
  if (!queue_.empty()) appliedSeq_ = queue_.back().seq;
  queue_.clear();
  return true;
}

bool RigControl::ApplyQueued() {
  for (;;) {
    Command c;
    {
      std::lock_guard lock(mu_);
      if (queue_.empty()) return true;
      c = std::move(queue_.front());
      queue_.pop_front();
    }
    Status s;
    switch (c.kind) {
      case Command::Kind::kFreq:
        s = radio_->SetFreq(c.value);
        break;
      case Command::Kind::kMode:
        s = radio_->SetMode(c.mode, hz_);
        break;
      case Command::Kind::kMorse:
        s = radio_->SendMorse(c.text);
        break;
      case Command::Kind::kStopMorse:
        s = radio_->StopMorse();
        break;
      case Command::Kind::kMorseSpeed:
        s = radio_->SetMorseSpeed(static_cast<int>(c.value));
        break;
    }
    if (c.kind == Command::Kind::kFreq && s) hz_ = c.value;
    {
      std::lock_guard lock(mu_);
      appliedSeq_ = c.seq;
      if (!s) lastError_ = s.message;
    }
    if (!s && s.code == ErrCode::kIo) {
      Lost(s);
      return false;
    }
  }
}

bool RigControl::Read() {
  std::uint64_t seq;
  {
    std::lock_guard lock(mu_);
    seq = appliedSeq_;
  }
  std::int64_t hz = 0;
  Mode mode = Mode::kUnknown;
  Status s = radio_->ReadFreq(hz);
  if (s) s = radio_->ReadMode(mode);
  // A radio that cannot tell its mode still tells its frequency.
  if (!s && s.code != ErrCode::kIo) s = Status::Ok();
  if (!s) {
    Lost(s);
    return false;
  }
  hz_ = hz;
  {
    std::lock_guard lock(mu_);
    reading_ = RigReading{FreqOfHz(hz), mode};
    readingSeq_ = seq;
  }
  readings_.fetch_add(1, std::memory_order_acq_rel);
  state_.store(RigState::kAnswering, std::memory_order_release);
  return true;
}

void RigControl::Run() {
  while (running_.load()) {
    if (!Reach()) continue;
    if (!ApplyQueued() || !Read()) continue;
    Pause(poll_);
  }
  radio_->Close();
}

}  // namespace vk
