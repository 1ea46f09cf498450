#include "app/network_session.h"

#include <cstring>
#include <utility>

#include "log/journal.h"
#include "net/net_message.h"
#include "util/strings.h"

namespace vk {
namespace {

// A socket that listens on a port of its own instead of the one the thread asks for.
class ListenPortSocket final : public UdpSocket {
 public:
  ListenPortSocket(std::unique_ptr<UdpSocket> inner, std::uint16_t port)
      : inner_(std::move(inner)), port_(port) {}
  bool Create() override { return inner_->Create(); }
  bool SetDestination(const std::string& address, std::uint16_t port) override {
    return inner_->SetDestination(address, port);
  }
  bool Bind(std::uint16_t) override { return inner_->Bind(port_); }
  bool Send(std::string_view datagram) override { return inner_->Send(datagram); }
  ReceiveResult Receive(std::string& datagram, std::chrono::milliseconds limit) override {
    return inner_->Receive(datagram, limit);
  }
  void Close() override { inner_->Close(); }

 private:
  std::unique_ptr<UdpSocket> inner_;
  std::uint16_t port_;
};

UdpSocketFactory WithListenPort(UdpSocketFactory make, std::uint16_t port) {
  return [make = std::move(make), port]() -> std::unique_ptr<UdpSocket> {
    return std::make_unique<ListenPortSocket>(make ? make() : MakeNullUdpSocket(), port);
  };
}

bool SameEndpoint(const std::optional<NetEndpoint>& a, const std::optional<NetEndpoint>& b) {
  if (!a || !b) return a.has_value() == b.has_value();
  return a->address == b->address && a->port == b->port;
}

std::string Cut(const std::string& text, std::size_t width) {
  return text.substr(0, width);
}

}  // namespace

std::optional<std::uint16_t> ListenPortOverride(const char* text) {
  if (text == nullptr) return std::nullopt;
  return ParseNetPort(std::string_view(text, std::strlen(text)));
}

NetworkSession::NetworkSession(Station& station, NetworkOptions options)
    : station_(station),
      handler_(station.Log(), station.Rules(), station.Totals(), exchange_),
      link_(exchange_, [this] { return TakeHeldIfReady(); }) {
  const NetworkSettings& settings = station_.Settings().network;
  UdpSocketFactory make = std::move(options.makeSocket);
  if (options.listenPort) make = WithListenPort(std::move(make), *options.listenPort);
  thread_ = StartNetwork(exchange_, settings, std::move(make));
  if (thread_ != nullptr) endpoint_ = NetEndpointOf(settings);
}

NetworkSession::~NetworkSession() {
  // The thread must not outlive the exchange record it shares; the settings are written only
  // by an orderly Shutdown.
  thread_.reset();
}

bool NetworkSession::TakeHeldIfReady() {
  if (!held_ || Gate() == LogGate::kWait) return false;
  held_ = false;
  return true;
}

void NetworkSession::HandleIncoming() {
  switch (Gate()) {
    case LogGate::kWait:
      held_ = true;
      return;
    case LogGate::kClosed:
      // Without a contest the log file is never loaded: a QSO put into the empty log would be
      // written over the file at the end.
      while (std::optional<std::string> text = exchange_.TakeIncoming()) {
        JournalAppend("NET_SKIP:->no contest loaded: " + PrintableText(*text));
      }
      return;
    case LogGate::kOpen:
      break;
  }
  held_ = false;
  bool corrected = false;
  while (!ended_) {
    std::optional<std::string> text = exchange_.TakeIncoming();
    if (!text) break;
    const NetResult r = handler_.HandleMessage(*text);
    Apply(r);
    corrected |= Corrects(r.change);
  }
  // Once for everything that arrived together: the log scored again in order (a received
  // QSO may be a dupe, an edit or delete may move a multiplier) and written before the
  // operator relies on what the windows show.
  if (corrected && !ended_) {
    if (const Status s = station_.RescoreAndSave(); !s) {
      JournalAppend("Log not saved after a change from the group: " + s.message);
    }
  }
}

// Changes that leave the log's figures to be worked out again.  QSOs of a whole-log transfer
// are scored once, when the whole log is in.
bool NetworkSession::Corrects(NetChange change) {
  return change == NetChange::kAppended || change == NetChange::kInserted ||
         change == NetChange::kEdited || change == NetChange::kDeleted;
}

void NetworkSession::Apply(const NetResult& r) {
  CommandBus& bus = station_.Bus();
  const MessageInfo at = MessageInfo::Number(r.position);
  bool logChanged = false;
  switch (r.change) {
    case NetChange::kNone:
      break;
    case NetChange::kAppended:
      bus.Broadcast(cm::kQsoAppended, at);
      bus.Broadcast(cm::kLogChanged);
      logChanged = true;
      bus.SendCommand(cm::kRefreshTxNr);
      break;
    case NetChange::kInserted:
      bus.Broadcast(cm::kQsoInserted, at);
      bus.Broadcast(cm::kLogChanged);
      logChanged = true;
      break;
    case NetChange::kEdited:
      bus.Broadcast(cm::kQsoEdited, at);
      bus.SendCommand(cm::kRefreshTxNr);
      break;
    case NetChange::kDeleted:
      bus.Broadcast(cm::kQsoDeleted, at);
      break;
    case NetChange::kLogQso:
      bus.Broadcast(cm::kWholeLogQso);
      bus.Broadcast(cm::kQsoInserted, at);
      break;
    case NetChange::kEndOfLog:
      EndOfLog();
      return;
  }
  if (r.totalsRebuilt && !logChanged) bus.Broadcast(cm::kLogChanged);
}

void NetworkSession::EndOfLog() {
  if (const Status s = station_.RescoreAndSave(); !s) {
    // Ending now would lose the received log with the file; the operator still holds it and
    // Alt+X tries the file again.
    JournalAppend("ENDLOG: log not written, the program goes on: " + s.message);
    return;
  }
  ended_ = true;
  station_.Bus().PostCommand(cm::kQuit);
}

void NetworkSession::SendQso(int operation, const MessageInfo& record) {
  // Nothing drains the queue while the thread does not run.
  if (!Running()) return;
  handler_.SendQso(operation, record.pointer<const QsoRecord>());
}

void NetworkSession::SendText(const std::string& text) {
  if (Running()) exchange_.Send(text);
}

void NetworkSession::RequestQso(std::int32_t n) {
  if (Running()) handler_.RequestQso(n);
}

bool NetworkSession::BeginReceivingLog() {
  // Before the log file is loaded the answers would wait and the file then load under them;
  // without a contest they are dropped and the transfer would never end.
  if (!Running() || Gate() != LogGate::kOpen) return false;
  // The log window keeps a line per QSO; taking them out from the end keeps every position
  // it is told valid, and leaves it with exactly the lines of the log being received.
  CommandBus& bus = station_.Bus();
  for (int pos = station_.Log().Count() - 1; pos >= 0; --pos) {
    bus.Broadcast(cm::kQsoDeleted, MessageInfo::Number(pos));
  }
  handler_.BeginReceivingLog();
  bus.Broadcast(cm::kLogChanged);
  return true;
}

bool NetworkSession::NeedsRestart(const NetworkSettings& settings) const {
  return !SameEndpoint(NetEndpointOf(settings), endpoint_);
}

void NetworkSession::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  thread_.reset();
  const std::string path = station_.PathOf(kConfigFileName);
  if (!WriteNetworkSettings(station_.Settings().network, path)) {
    JournalAppend("Network settings not written to " + path);
  }
}

// --- the log receive window ---------------------------------------------------------------------

LogReceiver::LogReceiver(NetworkSession& session, CommandBus& bus) : session_(session), bus_(bus) {
  bus_.Attach(this);
}

LogReceiver::~LogReceiver() {
  bus_.Detach(this);
  session_.EndReceivingLog();
}

void LogReceiver::HandleMessage(Message& m) {
  if (counter_ == 0) {
    counter_ = 1;
    pending_ |= changed::kTexts;
  }
  if (m.what == EventClass::kTick) {
    if (!session_.Exchange().SendRequest()) session_.RequestQso(counter_);
    return;
  }
  if (m.what == EventClass::kBroadcast && m.command == cm::kWholeLogQso) {
    ++counter_;
    pending_ |= changed::kTexts;
    m.handled = true;
  }
}

// --- Network setup ------------------------------------------------------------------------------

NetworkSetupForm SetupFormOf(const NetworkSettings& settings) {
  return {Cut(settings.ip, kSetupAddressLength), Cut(settings.port, kSetupPortLength),
          settings.enable > 0 ? 1 : 0};
}

NetworkSettings ApplySetupForm(const NetworkSettings& stored, const NetworkSetupForm& form) {
  const NetworkSetupForm shown = SetupFormOf(stored);
  NetworkSettings out = stored;
  if (form.address != shown.address) out.ip = form.address;
  if (form.port != shown.port) out.port = form.port;
  if (form.enable != shown.enable) out.enable = form.enable;
  return out;
}

}  // namespace vk
