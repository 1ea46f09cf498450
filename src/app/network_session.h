// The station's side of the log exchange with the rest of its group: the exchange record, the
// network thread and the handler that applies what arrives, tied to the station's log, rules,
// band totals and bus.  The thread runs from program start when the settings switch the
// exchange on; everything else here runs on the UI thread.
//
// What a received message changed goes out on the bus as the same broadcasts and commands a
// change made here sends, so the windows cannot tell where a change came from.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "app/command_bus.h"
#include "app/net_link.h"
#include "app/station.h"
#include "config/settings.h"
#include "net/net_exchange.h"
#include "net/net_handler.h"
#include "net/net_thread.h"
#include "net/udp_socket.h"

namespace vk {

// Two stations on one computer cannot both listen on the one port the group shares.  For
// tests only, the environment variable of this name gives a station a listen port of its own;
// it still sends to PORT.
inline constexpr const char* kListenPortVariable = "VORKAN_NET_LISTEN_PORT";
// The port of the variable's text; nullopt when it is unset or not a port.
std::optional<std::uint16_t> ListenPortOverride(const char* text);

struct NetworkOptions {
  UdpSocketFactory makeSocket = MakePosixUdpSocket;
  std::optional<std::uint16_t> listenPort;  // nullopt: listen on PORT
};

// Whether received messages may touch the log yet.
enum class LogGate : std::uint8_t {
  kOpen,    // the log file is loaded: apply them
  kWait,    // not loaded yet: keep them until it is
  kClosed,  // it never will be (no contest): drop them
};

class NetworkSession {
 public:
  // Starts the network thread when the station's network settings switch the exchange on and
  // name a port.
  explicit NetworkSession(Station& station, NetworkOptions options = {});
  ~NetworkSession();
  NetworkSession(const NetworkSession&) = delete;
  NetworkSession& operator=(const NetworkSession&) = delete;

  bool Running() const { return thread_ != nullptr; }
  NetworkLink& Link() { return link_; }
  NetExchange& Exchange() { return exchange_; }
  NetHandler& Handler() { return handler_; }

  // Until it is set, the gate is open.
  void SetLogGate(std::function<LogGate()> gate) { gate_ = std::move(gate); }

  // Command 0x4031: applies every message waiting, in the order they arrived.
  void HandleIncoming();
  // Commands 0x4032-0x4036: the QSO given as info, sent with the operation.
  void SendQso(int operation, const MessageInfo& record);
  // A finished message text (the QSO dialogs' "DEL:").
  void SendText(const std::string& text);
  // The log receive window's request for QSO n (1 = the first).
  void RequestQso(std::int32_t n);

  // Command 0x4038: the log is emptied (the log window loses its lines with it) and the
  // answers of the other station are taken from now on.  False, changing nothing, while the
  // network does not run (nobody would answer) or the log file is not loaded.
  bool BeginReceivingLog();
  // The log receive window closed: late answers no longer touch the log.
  void EndReceivingLog() { handler_.SetReceivingLog(false); }

  // Whether the settings, once saved, take effect only at the next start: they name another
  // address or port, or switch the exchange on or off.
  bool NeedsRestart(const NetworkSettings& settings) const;

  // The program's end: the thread is stopped, then the network settings are written.  Once.
  void Shutdown();

 private:
  LogGate Gate() const { return gate_ ? gate_() : LogGate::kOpen; }
  bool TakeHeldIfReady();
  static bool Corrects(NetChange change);
  void Apply(const NetResult& r);
  void EndOfLog();

  Station& station_;
  NetExchange exchange_;
  NetHandler handler_;
  ExchangeLink link_;
  std::optional<NetEndpoint> endpoint_;  // where the running thread sends; nullopt: none runs
  std::unique_ptr<NetThread> thread_;
  std::function<LogGate()> gate_;
  bool held_ = false;   // messages wait for the log file to be loaded
  bool ended_ = false;  // the whole log has arrived; the program is ending
  bool shutDown_ = false;
};

// The log receive window without a terminal: the number of the next QSO to ask for, asked on
// every tick on which nothing waits to be sent, raised by each QSO of the transfer.  Attached
// to the bus while it lives; its end stops the transfer.
class LogReceiver final : public MessageTarget {
 public:
  LogReceiver(NetworkSession& session, CommandBus& bus);
  ~LogReceiver() override;
  LogReceiver(const LogReceiver&) = delete;
  LogReceiver& operator=(const LogReceiver&) = delete;

  // 0 until the first message reaches it.  Wider than a log position: a full log of 65535
  // QSOs needs request 65536 to hear its end.
  std::int32_t Counter() const { return counter_; }
  void HandleMessage(Message& m) override;
  Changes TakeChanges() { return std::exchange(pending_, changed::kNothing); }

 private:
  NetworkSession& session_;
  CommandBus& bus_;
  std::int32_t counter_ = 0;
  Changes pending_ = changed::kAll;
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
