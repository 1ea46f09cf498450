#include "ui/dialogs/net_dialogs.h"

#include "tui/screen_text.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {

constexpr int kDialogWidth = 34;
constexpr int kSetupHeight = 13;
constexpr int kSyncHeight = 10;

}  // namespace

NetworkSetupDialog::NetworkSetupDialog(finalcut::FWidget* parent, const NetworkSetupForm& initial)
    : OkCancelDialog(parent, "[ Network setup ]", kDialogWidth, kSetupHeight),
      enable_(this, "Network", FPoint{6, 7}, FSize{21, 4}) {
  ipLabel_.setText("IP:");
  ipLabel_.setGeometry(FPoint{4, 3}, FSize{3, 1});
  ipLabel_.setAccelWidget(&ip_);
  ip_.setGeometry(FPoint{9, 3}, FSize{18, 1});
  portLabel_.setText("Port:");
  portLabel_.setGeometry(FPoint{2, 5}, FSize{5, 1});
  portLabel_.setAccelWidget(&port_);
  port_.setGeometry(FPoint{9, 5}, FSize{13, 1});
  // Two items side by side on the frame's middle row.
  enable_.Add("Off", FPoint{2, 2});
  enable_.Add("On", FPoint{11, 2});

  ip_.SetCp866(initial.address);
  port_.SetCp866(initial.port);
  enable_.SetValue(initial.enable);
  PlaceButtons(ok_, cancel_);
  ip_.setFocus();
}

NetworkSetupForm NetworkSetupDialog::Form() const {
  return {ip_.Cp866(), port_.Cp866(), enable_.Value() == 1 ? 1 : 0};
}

SynchronizationDialog::SynchronizationDialog(finalcut::FWidget* parent)
    : OkCancelDialog(parent, "[Synchronization]", kDialogWidth, kSyncHeight),
      choice_(this, "Network", FPoint{6, 2}, FSize{21, 6}) {
  choice_.Add("Send log", FPoint{3, 2});
  choice_.Add("Receive log", FPoint{3, 3});
  choice_.SetValue(0);
  PlaceButtons(ok_, cancel_);
  choice_.Step(0);  // the focus on the chosen item
}

std::optional<NetworkSetupForm> RunNetworkSetupDialog(finalcut::FWidget* parent,
                                                      const NetworkSetupForm& initial) {
  NetworkSetupDialog dialog{parent, initial};
  if (!dialog.Run()) return std::nullopt;
  return dialog.Form();
}

bool RunSynchronizationDialog(finalcut::FWidget* parent) {
  SynchronizationDialog dialog{parent};
  return dialog.Run() && dialog.ReceiveChosen();
}

}  // namespace vk::ui
