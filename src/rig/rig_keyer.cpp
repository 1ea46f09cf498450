#include "rig/rig_keyer.h"

#include <algorithm>

#include "cw/morse.h"

namespace vk {

Status RigKeyer::Open() {
  if (IsOpen()) return Status::Ok();
  return Status::Error(ErrCode::kNotFound, "no radio is configured (Options > Rig)");
}

Status RigKeyer::Send(std::string_view text, int wpm) {
  if (!IsOpen()) return Open();
  if (wpm != wpm_) rig_->SetMorseSpeed(wpm);
  wpm_ = wpm;
  // "+" and "-" change the speed of the serial keyer; the radio would key them as characters.
  std::string t;
  for (char c : text) {
    if (c != '+' && c != '-') t += c;
  }
  lengthMs_ = MorseLengthMs(t, 1200 / std::max(wpm, 1));
  rig_->SendMorse(std::move(t));
  return Status::Ok();
}

bool RigKeyer::WaitSent(std::chrono::milliseconds limit, const std::function<bool()>& cancelled) {
  const auto wait = std::min(limit, std::chrono::milliseconds(lengthMs_));
  std::unique_lock lock(mu_);
  return !cv_.wait_for(lock, wait, cancelled);
}

void RigKeyer::Abort() {
  if (IsOpen()) rig_->StopMorse();
  { std::lock_guard lock(mu_); }
  cv_.notify_all();
}

}  // namespace vk
