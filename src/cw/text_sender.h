// The body of the keyer thread for a keyer that keys whole texts (text_keyer.h): the same
// queue, abort and repetition as the serial keyer, but each run of queued text goes out in one
// piece and the thread waits for the keyer to report it keyed.
#pragma once

#include <cstdint>
#include <string>

#include "cw/keyer_exchange.h"
#include "cw/keyer_sleeper.h"
#include "cw/text_keyer.h"

namespace vk {

class Journal;

class TextSender {
 public:
  // `journal` (nullptr: none) hears texts the keyer would not take or did not report keyed.
  TextSender(KeyerExchange& x, TextKeyer& keyer, KeyerSleeper& sleeper, Journal* journal)
      : x_(x), keyer_(keyer), sleeper_(sleeper), journal_(journal) {}
  void Run();  // until `running` is cleared

 private:
  void Transmit();
  void SendQueued();
  void EndOfText();
  bool Live() const;
  void SetOnAir(bool on);
  void Note(KeyerNote::Kind kind, int value, std::string text = {});

  KeyerExchange& x_;
  TextKeyer& keyer_;
  KeyerSleeper& sleeper_;
  Journal* journal_;
  std::uint32_t aborts_ = 0;  // value of x_.aborts when the transmission began
  bool onAir_ = false;
};

// The words per minute a text keyer is given for the keyer's speed (held to 5-60).
int KeyedWpm(int speed);

}  // namespace vk
