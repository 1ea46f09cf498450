// "CW setup": the choice of what keys the transmitter: a serial port of the system, "Null" (no
// keying), cwdaemon (at the host:port given beside the list) or the radio's own keyer.  It
// opens on the current choice; OK makes the new keyer at once, the program goes on.
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
  // `current` names the entry to open on; `cwdaemon` is its address as stored.
  CwSetupDialog(finalcut::FWidget* parent, const std::vector<std::string>& ports,
                const std::string& current, const std::string& cwdaemon);

  // The focused entry.
  std::string Choice() const;
  // The cwdaemon address as typed, trimmed.
  std::string Cwdaemon() const;

 private:
  std::vector<std::string> ports_;
  PortList list_{this};
  finalcut::FLabel cwdaemonLabel_{"c&wdaemon:", this};
  finalcut::FLineEdit cwdaemon_{this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Runs the dialog.  On OK the choice (and the cwdaemon address) is saved, and `portChanged`
// (may be empty) lets the CW window make its keyer again on it.  True when confirmed.
// `withoutHardware`: the tests' keyer, which offers its fake port.
bool RunCwSetup(finalcut::FWidget* desktop, Station& station, bool withoutHardware,
                const std::function<void()>& portChanged);

}  // namespace vk::ui
