// The serial port that keys the transmitter, seen from the keyer: DTR is the key (high while an
// element sounds) and RTS is push-to-talk (high while a message is on the air).  Nothing else of
// the port is used; no data is ever sent on it.
//
// Errors follow one split so the keyer can tell the operator which step failed:
//   - a port that does not open at all (no such device, busy, no permission) comes back soft,
//     ErrCode::kNotFound or kBadInput;
//   - a device that opened but refused the line settings comes back hard, ErrCode::kIo.
// A failed change of DTR or RTS on a device without modem lines (a pseudo-terminal) is soft
// (kBadInput); the keyer carries on, since it cannot key anything better by stopping.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace vk {

class KeyLine {
 public:
  virtual ~KeyLine();
  // Opens the port and sets 9600 baud, 8 data bits, no parity, 1 stop bit, no flow control,
  // with DTR and RTS both down.  An open port is closed first.
  virtual Status Open(std::string_view portName) = 0;
  virtual bool IsOpen() const = 0;
  virtual Status SetDtr(bool keyDown) = 0;
  virtual Status SetRts(bool pttOn) = 0;
  // Drops both lines, then closes.  Harmless when nothing is open.
  virtual void Close() = 0;
  // The serial ports this kind of line can open, in the system's order.
  virtual std::vector<std::string> ListPorts() const = 0;
};

// No keying hardware: every open fails as a wrong port name, and there are no ports to list.
class NullKeyLine final : public KeyLine {
 public:
  Status Open(std::string_view portName) override;
  bool IsOpen() const override { return false; }
  Status SetDtr(bool keyDown) override;
  Status SetRts(bool pttOn) override;
  void Close() override {}
  std::vector<std::string> ListPorts() const override { return {}; }
};

// What went wrong with the keyer's port, for the application's error box.  The application
// maps these to its own error broadcasts: kWrongPortName to "wrong port name" and kPortInit to
// "port initialisation".
enum class KeyerPortError : std::uint16_t {
  kNone = 0,
  kWrongPortName = 1,
  kPortInit = 2,
};

// The error box that an Open result calls for.
KeyerPortError PortErrorOf(const Status& openResult);

// "null" in any case is how the configuration says "no keying port".
bool IsNullPortName(std::string_view portName);

// The names joined with commas, as the port choice lists them.
std::string JoinPortNames(const std::vector<std::string>& names);

}  // namespace vk
