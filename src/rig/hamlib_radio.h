// A radio through Hamlib: any model of Hamlib's list, rigctld included (model 2, device
// "host:port"), which is how several programs share one radio.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "rig/radio.h"
#include "rig/rig_control.h"
#include "rig/rig_settings.h"

struct s_rig;

namespace vk {

class Journal;

// One model of Hamlib's list, for the setup dialog.
struct RigModelInfo {
  std::int32_t model = 0;
  std::string maker;
  std::string name;
};

// Hamlib itself.  It registers its backends in tables of the process on first use, so making a
// rig and walking the model list from two threads at once would race there.  Every use of
// Hamlib goes through this object, which loads the backends once and lets one call at a time
// touch those tables.  The program has one, the station's; it outlives every radio made with it.
class HamlibLibrary {
 public:
  HamlibLibrary() = default;
  HamlibLibrary(const HamlibLibrary&) = delete;
  HamlibLibrary& operator=(const HamlibLibrary&) = delete;

  // Every model Hamlib knows, by maker and name.
  std::vector<RigModelInfo> Models();
  // "Hamlib NET rigctl" for 2; empty for a number Hamlib does not know.
  std::string ModelName(std::int32_t model);

 private:
  friend class HamlibRadio;
  // Held while Hamlib's tables are touched; the backends are loaded under the first one.
  std::unique_lock<std::mutex> Lock();

  std::mutex mutex_;
  bool prepared_ = false;  // guarded by mutex_
};

class HamlibRadio final : public Radio {
 public:
  // `hamlib` outlives the radio.
  HamlibRadio(HamlibLibrary& hamlib, RigSettings settings);
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

  HamlibLibrary& hamlib_;
  RigSettings settings_;
  s_rig* rig_ = nullptr;  // made by the first Open, kept across reconnects
  bool open_ = false;
};

// The configured radio on its poll thread, started; nullptr when no radio is configured.
// `journal` as for RigControl.
std::unique_ptr<RigControl> StartRig(HamlibLibrary& hamlib, const RigSettings& settings,
                                     Journal* journal = nullptr);

}  // namespace vk
