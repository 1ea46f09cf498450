// The radio's own keyer through Hamlib (send_morse, stop_morse, the KEYSPD level), driven by the
// rig's poll thread.  Hamlib does not tell when the radio has keyed the text, so the keyer
// counts its Morse length at the speed given.
#pragma once

#include <condition_variable>
#include <mutex>

#include "cw/text_keyer.h"
#include "rig/rig_control.h"

namespace vk {

class RigKeyer final : public TextKeyer {
 public:
  explicit RigKeyer(RigControl* rig) : rig_(rig) {}  // not owned; nullptr: no radio

  Status Open() override;
  bool IsOpen() const override { return rig_ != nullptr && rig_->Enabled(); }
  void Close() override {}
  Status Send(std::string_view text, int wpm) override;
  bool WaitSent(std::chrono::milliseconds limit, const std::function<bool()>& cancelled) override;
  void Abort() override;
  std::string Name() const override { return "rig keyer"; }

 private:
  RigControl* rig_;
  int wpm_ = 0;
  int lengthMs_ = 0;  // of the last text sent
  std::mutex mu_;
  std::condition_variable cv_;  // woken by Abort
};

}  // namespace vk
