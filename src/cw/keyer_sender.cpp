#include "cw/keyer_sender.h"

#include "cw/morse.h"

namespace vk {

void KeyerSender::Run() {
  sleeper_.PrepareThread();
  while (x_.WaitForWork()) Transmit();
  SetKey(false);
  SetPtt(false);
  x_.MarkEnded();
}

bool KeyerSender::Live() const {
  return x_.request.load(std::memory_order_acquire) &&
         x_.aborts.load(std::memory_order_acquire) == aborts_ &&
         x_.running.load(std::memory_order_acquire);
}

void KeyerSender::Wait(int ms) {
  const KeyerSleeper::Time now = sleeper_.Now();
  if (now - next_ > std::chrono::milliseconds(kMaxLateMs)) next_ = now;
  next_ += std::chrono::milliseconds(ms);
  sleeper_.SleepUntil(next_, [this] { return !Live(); });
}

void KeyerSender::WaitDots(int dots) {
  // The dot is that of the speed in force now, so a speed key acts within one element.
  const int speed = x_.speed.load(std::memory_order_relaxed) + wordOffset_;
  Wait(dots * DotMs(speed));
}

void KeyerSender::Note(KeyerNote::Kind kind, int value, std::string text) {
  x_.notes.Push(KeyerNote{kind, value, std::move(text)});
}

void KeyerSender::SetPtt(bool on) {
  // Asserted before every character, not only on a change: the call costs well under a
  // microsecond and puts PTT back should anything else have dropped the line.
  line_.SetRts(on);
  if (on == ptt_) return;
  ptt_ = on;
  Note(KeyerNote::Kind::kPtt, on ? 1 : 0);
  if (!on) return;
  next_ = sleeper_.Now();  // every transmission is timed from its rise of PTT
  Wait(kPttLeadMs);
}

void KeyerSender::SetKey(bool down) {
  if (down == key_) return;
  key_ = down;
  // The line first: the note takes a lock the user-interface thread may hold.
  line_.SetDtr(down);
  Note(KeyerNote::Kind::kKey, down ? 1 : 0);
}

void KeyerSender::Transmit() {
  aborts_ = x_.aborts.load(std::memory_order_acquire);
  wordOffset_ = 0;
  // A request can outlive its text (Start sets it again after the keyer has already sent
  // everything): then there is nothing to put on the air, not even PTT.
  while (Live() && !x_.text.Empty()) {
    SendQueued();
    EndOfText();
    if (!Live() || !x_.repeat.load(std::memory_order_acquire)) break;
    RepeatPause();
    if (!Live() || !x_.text.RefillForRepeat(x_.repeat.load(std::memory_order_acquire))) break;
  }
  x_.text.FinishRequest(x_.request);
}

void KeyerSender::SendQueued() {
  std::string shown;
  while (Live()) {
    const std::optional<char> ch = x_.text.TakeFront(shown);
    if (!ch) break;
    Note(KeyerNote::Kind::kText, 0, shown);
    SetPtt(true);
    SendChar(*ch);
    if (Live()) WaitDots(kCharPauseDots);
  }
}

void KeyerSender::SendChar(char ch) {
  switch (ch) {
    case '+':
      wordOffset_ += 2;
      return;
    case '-':
      wordOffset_ -= 2;
      return;
    case ' ':
      wordOffset_ = 0;
      if (Live()) WaitDots(kWordSpaceDots);
      return;
    default:
      SendElements(MorseCode(ch));
  }
}

void KeyerSender::SendElements(std::string_view code) {
  for (char element : code) {
    if (!Live()) break;
    SetKey(true);
    WaitDots(element == '-' ? 3 : 1);
    SetKey(false);
    if (Live()) WaitDots(1);
  }
}

void KeyerSender::EndOfText() {
  Note(KeyerNote::Kind::kText, 0, x_.text.Text());
  SetKey(false);
  SetPtt(false);
  wordOffset_ = 0;
}

void KeyerSender::RepeatPause() {
  const int ms = x_.standby.load(std::memory_order_relaxed) * 100;
  // A typed letter (which ends the repetition) or another message cuts the pause short.
  sleeper_.Sleep(ms, [this] {
    return !Live() || !x_.repeat.load(std::memory_order_acquire) || !x_.text.Empty();
  });
}

}  // namespace vk
