// The terminal's first answer, made quick.  When it starts, the toolkit sends the answerback
// request (ENQ) and waits 150 ms for an answer that most terminals never give; any input ends
// the wait.  So a status request (ESC [5n, which every VT100-like terminal answers at once
// with ESC [0n) goes out first, with echo and line mode off so the answer is neither shown
// nor held back; the toolkit reads it as the answerback.  The terminal's own settings are then
// handed to the toolkit as the ones to restore when the program ends, however it ends.
#pragma once

#include <termios.h>

namespace vk::ui {

class TerminalHandshake {
 public:
  // Sends the request; nothing happens when standard input or output is no terminal.
  TerminalHandshake();
  // Once the toolkit has met the terminal: it restores the settings found at the start.
  void Finish();

 private:
  termios original_{};
  bool active_ = false;
};

}  // namespace vk::ui
