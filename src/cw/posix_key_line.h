// The keying line on a Linux serial device (/dev/ttyS0, /dev/ttyUSB0, /dev/ttyACM0), through
// termios and the modem-control ioctls.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cw/key_line.h"

namespace vk {

class PosixKeyLine final : public KeyLine {
 public:
  PosixKeyLine() = default;
  ~PosixKeyLine() override;
  PosixKeyLine(const PosixKeyLine&) = delete;
  PosixKeyLine& operator=(const PosixKeyLine&) = delete;

  Status Open(std::string_view portName) override;
  bool IsOpen() const override { return fd_ >= 0; }
  Status SetDtr(bool keyDown) override;
  Status SetRts(bool pttOn) override;
  void Close() override;
  std::vector<std::string> ListPorts() const override;

 private:
  Status ChangeLines(int bits, bool raise);
  Status Configure();

  int fd_ = -1;
  std::string path_;
};

// A name without a "/" is a device in /dev: "ttyUSB0" opens /dev/ttyUSB0.
std::string SerialDevicePath(std::string_view portName);

// The serial devices in devDir named ttyS<n>, ttyUSB<n> or ttyACM<n>, as full paths, the
// on-board ports first, each family by number.  The kernel makes ttyS0..ttyS31 whether or not a
// UART is behind them; those it reports as type 0 in sysDir are left out.
std::vector<std::string> ListSerialPorts(const std::string& devDir = "/dev",
                                         const std::string& sysDir = "/sys/class/tty");

}  // namespace vk
