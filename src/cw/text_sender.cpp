#include "cw/text_sender.h"

#include <algorithm>
#include <chrono>

#include "cw/morse.h"
#include "log/journal.h"

namespace vk {

namespace {
// A keyer that never reports is given the text's Morse length twice and this much more.
constexpr int kReportSlackMs = 3000;
}  // namespace

int KeyedWpm(int speed) {
  return std::clamp(speed, kMinSpeed, kMaxSpeed);
}

void TextSender::Run() {
  while (x_.WaitForWork()) Transmit();
  SetOnAir(false);
  x_.MarkEnded();
}

bool TextSender::Live() const {
  return x_.request.load(std::memory_order_acquire) &&
         x_.aborts.load(std::memory_order_acquire) == aborts_ &&
         x_.running.load(std::memory_order_acquire);
}

void TextSender::Note(KeyerNote::Kind kind, int value, std::string text) {
  x_.notes.Push(KeyerNote{kind, value, std::move(text)});
}

void TextSender::SetOnAir(bool on) {
  if (on == onAir_) return;
  onAir_ = on;
  // The window's PTT and CW marks show that the keyer is sending.
  Note(KeyerNote::Kind::kPtt, on ? 1 : 0);
  Note(KeyerNote::Kind::kKey, on ? 1 : 0);
}

void TextSender::Transmit() {
  aborts_ = x_.aborts.load(std::memory_order_acquire);
  while (Live() && !x_.text.Empty()) {
    SendQueued();
    EndOfText();
    if (!Live() || !x_.repeat.load(std::memory_order_acquire)) break;
    const int ms = x_.standby.load(std::memory_order_relaxed) * 100;
    sleeper_.Sleep(ms, [this] {
      return !Live() || !x_.repeat.load(std::memory_order_acquire) || !x_.text.Empty();
    });
    if (!Live() || !x_.text.RefillForRepeat(x_.repeat.load(std::memory_order_acquire))) break;
  }
  x_.text.FinishRequest(x_.request);
}

void TextSender::SendQueued() {
  while (Live()) {
    std::string chunk, shown, before;
    while (const std::optional<char> ch = x_.text.TakeFront(before)) {
      if (chunk.empty()) shown = before;
      chunk += *ch;
    }
    if (chunk.empty()) return;
    Note(KeyerNote::Kind::kText, 0, shown);
    SetOnAir(true);
    const int speed = x_.speed.load(std::memory_order_relaxed);
    if (Status s = keyer_.Send(chunk, KeyedWpm(speed)); !s) {
      JournalAppend(journal_, "Keyer " + keyer_.Name() + ": " + s.message);
      return;
    }
    const int limit = 2 * MorseLengthMs(chunk, DotMs(speed)) + kReportSlackMs;
    if (!keyer_.WaitSent(std::chrono::milliseconds(limit), [this] { return !Live(); }) && Live()) {
      JournalAppend(journal_, "Keyer " + keyer_.Name() + ": no report that the text was keyed");
    }
  }
}

void TextSender::EndOfText() {
  Note(KeyerNote::Kind::kText, 0, x_.text.Text());
  SetOnAir(false);
}

}  // namespace vk
