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
#include "app/test_hooks.h"
#include "cluster/cluster_hub.h"
#include "cw/cw_messages.h"
#include "cw/keyer.h"
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
  // The cluster link, from the cluster settings, when the operating windows open (a station
  // without a contest has no band map to feed).  Started once; ChangeCluster restarts it.
  void StartCluster();
  // Options > Cluster: the settings written, then the link restarted on them.  Nothing
  // changes when they cannot be written.
  Status ChangeCluster(const ClusterSettings& settings);

  // A keyer for the CW window on the configured port (`programPort` as for MakeStationKeyer).
  std::unique_ptr<Keyer> MakeKeyer(std::string& programPort);

  // What the tests asked for through the environment, read once by main.
  void SetTestHooks(const TestHooks& hooks) { hooks_ = hooks; }
  const TestHooks& Hooks() const { return hooks_; }

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

  // The program's end, once the screen is gone, in the reverse order of the starts: the
  // cluster link, the digital listener and the broadcasts, then the network thread (whose
  // settings are written).  The radio stops with the station.
  void Shutdown();

  CommandBus& Bus() { return bus_; }
  Station& station() { return station_; }
  NetworkSession* Network() { return network_.get(); }  // nullptr before Start
  DigitalLink& Digital() { return digital_; }
  BroadcastLink& Broadcast() { return broadcast_; }
  ClusterHub& Cluster() { return cluster_; }
  Shell* shell() { return shell_.get(); }               // nullptr without a screen
  const ShellState& InitialState() const { return initial_; }
  // The stored CW messages, from the screen's arrival to the end of the program.
  CwMessageList& CwMessages() { return cwMessages_; }
  // Written to the configuration file; the caller does it once the keyer has stopped.
  void SaveCwMessages() { (void)cwMessages_.Save(station_.PathOf(kConfigFileName)); }

 private:
  LogGate Gate() const;
  void ConfigureCluster(const ClusterSettings& settings);

  CommandBus bus_;  // before the station and the shell, which attach to it
  Station station_;
  std::unique_ptr<NetworkSession> network_;
  std::unique_ptr<Shell> shell_;
  DigitalLink digital_{station_};  // WSJT-X's QSOs, from Start to Shutdown
  BroadcastLink broadcast_{station_};  // packets for the shack's other programs, likewise
  ClusterHub cluster_;  // the cluster client's thread behind it, from StartCluster to Shutdown
  bool clusterStarted_ = false;
  TestHooks hooks_;
  CwMessageList cwMessages_;
  ShellState initial_;      // as start-up left it, for the shell built with the screen
  bool logLoaded_ = false;  // the log file is in the log: the exchange may apply messages
};

}  // namespace vk
