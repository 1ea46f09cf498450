// The CW keyer: one per CW window.  The user-interface thread queues text and changes settings
// through the operations below; a keyer thread, started by the first transmission, keys the
// text on the port's DTR line with PTT on RTS.  What the keyer does is reported as
// notifications that the CW window drains on each idle pass (TakeNotes).
//
// Every operation is for the user-interface thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "config/settings.h"
#include "cw/key_line.h"
#include "cw/keyer_exchange.h"
#include "cw/keyer_sleeper.h"
#include "cw/text_keyer.h"

namespace vk {

class Journal;

class Keyer {
 public:
  // Takes the settings (speed and standby held to their ranges), then opens settings.port on
  // `line`.  `sleeper` is not owned; nullptr uses the keyer's own system sleeper.  `journal`
  // (nullptr: none) hears what went wrong on the keyer thread; it outlives the keyer.
  Keyer(const KeyerSettings& settings, std::unique_ptr<KeyLine> line,
        KeyerSleeper* sleeper = nullptr, Journal* journal = nullptr);
  // A keyer that keys whole texts (cwdaemon, the radio's own keyer) in place of the serial
  // line; the same queue, speed, abort and repetition.  settings.port is kept for the
  // settings only.
  Keyer(const KeyerSettings& settings, std::unique_ptr<TextKeyer> textKeyer,
        KeyerSleeper* sleeper = nullptr, Journal* journal = nullptr);
  // Abort, stop the thread, close the port.  The settings are saved by DestroyKeyer.
  ~Keyer();
  Keyer(const Keyer&) = delete;
  Keyer& operator=(const Keyer&) = delete;

  // Sending.  Without an open port the text still queues, but nothing is keyed.
  void Start();
  void AddChar(char c);                            // a typed letter; ends a repetition
  void SendText(std::string_view t, bool repeat);  // a message; repeat keeps calling with it
  void Abort();                                    // stops at once and forgets all text
  // Stops the keyer thread and waits for it to end; a later Start starts a new one.
  void Stop();

  // Operator settings; each announces the new value, even when it was already at its limit.
  std::uint8_t SpeedUp();
  std::uint8_t SpeedDown();
  std::uint8_t StandbyUp();
  std::uint8_t StandbyDown();
  std::uint8_t CycleZero();
  std::uint8_t ToggleOne();
  std::uint8_t ToggleNine();

  std::uint8_t Speed() const { return x_.speed.load(); }
  std::uint8_t Standby() const { return x_.standby.load(); }
  std::uint8_t CutNumbers() const { return x_.cutNumbers.load(); }
  // What DestroyKeyer writes back to the configuration.
  KeyerSettings Settings() const;

  const std::string& PortName() const { return portName_; }
  bool PortOpen() const { return textKeyer_ ? textKeyer_->IsOpen() : line_->IsOpen(); }
  KeyerPortError PortError() const { return portError_; }
  const Status& PortStatus() const { return portStatus_; }  // the system's reason, for a journal
  std::vector<std::string> ListPorts() const { return line_->ListPorts(); }

  std::string Text() const { return x_.text.Text(); }
  std::string SavedText() const { return x_.text.Saved(); }
  bool Repeat() const { return x_.repeat.load(); }
  bool Request() const { return x_.request.load(); }
  bool Running() const { return x_.running.load(); }
  bool ThreadAlive() const { return x_.threadAlive.load(); }

  // The notifications since the last call, oldest first.
  std::vector<KeyerNote> TakeNotes() { return x_.notes.Take(); }
  // Waits until the thread has nothing left to send.  True at once when no thread runs.
  bool WaitUntilIdle(std::chrono::milliseconds limit);

 private:
  void Announce(KeyerNote::Kind kind, std::uint8_t value);
  std::uint8_t StepSetting(std::atomic<std::uint8_t>& v, int delta, int lo, int hi,
                           KeyerNote::Kind kind);
  std::uint8_t SetCutNumbers(std::uint8_t flags);

  KeyerExchange x_;
  Journal* journal_;
  std::unique_ptr<KeyLine> line_;
  std::unique_ptr<TextKeyer> textKeyer_;  // when set, it keys instead of line_
  std::unique_ptr<SystemSleeper> ownSleeper_;
  KeyerSleeper* sleeper_;
  std::string portName_;
  std::string settingsPort_;  // the serial port the settings keep
  Status portStatus_;
  KeyerPortError portError_ = KeyerPortError::kNone;
  std::thread thread_;  // joinable from the first Start until Stop
};

// Create: reads the keyer settings (reconciling the port with `programPort`, which may change)
// and opens the port on a serial line.  Check PortError() and show the error box it names.
std::unique_ptr<Keyer> CreateKeyer(std::string& programPort,
                                   const std::string& configPath = ConfigPath(),
                                   Journal* journal = nullptr);
// Destroy: writes the keyer settings, then aborts, stops the thread and closes the port.
// Returns whether the settings were written; the keyer is gone either way.
bool DestroyKeyer(std::unique_ptr<Keyer>& keyer, const std::string& programPort,
                  const std::string& configPath = ConfigPath());

}  // namespace vk
