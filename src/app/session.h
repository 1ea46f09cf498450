// One run of the program without its screen: the command bus, the station (log, rules, clock,
// radio) on that bus, the group's log exchange, and the shell that ties them together.  The
// terminal application holds a Session, draws what it shows and forwards keys to it; everything
// that does not draw happens here, so a test drives a whole station without a terminal.
//
// The bus is the one bus of the program: the station's models send on it, the shell is its
// application handler, and the shell hands logged QSOs and received messages straight to the
// exchange.
#pragma once

#include <memory>
#include <string>

#include "app/broadcast_link.h"
#include "app/command_bus.h"
#include "app/digital_link.h"
#include "app/network_session.h"
#include "app/shell.h"
#include "app/station.h"
#include "cw/cw_messages.h"
#include "util/result.h"

namespace vk {

class Session {
 public:
  // `workDir`, `countries`, `journal` and `time` as for Station: the journal and the time
  // source belong to the caller (the program's main) and outlive the session.
  explicit Session(std::string workDir = {}, const CountryLists* countries = nullptr,
                   Journal* journal = nullptr, const TimeSource* time = nullptr);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // The settings, then the network thread (as soon as its settings are known, before any
  // window exists), then the configured contest.  A configuration file that cannot be created
  // fails here and nothing is started.
  Status Start(NetworkOptions network = {});
  // The radio's poll thread, from the rig settings; the entry window then opens on the
  // frequency the radio shows.
  void StartRadio();

  // The screen arrives: the shell is built on the bus with the state start-up left (own call,
  // contest, NoContest), the QSO id counter starts again from zero and the stored CW messages
  // are taken from the settings.
  Shell& AttachScreen(ShellActions& screen);
  // The screen is going: the shell leaves the bus; received messages wait again.
  void DetachScreen();
  // The operating windows have loaded the log file: received messages may touch the log.
  void SetLogLoaded(bool loaded) { logLoaded_ = loaded; }

  // One pass of the event loop: posted messages delivered, then the shell's idle pass.
  void IdlePass();

  // The program's end, once the screen is gone: the network thread stops and the network
  // settings are written.
  void Shutdown();

  CommandBus& Bus() { return bus_; }
  Station& station() { return station_; }
  NetworkSession* Network() { return network_.get(); }  // nullptr before Start
  DigitalLink& Digital() { return digital_; }
  BroadcastLink& Broadcast() { return broadcast_; }
  Shell* shell() { return shell_.get(); }               // nullptr without a screen
  const ShellState& InitialState() const { return initial_; }
  // The stored CW messages, from the screen's arrival to the end of the program.
  CwMessageList& CwMessages() { return cwMessages_; }
  // Written to the configuration file; the caller does it once the keyer has stopped.
  void SaveCwMessages() { (void)cwMessages_.Save(station_.PathOf(kConfigFileName)); }

 private:
  LogGate Gate() const;

  CommandBus bus_;  // before the station and the shell, which attach to it
  Station station_;
  std::unique_ptr<NetworkSession> network_;
  std::unique_ptr<Shell> shell_;
  DigitalLink digital_{station_};  // WSJT-X's QSOs, from Start to Shutdown
  BroadcastLink broadcast_{station_};  // packets for the shack's other programs, likewise
  CwMessageList cwMessages_;
  ShellState initial_;      // as start-up left it, for the shell built with the screen
  bool logLoaded_ = false;  // the log file is in the log: the exchange may apply messages
};

}  // namespace vk
