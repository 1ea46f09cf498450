// The radio on a thread of its own.  The poll thread reads the radio's frequency and mode every
// poll interval and publishes them; whatever the program wants of the radio (a frequency, a
// mode, Morse to send) goes into a queue that the thread works off before its next reading.
// The user-interface thread never calls the radio and never waits for it: a radio that is off,
// a pulled cable or a stopped rigctld only shows as "no answer" until the thread has opened it
// again by itself.
//
// Shared between the threads: the state and the reading counter as atomics, the reading and
// the command queue behind one mutex each.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "rig/radio.h"

namespace vk {

class Journal;

enum class RigState : std::uint8_t {
  kOff,        // no radio configured
  kOpening,    // not heard yet
  kAnswering,  // the last reading succeeded
  kNoAnswer,   // the radio did not answer; the thread keeps trying
};

struct RigReading {
  Freq freq = 0;
  Mode mode = Mode::kUnknown;  // also for a mode the log has no name for
  friend bool operator==(const RigReading&, const RigReading&) = default;
};

class RigControl {
 public:
  // nullptr: no radio; the state stays kOff and every command is dropped.  `reopenAfter` is
  // the pause between attempts to reach a radio that did not answer.  `journal` (nullptr:
  // none) hears why the radio went silent; it outlives the control.
  RigControl(std::unique_ptr<Radio> radio, std::chrono::milliseconds poll,
             std::chrono::milliseconds reopenAfter = std::chrono::milliseconds(1000),
             Journal* journal = nullptr);
  ~RigControl();  // Stop
  RigControl(const RigControl&) = delete;
  RigControl& operator=(const RigControl&) = delete;

  void Start();  // starts the poll thread; nothing without a radio
  void Stop();   // ends it and closes the radio

  RigState State() const { return state_.load(std::memory_order_acquire); }
  bool Enabled() const { return radio_ != nullptr; }
  // A reading that the program has not seen yet.  Readings the radio took before it had
  // carried out the program's last change of frequency or mode are skipped, so the entry
  // window never jumps back to where the radio was.
  bool TakeReading(RigReading& out);
  RigReading LastReading() const;
  // Counts the readings published; tests wait on it.
  std::uint64_t Readings() const { return readings_.load(std::memory_order_acquire); }

  // Commands for the radio; they return at once.  Changes asked for while the radio does not
  // answer are dropped when it comes back: the radio, where the operator has tuned it, wins.
  void SetFreq(Freq f);
  void SetMode(Mode mode);
  void SendMorse(std::string text);
  void StopMorse();
  void SetMorseSpeed(int wpm);

  // The status line's text: "Rig: no answer" while the radio is silent, "Rig: 7025.0" (kHz)
  // while it answers, empty without a radio.
  std::string StatusText() const;
  // The last error of the radio, for the journal.
  std::string LastError() const;

 private:
  struct Command {
    enum class Kind : std::uint8_t { kFreq, kMode, kMorse, kStopMorse, kMorseSpeed };
    Kind kind;
    std::int64_t value = 0;
    std::string text;
    std::uint64_t seq = 0;
    Mode mode = Mode::kUnknown;  // kMode's
  };
  void Queue(Command c);
  void Run();
  bool Reach();        // opens the radio; false after a failure (already waited)
  bool ApplyQueued();  // false when the radio stopped answering
  bool Read();
  void Lost(const Status& s);
  void Pause(std::chrono::milliseconds d);

  std::unique_ptr<Radio> radio_;  // touched by the poll thread only, once it runs
  Journal* journal_;
  const std::chrono::milliseconds poll_;
  const std::chrono::milliseconds reopenAfter_;
  std::atomic<RigState> state_;
  std::atomic<bool> running_{false};
  std::atomic<std::uint64_t> readings_{0};
  std::thread thread_;

  mutable std::mutex mu_;  // guards everything below
  std::condition_variable cv_;
  std::deque<Command> queue_;
  std::uint64_t nextSeq_ = 1;
  std::uint64_t tuneSeq_ = 0;     // the program's last change of frequency or mode
  std::uint64_t appliedSeq_ = 0;  // the last command the thread carried out (or dropped)
  RigReading reading_;
  std::uint64_t readingSeq_ = 0;  // appliedSeq_ when reading_ was taken
  std::uint64_t seen_ = 0;        // readings_ when the program last took one
  std::int64_t hz_ = 0;           // the radio's frequency, for the sideband of a mode change
  std::string lastError_;
};

}  // namespace vk
