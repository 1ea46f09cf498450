// Options > Rig: the radio model from Hamlib's list, its device (a serial port, or host:port of
// rigctld for Hamlib's NET rigctl model), serial speed and poll interval.  OK puts them in
// force at once.
#pragma once

#include <final/final.h>

#include <functional>
#include <vector>

#include "app/rig_setup.h"
#include "ui/dialogs/qso_dialogs.h"

namespace vk::ui {

class RigDialog final : public OkCancelDialog {
 public:
  using Apply = std::function<Status(const RigSettings&)>;
  RigDialog(finalcut::FWidget* parent, const RigSettings& current, std::vector<RigModelInfo> models,
            Apply apply);

 private:
  bool Confirm() override;

  std::vector<RigModelInfo> models_;
  Apply apply_;
  finalcut::FLabel modelLabel_{"&Model:", this};
  finalcut::FListBox model_{this};
  finalcut::FLabel deviceLabel_{"&Device:", this};
  finalcut::FLineEdit device_{this};
  finalcut::FLabel speedLabel_{"&Speed:", this};
  finalcut::FLineEdit speed_{this};
  finalcut::FLabel pollLabel_{"&Poll ms:", this};
  finalcut::FLineEdit poll_{this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Runs the dialog on the station.
void RunRigSetup(finalcut::FWidget* desktop, Station& station);

}  // namespace vk::ui
