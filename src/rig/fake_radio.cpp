#include "rig/fake_radio.h"

namespace vk {

Status FakeRadio::Alive() const {
  if (answering_ && open_) return Status::Ok();
  return Status::Error(ErrCode::kIo, "no answer");
}

Status FakeRadio::Open() {
  std::lock_guard lock(mu_);
  if (!answering_) return Status::Error(ErrCode::kIo, "no answer");
  open_ = true;
  ++opens_;
  return Status::Ok();
}

void FakeRadio::Close() {
  std::lock_guard lock(mu_);
  open_ = false;
}

bool FakeRadio::IsOpen() const {
  std::lock_guard lock(mu_);
  return open_;
}

Status FakeRadio::ReadFreq(std::int64_t& hz) {
  std::lock_guard lock(mu_);
  if (Status s = Alive(); !s) return s;
  hz = hz_;
  return Status::Ok();
}

Status FakeRadio::ReadMode(vk::Mode& mode) {
  std::lock_guard lock(mu_);
  if (Status s = Alive(); !s) return s;
  mode = mode_;
  return Status::Ok();
}

Status FakeRadio::SetFreq(std::int64_t hz) {
  std::lock_guard lock(mu_);
  if (Status s = Alive(); !s) return s;
  hz_ = hz;
  return Status::Ok();
}

Status FakeRadio::SetMode(vk::Mode mode, std::int64_t) {
  std::lock_guard lock(mu_);
  if (Status s = Alive(); !s) return s;
  mode_ = mode;
  return Status::Ok();
}

Status FakeRadio::SendMorse(std::string_view text) {
  std::lock_guard lock(mu_);
  if (Status s = Alive(); !s) return s;
  morse_.emplace_back(text);
  return Status::Ok();
}

Status FakeRadio::StopMorse() {
  std::lock_guard lock(mu_);
  if (Status s = Alive(); !s) return s;
  morse_.emplace_back("<stop>");
  return Status::Ok();
}

Status FakeRadio::SetMorseSpeed(int wpm) {
  std::lock_guard lock(mu_);
  if (Status s = Alive(); !s) return s;
  morse_.push_back("<wpm " + std::to_string(wpm) + ">");
  return Status::Ok();
}

void FakeRadio::Tune(std::int64_t hz, vk::Mode mode) {
  std::lock_guard lock(mu_);
  hz_ = hz;
  mode_ = mode;
}

void FakeRadio::SetAnswering(bool on) {
  std::lock_guard lock(mu_);
  answering_ = on;
}

std::int64_t FakeRadio::Hz() const {
  std::lock_guard lock(mu_);
  return hz_;
}

vk::Mode FakeRadio::Mode() const {
  std::lock_guard lock(mu_);
  return mode_;
}

int FakeRadio::Opens() const {
  std::lock_guard lock(mu_);
  return opens_;
}

std::vector<std::string> FakeRadio::Morse() const {
  std::lock_guard lock(mu_);
  return morse_;
}

}  // namespace vk
