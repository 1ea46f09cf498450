#include "app/session.h"

#include <utility>

#include "log/journal.h"
#include "rig/hamlib_radio.h"
#include "rig/rig_control.h"
#include "rig/rig_settings.h"

namespace vk {

Session::Session(std::string workDir, const CountryLists* countries, Journal* journal,
                 const TimeSource* time)
    : station_(bus_, std::move(workDir), countries, journal, time) {}

Session::~Session() {
  DetachScreen();
  Shutdown();
}

Status Session::Start(NetworkOptions network) {
  if (Status s = station_.ReadSettings(); !s) return s;
  network_ = std::make_unique<NetworkSession>(station_, std::move(network));
  // The log file is read when the operating windows open; a received QSO put into the log
  // before that would keep the file from loading and then be written over it.
  network_->SetLogGate([this] { return Gate(); });
  station_.LoadConfiguredContest(initial_);
  // A listener that cannot bind is journalled; the contest goes on without it.
  (void)digital_.Start(LoadDigitalSettings(station_.PathOf(kConfigFileName)));
  std::vector<std::string> bad;
  broadcast_.Start(LoadBroadcastSettings(station_.PathOf(kConfigFileName), bad));
  broadcast_.StartLiveScore(LoadLiveScoreSettings(station_.PathOf(kConfigFileName)));
  for (const std::string& b : bad) JournalAppend(station_.journal(), "[Broadcast] " + b);
  return {};
}

void Session::StartRadio() {
  station_.SetRig(StartRig(station_.Hamlib(), ReadRigSettings(station_.PathOf(kConfigFileName)), station_.journal()));
}

LogGate Session::Gate() const {
  if (logLoaded_) return LogGate::kOpen;
  const bool noContest = shell_ != nullptr ? shell_->state().NoContest : initial_.NoContest;
  return noContest ? LogGate::kClosed : LogGate::kWait;
}

Shell& Session::AttachScreen(ShellActions& screen) {
  shell_ = std::make_unique<Shell>(bus_, screen, [this] { return station_.Ids().RaiseRaw(); });
  shell_->state() = initial_;
  cwMessages_ = CwMessageList(station_.Settings().cwMessages);
  station_.Ids().Set(0);
  shell_->SetLogChecksum([this] { return station_.Log().LogCrc(); });
  shell_->SetRigStatus([this] { return station_.Rig() ? station_.Rig()->StatusText() : ""; });
  if (network_ != nullptr) {
    shell_->SetNetwork(&network_->Link());
    shell_->SetExchange(network_.get());
  }
  return *shell_;
}

void Session::DetachScreen() {
  logLoaded_ = false;
  shell_.reset();
}

void Session::IdlePass() {
  bus_.DeliverPosted();
  // Digital QSOs wait in their queue until the log file is in the log.
  if (logLoaded_ && shell_ != nullptr && !shell_->state().NoContest) {
    digital_.Pass();
    broadcast_.Pass(BroadcastLink::Clock::now());
  }
  if (shell_ != nullptr) shell_->IdlePass();
}

void Session::Shutdown() {
  digital_.Stop();
  broadcast_.Stop();
  if (network_ != nullptr) network_->Shutdown();
}

}  // namespace vk
