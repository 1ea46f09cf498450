// The CW window without a terminal: it owns the keyer, turns the operator's CW keys into keyer
// operations, and keeps what the window shows: the text line (first the port's name, then the
// text still to be sent) and the status line (cut numbers, PTT, key, speed and standby).  Both
// lines exist only while the keyer's port is open.
//
// Everything here runs on the user-interface thread; what the keyer thread does arrives as
// its notifications, taken on each tick.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cw/cw_messages.h"
#include "cw/keyer.h"

namespace vk {

class Journal;

// What the status line shows.
struct CwStatus {
  bool ptt = false;
  bool keyDown = false;
  std::uint8_t speed = 20;
  std::uint8_t standby = 15;
  std::uint8_t cutNumbers = 0;
  friend bool operator==(const CwStatus&, const CwStatus&) = default;
};

// The status line, 20 CP866 bytes for a two-digit speed and standby: "[1:9:O■PTT■CW■20■15]",
// each mark blank while its flag or line is off; the "■" is byte FE.
std::string CwStatusText(const CwStatus& s);

// The keyer operations the operator's hot keys stand for.
enum class KeyerOp : std::uint8_t {
  kAbort,
  kSpeedUp,
  kSpeedDown,
  kStandbyUp,
  kStandbyDown,
  kCycleZero,
  kToggleOne,
  kToggleNine,
};

// What a tick or an action changed on the window.
using CwChanges = std::uint8_t;
namespace cw_changed {
inline constexpr CwChanges kNothing = 0;
inline constexpr CwChanges kText = 1 << 0;
inline constexpr CwChanges kStatus = 1 << 1;
inline constexpr CwChanges kLines = 1 << 2;  // the lines came or went with the keyer
}  // namespace cw_changed

class CwWindowModel {
 public:
  // Makes a keyer on the program-wide port, which reading the keyer settings may change.
  using KeyerFactory = std::function<std::unique_ptr<Keyer>(std::string& programPort)>;

  // `messages` and `programPort` outlive the model; `configPath` is vorkan.cfg.  `journal`
  // (nullptr: none) hears the port changes; it outlives the model.
  CwWindowModel(const CwMessageList& messages, std::string& programPort, std::string configPath,
                KeyerFactory makeKeyer, Journal* journal = nullptr);
  // Closes the keyer, which writes its settings.
  ~CwWindowModel();
  CwWindowModel(const CwWindowModel&) = delete;
  CwWindowModel& operator=(const CwWindowModel&) = delete;

  // Makes the keyer; returns the port error the operator must be shown (kNone when open).
  KeyerPortError OpenKeyer();
  // The keyer writes its settings and stops; the lines go with it.  Harmless when closed.
  void CloseKeyer();
  // The CW setup chose another port, already the program-wide one and saved: the old keyer
  // goes (saving its settings, its own port included), the new port is saved again over it,
  // and a keyer is made on the new port.  "Null" means no keying: no keyer is made for it.
  KeyerPortError PortChanged();

  // --- what the window shows -----------------------------------------------------------------
  bool HasLines() const;
  const std::string& LineText() const { return lineText_; }  // whole; the view cuts it
  std::string StatusText() const { return CwStatusText(status_); }
  const CwStatus& Status() const { return status_; }
  // Takes the keyer's notifications since the last tick.
  CwChanges Tick();

  // --- the operator's keys -------------------------------------------------------------------
  // A message key: its message with the macros filled in is queued; F10 calls with it.  An
  // empty message sends nothing.
  void MessageKey(std::uint16_t keyCode, const MacroValues& values);
  // Several keys' messages queued as one text, a space between them (Enter sends messages:
  // the call and the exchange go out as one transmission).  Empty messages are passed over.
  void MessageKeys(const std::vector<std::uint16_t>& keyCodes, const MacroValues& values);
  // A key typed while the window has the focus: letters (in either case) and digits are keyed
  // at once; false for any other key, which the window handles as usual.
  bool TypeKey(char c);
  CwChanges Operate(KeyerOp op);

  Keyer* keyer() { return keyer_.get(); }

 private:
  void ResetLines();

  const CwMessageList& messages_;
  std::string& programPort_;
  std::string configPath_;
  KeyerFactory makeKeyer_;
  Journal* journal_;
  std::unique_ptr<Keyer> keyer_;
  std::string lineText_;
  CwStatus status_;
};

}  // namespace vk
