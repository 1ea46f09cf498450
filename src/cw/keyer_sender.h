// The body of the keyer thread: waits for a request, then keys the queued text on the line,
// character by character, with the Morse timing of the current speed.
#pragma once

#include <cstdint>
#include <string>

#include "cw/key_line.h"
#include "cw/keyer_exchange.h"
#include "cw/keyer_sleeper.h"

namespace vk {

// PTT goes on this long before the first element, so the transmitter has switched over
// before the key closes.  That holds for every rise of PTT, each repetition of a call
// included: keying into a relay that is still moving clips the first dot or burns contacts.
inline constexpr int kPttLeadMs = 30;
// The pause after each character, on top of the one-dot pause after its last element, in
// dots: two, which makes the classic three-dot gap between letters.
inline constexpr int kCharPauseDots = 2;
inline constexpr int kWordSpaceDots = 4;
// A keyer thread held up for longer than this (a stopped process, a machine swapping) takes up
// the schedule from where it is rather than squeezing the elements it missed.
inline constexpr int kMaxLateMs = 10;

class KeyerSender {
 public:
  KeyerSender(KeyerExchange& x, KeyLine& line, KeyerSleeper& sleeper)
      : x_(x), line_(line), sleeper_(sleeper) {}
  // Runs until `running` is cleared.
  void Run();

 private:
  void Transmit();
  void SendQueued();
  void SendChar(char ch);
  void SendElements(std::string_view code);
  void RepeatPause();
  void EndOfText();

  bool Live() const;  // the current transmission is still wanted
  // Moves the schedule on by `ms` and waits for that deadline; returns early when the
  // transmission is no longer wanted.
  void Wait(int ms);
  void WaitDots(int dots);
  void SetPtt(bool on);
  void SetKey(bool down);
  void Note(KeyerNote::Kind kind, int value, std::string text = {});

  KeyerExchange& x_;
  KeyLine& line_;
  KeyerSleeper& sleeper_;
  // Owned by the keyer thread:
  std::uint32_t aborts_ = 0;  // value of x_.aborts when the transmission began
  // The deadline of the next line change, counted from the rise of PTT.
  KeyerSleeper::Time next_{};
  int wordOffset_ = 0;  // WPM added by "+" and "-" in the current word
  bool ptt_ = false;
  bool key_ = false;
};

}  // namespace vk
