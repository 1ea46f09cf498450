#include "cw/keyer_exchange.h"

#include <utility>

namespace vk {

void KeyerText::Append(std::string_view t) {
  const std::size_t room = kCapacity - text_.size();
  text_.append(t.substr(0, room));
}

void KeyerText::AppendMessage(std::string_view t) {
  std::lock_guard lock(mu_);
  if (!text_.empty() && text_.size() < kCapacity) text_ += ' ';
  Append(t);
  Publish();
}

void KeyerText::AppendChar(char c) {
  std::lock_guard lock(mu_);
  Append(std::string_view(&c, 1));
  Publish();
}

void KeyerText::SetSaved(std::string_view t) {
  std::lock_guard lock(mu_);
  saved_.assign(t.substr(0, kSavedCapacity));
}

void KeyerText::Clear() {
  std::lock_guard lock(mu_);
  text_.clear();
  saved_.clear();
  Publish();
}

std::optional<char> KeyerText::TakeFront(std::string& before) {
  std::lock_guard lock(mu_);
  if (text_.empty()) return std::nullopt;
  before = text_;
  const char c = text_.front();
  text_.erase(0, 1);
  Publish();
  return c;
}

bool KeyerText::RefillForRepeat(bool repeat) {
  std::lock_guard lock(mu_);
  if (text_.empty() && repeat) text_ = saved_;
  Publish();
  return !text_.empty();
}

bool KeyerText::FinishRequest(std::atomic<bool>& request) {
  std::lock_guard lock(mu_);
  if (!text_.empty()) return false;
  request.store(false, std::memory_order_release);
  return true;
}

std::string KeyerText::Text() const {
  std::lock_guard lock(mu_);
  return text_;
}

std::string KeyerText::Saved() const {
  std::lock_guard lock(mu_);
  return saved_;
}

void KeyerNotes::Push(KeyerNote note) {
  std::lock_guard lock(mu_);
  if (queue_.size() >= kLimit) queue_.pop_front();
  queue_.push_back(std::move(note));
}

std::vector<KeyerNote> KeyerNotes::Take() {
  std::lock_guard lock(mu_);
  std::vector<KeyerNote> out(std::make_move_iterator(queue_.begin()),
                             std::make_move_iterator(queue_.end()));
  queue_.clear();
  return out;
}

void KeyerExchange::SignalWork() {
  { std::lock_guard lock(workMu_); }
  workCv_.notify_all();
}

bool KeyerExchange::WaitForWork() {
  std::unique_lock lock(workMu_);
  waiting_ = true;
  threadAlive.store(true, std::memory_order_release);
  idleCv_.notify_all();
  workCv_.wait(lock, [this] {
    return request.load(std::memory_order_acquire) || !running.load(std::memory_order_acquire);
  });
  waiting_ = false;
  return running.load(std::memory_order_acquire);
}

void KeyerExchange::MarkEnded() {
  std::lock_guard lock(workMu_);
  waiting_ = false;
  threadAlive.store(false, std::memory_order_release);
  idleCv_.notify_all();
}

bool KeyerExchange::WaitIdle(std::chrono::milliseconds limit) {
  std::unique_lock lock(workMu_);
  return idleCv_.wait_for(lock, limit,
                          [this] { return waiting_ && !request.load(std::memory_order_acquire); });
}

}  // namespace vk
