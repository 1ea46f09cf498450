// The screen side of the log exchange: the three network views.  Received messages and every
// change of the log go between the logbook and the exchange in the session.
#include "app/network_session.h"
#include "config/settings.h"
#include "ui/dialogs/net_dialogs.h"
#include "ui/shell/vork_app.h"
#include "ui/windows/recv_log_window.h"

namespace vk::ui {

bool VorkApp::RunSynchronization() {
  return RunSynchronizationDialog(desktop_.get());
}

void VorkApp::ReceiveLog() {
  // A second request while a transfer runs would empty the log it is filling.
  if (network_ == nullptr || network_->Handler().ReceivingLog()) return;
  if (!network_->BeginReceivingLog()) return;
  auto* window = new RecvLogWindow(desktop_.get(), *network_, bus_);  // the desktop owns it
  window->show();
  SelectWindow(window);
}

void VorkApp::RunNetworkSetup() {
  NetworkSettings& stored = station_.Settings().network;
  const std::optional<NetworkSetupForm> form =
      RunNetworkSetupDialog(desktop_.get(), SetupFormOf(stored));
  if (!form) return;
  stored = ApplySetupForm(stored, *form);
  if (!WriteNetworkSettings(stored, station_.PathOf(kConfigFileName))) {
    ShowInformation(std::string(kConfigFileName) + " could not be written");
    return;
  }
  // A running exchange keeps its address and port; new ones take effect at the next start.
  if (network_ != nullptr && network_->NeedsRestart(stored)) ShowInformation(kRebootText);
}

}  // namespace vk::ui
