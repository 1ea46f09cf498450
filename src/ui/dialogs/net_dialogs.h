// The Network setup and Synchronization dialogs.  They show and collect; what the choices do
// to the settings, the log and the exchange is the network session's.
#pragma once

#include <final/final.h>

#include <optional>

#include "app/network_session.h"
#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"
#include "tui/radio_choice.h"

namespace vk::ui {

// "[ Network setup ]": the address, the port and the Off/On switch of the exchange.
class NetworkSetupDialog final : public OkCancelDialog {
 public:
  NetworkSetupDialog(finalcut::FWidget* parent, const NetworkSetupForm& initial);
  NetworkSetupForm Form() const;

 private:
  finalcut::FLabel ipLabel_{this};
  MaskedLine ip_{this, kSetupAddressLength};
  finalcut::FLabel portLabel_{this};
  MaskedLine port_{this, kSetupPortLength};
  RadioChoice enable_;
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// "[Synchronization]": this station sends its log (0) or receives the other's (1).
class SynchronizationDialog final : public OkCancelDialog {
 public:
  explicit SynchronizationDialog(finalcut::FWidget* parent);
  bool ReceiveChosen() const { return choice_.Value() == 1; }

 private:
  RadioChoice choice_;
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// The form after OK; nullopt after Cancel.
std::optional<NetworkSetupForm> RunNetworkSetupDialog(finalcut::FWidget* parent,
                                                      const NetworkSetupForm& initial);
// True when the dialog ended with OK and "Receive log" chosen.
bool RunSynchronizationDialog(finalcut::FWidget* parent);

}  // namespace vk::ui
