#include "ui/shell/terminal_handshake.h"

#include <final/final.h>
#include <unistd.h>

namespace vk::ui {

TerminalHandshake::TerminalHandshake() {
  if (::isatty(STDIN_FILENO) == 0 || ::isatty(STDOUT_FILENO) == 0) return;
  if (::tcgetattr(STDIN_FILENO, &original_) != 0) return;
  termios quiet = original_;
  quiet.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
  if (::tcsetattr(STDIN_FILENO, TCSANOW, &quiet) != 0) return;
  active_ = true;
  constexpr char kStatusRequest[] = "\x1b[5n";
  if (::write(STDOUT_FILENO, kStatusRequest, sizeof kStatusRequest - 1) < 0) Finish();
}

void TerminalHandshake::Finish() {
  if (!active_) return;
  active_ = false;
  // The toolkit took the settings it found (these, without echo) as the ones to restore.
  const termios now = finalcut::FTermios::getTTY();
  finalcut::FTermios::setTTY(original_);
  finalcut::FTermios::storeTTYsettings();
  finalcut::FTermios::setTTY(now);
}

}  // namespace vk::ui
