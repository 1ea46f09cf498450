// "CW setup": the choice of the serial port that keys the transmitter.  The list holds the
// system's ports and "Null" (no keying); Cancel is the default, since a new port takes effect
// only after the program has been started again.
#pragma once

#include <final/final.h>

#include <functional>
#include <string>
#include <vector>

#include "app/station.h"
#include "tui/tv_dialog.h"

namespace vk::ui {

// The port list: Enter is the dialog's default button, not a choice of the list.
class PortList final : public finalcut::FListBox {
 public:
  explicit PortList(finalcut::FWidget* parent) : finalcut::FListBox(parent) {}
  void onKeyPress(finalcut::FKeyEvent* ev) override;
};

class CwSetupDialog final : public TvDialog {
 public:
  CwSetupDialog(finalcut::FWidget* parent, const std::vector<std::string>& ports);

  // The focused port name.
  std::string Choice() const;

 private:
  std::vector<std::string> ports_;
  PortList list_{this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Runs the dialog.  On OK the chosen port becomes the program-wide one and is saved, and
// `portChanged` (may be empty) lets an open CW window make its keyer again on it.  True when
// confirmed; the program must then be started again.
bool RunCwSetup(finalcut::FWidget* desktop, Station& station,
                const std::function<void()>& portChanged);

}  // namespace vk::ui
