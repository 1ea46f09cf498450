// The station's side of the log exchange with the rest of its group: the exchange record, the
// network thread and the handler that applies what arrives, tied to the station's log, rules,
// band totals and bus.  The thread runs from program start when the settings switch the
// exchange on; everything else here runs on the UI thread.
//
// A received message changes the log through the logbook, which tells the windows as it tells
// them of a change made here; the changes made here reach the group from the logbook's feed.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/command_bus.h"
#include "app/net_link.h"
#include "app/shell.h"
#include "app/station.h"
#include "config/settings.h"
#include "net/net_exchange.h"
#include "net/net_handler.h"
#include "net/net_sync.h"
#include "net/net_thread.h"
#include "net/udp_socket.h"

namespace vk {

// Two stations on one computer cannot both listen on the one port the group shares.  For
// tests only, the environment variable of this name gives a station a listen port of its own;
// it still sends to PORT.
inline constexpr const char* kListenPortVariable = "VORKAN_NET_LISTEN_PORT";
// The port of the variable's text; nullopt when it is unset or not a port.
std::optional<std::uint16_t> ListenPortOverride(const char* text);

// The Guids deleted in the group, one a line.  Kept across restarts, so that a station that
// was off when a QSO was deleted cannot bring it back to stations that have restarted since.
// Read once the log is loaded, and only for a log that holds QSOs: a new contest starts with
// an empty log, and its Guids may meet those of the old one.
inline constexpr std::string_view kDeletedFileName = "vorkan.del";

struct NetworkOptions {
  UdpSocketFactory makeSocket = MakePosixUdpSocket;
  std::optional<std::uint16_t> listenPort;  // nullopt: listen on PORT
  // The computer's networks (own addresses, broadcast addresses); tests give their own.
  std::function<std::vector<LocalNet>()> localNets = PosixLocalNets;
};

// The station's number in the group (its part of new Guids and its name in the bookkeeping
// messages): STATION= when it is 1-126; otherwise derived from the last byte of the first
// address of `nets` that is not a loopback one (plus the listen port, when it is not the
// group's, so that stations on one computer differ).  Two stations may still meet on a derived
// number (addresses .1 and .127); the journal says so when it happens.
int StationNumberOf(const NetworkSettings& settings, const std::vector<LocalNet>& nets,
                    std::optional<std::uint16_t> listenPort);

// Whether received messages may touch the log yet.
enum class LogGate : std::uint8_t {
  kOpen,    // the log file is loaded: apply them
  kWait,    // not loaded yet: keep them until it is
  kClosed,  // it never will be (no contest): drop them
};

class NetworkSession final : public GroupExchange {
 public:
  // Starts the network thread when the station's network settings switch the exchange on and
  // name a port.
  explicit NetworkSession(Station& station, NetworkOptions options = {});
  ~NetworkSession() override;
  NetworkSession(const NetworkSession&) = delete;
  NetworkSession& operator=(const NetworkSession&) = delete;

  bool Running() const { return thread_ != nullptr; }
  // Why the network configured in vorkan.cfg was not started, for the operator; empty when it
  // runs or is switched off.
  const std::string& Refusal() const { return refusal_; }
  NetworkLink& Link() { return link_; }
  NetExchange& Exchange() { return exchange_; }
  NetHandler& Handler() { return handler_; }

  // Until it is set, the gate is open.
  void SetLogGate(std::function<LogGate()> gate) { gate_ = std::move(gate); }

  // The idle pass that sees the network thread's flag: applies every message waiting, in the
  // order they arrived, and does the repairs that are due.  A QSO that arrives is in vorkan.adi
  // before any window shows it.
  void HandleIncoming() override;
  // The stations of the group repair their logs by themselves: no need to ask the operator.
  bool Repairing() const;
  LogSync* Sync() { return sync_.get(); }
  // A finished message text (the QSO dialogs' "DEL:").
  void SendText(const std::string& text);
  // The log receive window's request for QSO n (1 = the first).
  void RequestQso(std::int32_t n);

  // Command 0x4038: the other station's log is merged into this one, QSO by QSO; nothing held
  // here is removed.  A copy of the log goes to arch/ first.  False, changing nothing, while
  // the network does not run (nobody would answer) or the log file is not loaded.
  bool BeginReceivingLog();
  // The log receive window closed: late answers no longer touch the log.
  void EndReceivingLog() { handler_.SetReceivingLog(false); }

  // Whether the settings, once saved, take effect only at the next start: they name another
  // address or port, or switch the exchange on or off.
  bool NeedsRestart(const NetworkSettings& settings) const;

  // The program's end: the thread is stopped, then the network settings are written.  Once.
  void Shutdown();

 private:
  void SetSerialStation(int part);
  LogGate Gate() const { return gate_ ? gate_() : LogGate::kOpen; }
  bool TakeHeldIfReady();
  bool ServiceDue();
  void Apply(const NetResult& r);
  void EndOfLog();
  void SendChange(const LogChange& change);
  void LoadDeleted();
  void SaveDeleted();

  Station& station_;
  NetExchange exchange_;
  NetHandler handler_;
  ExchangeLink link_;
  std::optional<NetEndpoint> endpoint_;  // where the running thread sends; nullopt: none runs
  std::string refusal_;
  std::unique_ptr<NetThread> thread_;
  std::unique_ptr<LogSync> sync_;  // while the thread runs
  std::function<LogGate()> gate_;
  bool held_ = false;  // messages wait for the log file to be loaded
  bool deletedLoaded_ = false;
  std::size_t deletedSaved_ = 0;  // Guids in the file
  static constexpr std::chrono::seconds kFirstDigests{3};
  mutable std::optional<std::chrono::steady_clock::time_point> openedAt_;  // the log first loaded
  bool shutDown_ = false;
  int feed_ = 0;  // the subscription to the logbook's changes
};

// --- Network setup ------------------------------------------------------------------------------

inline constexpr std::size_t kSetupAddressLength = 18;
inline constexpr std::size_t kSetupPortLength = 12;

// What the Network setup dialog holds: its input lines keep fewer characters than the
// configuration file may, and its switch has two positions.
struct NetworkSetupForm {
  std::string address;
  std::string port;
  int enable = 0;  // 0 off, 1 on
  friend bool operator==(const NetworkSetupForm&, const NetworkSetupForm&) = default;
};

NetworkSetupForm SetupFormOf(const NetworkSettings& settings);
// The settings to store after OK.  A field the operator left as the dialog showed it keeps the
// stored value whole: an address cut to fit the line is not written back cut, and an ENABLE of
// 5 stays 5 while the switch stays on.
NetworkSettings ApplySetupForm(const NetworkSettings& stored, const NetworkSetupForm& form);

}  // namespace vk
