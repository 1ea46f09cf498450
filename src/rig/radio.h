// One radio as the logger sees it: its frequency and mode, read and set, and the radio's own
// Morse keyer where it has one.  Backends sit behind this interface (Hamlib for real radios
// and rigctld, a fake for tests); only the rig's poll thread ever calls them, so a backend may
// block for as long as its radio takes to answer.
//
// Errors follow one split so the poll thread knows what to do next:
//   - hard (ErrCode::kIo): the radio did not answer or the link broke; close and reopen later;
//   - soft (kBadInput, kNotFound): the radio answered but cannot do this (no such mode, no
//     keyer); the link stays.
#pragma once

#include <cstdint>
#include <string_view>

#include "util/bands.h"
#include "util/result.h"

namespace vk {

class Radio {
 public:
  virtual ~Radio();
  virtual Status Open() = 0;
  virtual void Close() = 0;  // harmless when not open
  virtual bool IsOpen() const = 0;

  virtual Status ReadFreq(std::int64_t& hz) = 0;
  // The log's mode of the radio's mode; unknown for a mode the log has no name for.
  virtual Status ReadMode(Mode& mode) = 0;
  virtual Status SetFreq(std::int64_t hz) = 0;
  // `hz` is where the radio is (or goes): phone is the lower sideband below 10 MHz.
  virtual Status SetMode(Mode mode, std::int64_t hz) = 0;

  virtual Status SendMorse(std::string_view text) = 0;
  virtual Status StopMorse() = 0;
  virtual Status SetMorseSpeed(int wpm) = 0;
};

// Hertz to the log's 100 Hz units, rounded; held to the range of Freq.
Freq FreqOfHz(std::int64_t hz);
std::int64_t HzOfFreq(Freq f);

}  // namespace vk
