// A keyer that keys whole texts by itself, with its own Morse timing: cwdaemon, or the radio's
// built-in keyer.  The keyer thread hands it the text and waits until it reports the text keyed
// (or, where it cannot report, until the text's Morse length has passed).
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

class TextKeyer {
 public:
  virtual ~TextKeyer();
  // Errors as for a key line: soft when nothing was found to open, hard when it refused.
  virtual Status Open() = 0;
  virtual bool IsOpen() const = 0;
  virtual void Close() = 0;
  // Starts keying `text` at `wpm`; returns at once.  Keyer thread only.
  virtual Status Send(std::string_view text, int wpm) = 0;
  // Waits until the text of the last Send is keyed: true then, false when `limit` passed or
  // `cancelled()` became true first.  Keyer thread only.
  virtual bool WaitSent(std::chrono::milliseconds limit,
                        const std::function<bool()>& cancelled) = 0;
  // Stops the keying at once; any thread.
  virtual void Abort() = 0;
  // What the CW window shows in place of a port name.
  virtual std::string Name() const = 0;
};

}  // namespace vk
