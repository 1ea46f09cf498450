#include "ui/dialogs/cw_setup_dialog.h"

#include "app/station_keyer.h"
#include "config/settings.h"
#include "cw/keyer_choice.h"
#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FKey;
using finalcut::FPoint;
using finalcut::FSize;

namespace {

constexpr int kWidth = 52;
constexpr int kHeight = 13;
constexpr std::size_t kButtonWidth = 10;

}  // namespace

void PortList::onKeyPress(finalcut::FKeyEvent* ev) {
  if (ev->key() == FKey::Enter || ev->key() == FKey::Return) {
    ev->ignore();
    return;
  }
  finalcut::FListBox::onKeyPress(ev);
}

CwSetupDialog::CwSetupDialog(finalcut::FWidget* parent, const std::vector<std::string>& ports,
                             const std::string& current, const std::string& cwdaemon)
    : TvDialog(parent, "CW setup", kWidth, kHeight), ports_(ports) {
  // Not centred: at column 2, row 2 of the desktop.
  setPos(FPoint{3, 3}, false);
  // The list's frame holds its scroll bar, in the column right of the names.
  list_.setGeometry(FPoint{1, 1}, FSize{28, 11});
  for (const std::string& p : ports_) list_.insert(ScreenText(this, p));
  ok_.setGeometry(FPoint{31, 2}, FSize{kButtonWidth, 1});
  cancel_.setGeometry(FPoint{31, 4}, FSize{kButtonWidth, 1});
  cwdaemonLabel_.setGeometry(FPoint{31, 7}, FSize{10, 1});
  cwdaemonLabel_.setAccelWidget(&cwdaemon_);
  cwdaemon_.setGeometry(FPoint{31, 8}, FSize{19, 1});
  cwdaemon_.setText(finalcut::FString{cwdaemon});
  ok_.addCallback("clicked", [this] { Accept(); });
  cancel_.addCallback("clicked", [this] { done(ResultCode::Reject); });
  SetDefaultButton(&cancel_);
  // The toolkit counts the items from 1.
  std::size_t at = 1;
  for (std::size_t i = 0; i < ports_.size(); ++i) {
    if (ports_[i] == current) at = i + 1;
  }
  if (!ports_.empty()) list_.setCurrentItem(at);
  list_.setFocus();
}

std::string CwSetupDialog::Cwdaemon() const {
  return Trim(cwdaemon_.getText().toString());
}

std::string CwSetupDialog::Choice() const {
  // The toolkit counts the items from 1.
  const std::size_t i = list_.currentItem();
  return i >= 1 && i <= ports_.size() ? ports_[i - 1] : std::string();
}

bool RunCwSetup(finalcut::FWidget* desktop, Station& station, bool withoutHardware,
                const std::function<void()>& portChanged) {
  const std::vector<std::string> ports =
      KeyerChoices(CwSetupChoices(ListKeyerPorts(withoutHardware)));
  const KeyerChoice now = ReadKeyerChoice(station.PathOf(kConfigFileName));
  std::string choice, cwdaemon;
  {
    CwSetupDialog dialog{desktop, ports, CurrentKeyerEntry(station), now.cwdaemon};
    if (!dialog.Run()) return false;
    choice = dialog.Choice();
    cwdaemon = dialog.Cwdaemon();
  }
  if (choice.empty()) return false;
  ApplyKeyerChoice(station, choice, cwdaemon);
  if (portChanged) portChanged();
  return true;
}

}  // namespace vk::ui
