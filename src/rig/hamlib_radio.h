// A radio through Hamlib: any model of Hamlib's list, rigctld included (model 2, device
// "host:port"), which is how several programs share one radio.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rig/radio.h"
#include "rig/rig_control.h"
#include "rig/rig_settings.h"

struct s_rig;

namespace vk {

class Journal;

class HamlibRadio final : public Radio {
 public:
  explicit HamlibRadio(RigSettings settings);
  ~HamlibRadio() override;
  HamlibRadio(const HamlibRadio&) = delete;
  HamlibRadio& operator=(const HamlibRadio&) = delete;

  Status Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }

  Status ReadFreq(std::int64_t& hz) override;
  Status ReadMode(Mode& mode) override;
  Status SetFreq(std::int64_t hz) override;
  Status SetMode(Mode mode, std::int64_t hz) override;

  Status SendMorse(std::string_view text) override;
  Status StopMorse() override;
  Status SetMorseSpeed(int wpm) override;

 private:
  Status Init();
  Status Check(int rc, const char* what);

  RigSettings settings_;
  s_rig* rig_ = nullptr;  // made by the first Open, kept across reconnects
  bool open_ = false;
};

// The configured radio on its poll thread, started; nullptr when no radio is configured.
// `journal` as for RigControl.
std::unique_ptr<RigControl> StartRig(const RigSettings& settings, Journal* journal = nullptr);

// One model of Hamlib's list, for the setup dialog.
struct RigModelInfo {
  std::int32_t model = 0;
  std::string maker;
  std::string name;
};

// Every model Hamlib knows, by maker and name.
std::vector<RigModelInfo> HamlibModels();
// "Hamlib NET rigctl" for 2; empty for a number Hamlib does not know.
std::string HamlibModelName(std::int32_t model);

}  // namespace vk
