// A radio for tests: the test turns its dial, switches it off and on, and reads back what the
// program asked of it.  Safe to use from the test thread while the poll thread calls it.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "rig/radio.h"

namespace vk {

class FakeRadio final : public Radio {
 public:
  Status Open() override;
  void Close() override;
  bool IsOpen() const override;
  Status ReadFreq(std::int64_t& hz) override;
  Status ReadMode(vk::Mode& mode) override;
  Status SetFreq(std::int64_t hz) override;
  Status SetMode(vk::Mode mode, std::int64_t hz) override;
  Status SendMorse(std::string_view text) override;
  Status StopMorse() override;
  Status SetMorseSpeed(int wpm) override;

  // The operator's hand on the radio.
  void Tune(std::int64_t hz, vk::Mode mode);
  // Off: every call fails as a radio that does not answer; on again: it opens.
  void SetAnswering(bool on);

  std::int64_t Hz() const;
  // Qualified: inside the class the name is this function's.
  vk::Mode Mode() const;
  int Opens() const;
  std::vector<std::string> Morse() const;  // texts sent, "<stop>" for a stop, "<wpm N>"

 private:
  Status Alive() const;

  mutable std::mutex mu_;
  bool answering_ = true;
  bool open_ = false;
  int opens_ = 0;
  std::int64_t hz_ = 14'025'000;
  vk::Mode mode_ = vk::Mode::kCw;
  std::vector<std::string> morse_;
};

}  // namespace vk
