#include "app/network_session.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <utility>

#include "app/new_contest.h"
#include "log/journal.h"
#include "net/net_message.h"
#include "util/atomic_file.h"
#include "util/clock.h"
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
  bool LastSender(std::uint32_t& address, std::uint16_t& port) const override {
    return inner_->LastSender(address, port);
  }
  std::uint16_t LocalPort() const override { return inner_->LocalPort(); }
  bool JoinGroup(const std::string& group) override { return inner_->JoinGroup(group); }

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
  return a->destinations == b->destinations && a->port == b->port;
}

// How many received messages one idle pass applies at most: the keyboard is served between
// passes, so a whole-log transfer must not hold the screen for long.
constexpr int kMessagesPerPass = 2000;

std::string Cut(const std::string& text, std::size_t width) {
  return text.substr(0, width);
}

}  // namespace

int StationNumberOf(const NetworkSettings& settings, const std::vector<LocalNet>& nets,
                    std::optional<std::uint16_t> listenPort) {
  if (settings.station >= 1 && settings.station <= kMaxStationPart) return settings.station;
  std::uint32_t seed = 0;
  for (const LocalNet& n : nets) {
    if ((n.address >> 24) == 127) continue;
    seed = n.address & 0xFF;
    break;
  }
  const std::optional<std::uint16_t> port = ParseNetPort(settings.port);
  if (listenPort && listenPort != port) seed += *listenPort;
  return static_cast<int>(seed % kMaxStationPart) + 1;
}

std::optional<std::uint16_t> ListenPortOverride(const char* text) {
  if (text == nullptr) return std::nullopt;
  return ParseNetPort(std::string_view(text, std::strlen(text)));
}

NetworkSession::NetworkSession(Station& station, NetworkOptions options)
    : station_(station),
      exchange_(station.journal()),
      handler_(station.Book(), exchange_, &station.Time()),
      link_(
          exchange_, [this] { return ServiceDue(); }, [this] { return Repairing(); },
          [this] { return Running(); }) {
  const NetworkSettings& settings = station_.Settings().network;
  const std::vector<LocalNet> nets =
      options.localNets ? options.localNets() : std::vector<LocalNet>{};
  std::optional<NetEndpoint> where = NetEndpointOf(settings, nets, station_.journal());
  if (!where) return;
  if (where->anyHost && where->key.empty()) {
    // Every host of the network could then add, change and delete QSOs in every log of the
    // group, without even forging an address.
    refusal_ = "Network not started: IP=" + where->address +
               " reaches every computer of the network, and without KEY= any of them could "
               "change the group's log.  Put KEY= (the group's secret, the same at every "
               "station) or PEERS= (the stations' addresses) in [NETWORK] of vorkan.cfg.";
    JournalAppend(station_.journal(), "NET:->" + refusal_);
    return;
  }
  where->guardFile = station_.PathOf(kGuardFileName);
  UdpSocketFactory make = std::move(options.makeSocket);
  if (options.listenPort) make = WithListenPort(std::move(make), *options.listenPort);
  thread_ =
      std::make_unique<NetThread>(exchange_, *where, std::move(make), [nets] { return nets; });
  endpoint_ = std::move(where);
  const int number = StationNumberOf(settings, nets, options.listenPort);
  station_.Ids().SetStationPart(number);
  SetSerialStation(number);
  sync_ = std::make_unique<LogSync>(station_.Log(), handler_, exchange_, number);
  handler_.OnChangeSent(
      [this](const std::string& m) { sync_->Track(m, std::chrono::steady_clock::now()); });
  JournalAppend(station_.journal(), "NET:->station number " + IntToStr(number));
  feed_ = station_.Book().Subscribe([this](const LogChange& c) { SendChange(c); });
}

// A change made here goes to the group as it is published; the group's own changes and a
// rescore are not news to the others.
void NetworkSession::SendChange(const LogChange& c) {
  if (!Running() || c.origin == LogOrigin::kGroup || c.origin == LogOrigin::kRules) return;
  const TLogCollection& log = station_.Log();
  const QsoRecord* q = log.At(log.FindByGuid(c.guid));
  switch (c.kind) {
    case LogChangeKind::kAppended:
      handler_.SendQso(SendOperation::kAdd, q);
      return;
    case LogChangeKind::kInserted:
      handler_.SendQso(SendOperation::kInsert, q);
      return;
    case LogChangeKind::kEdited:
      handler_.SendQso(SendOperation::kEdit, q);
      return;
    case LogChangeKind::kDeleted:
      // Remembered, so that no late copy of the QSO brings it back, and retried until the
      // group has it.
      handler_.SendDelete(c.guid);
      SaveDeleted();
      return;
    case LogChangeKind::kRescored:
    case LogChangeKind::kReordered:
      return;
  }
}

NetworkSession::~NetworkSession() {
  if (feed_ != 0) station_.Book().Unsubscribe(feed_);
  // The thread must not outlive the exchange record it shares; the settings are written only
  // by an orderly Shutdown.
  thread_.reset();
  if (sync_) {
    station_.Ids().SetStationPart(0);
    SetSerialStation(0);
  }
}

// A per-station serial continues the QSOs whose Guids carry this station's part.
void NetworkSession::SetSerialStation(int part) {
  SerialPlan plan = station_.Rules().GetSerialPlan();
  plan.stationPart = part;
  station_.Rules().SetSerialPlan(plan);
}

bool NetworkSession::TakeHeldIfReady() {
  if (!held_ || Gate() == LogGate::kWait) return false;
  held_ = false;
  return true;
}

bool NetworkSession::ServiceDue() {
  const bool held = TakeHeldIfReady();
  return held ||
         (sync_ && Gate() == LogGate::kOpen && sync_->Due(std::chrono::steady_clock::now()));
}

bool NetworkSession::Repairing() const {
  if (!sync_) return false;
  // Until the log is loaded, and for a few digest reports after, the peers that repair have
  // not been heard yet: differing checksums then mean nothing to the operator.
  const auto now = std::chrono::steady_clock::now();
  if (Gate() != LogGate::kOpen) return true;
  if (!openedAt_) openedAt_ = now;
  return now - *openedAt_ < kFirstDigests || sync_->PeersHeard(now) > 0;
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
        JournalAppend(station_.journal(), "NET_SKIP:->no contest loaded: " + PrintableText(*text));
      }
      return;
    case LogGate::kOpen:
      break;
  }
  held_ = false;
  if (!deletedLoaded_) LoadDeleted();
  const auto now = std::chrono::steady_clock::now();
  std::vector<NetResult> results;
  for (int n = 0; n < kMessagesPerPass; ++n) {
    std::optional<std::string> text = exchange_.TakeIncoming();
    if (!text) break;
    if (IsSyncMessage(*text)) {
      if (sync_) sync_->Handle(*text, now, results);
      continue;
    }
    results.push_back(handler_.HandleMessage(*text));
    const bool change = text->starts_with(kAddKeyword) || text->starts_with(kEdtKeyword) ||
                        text->starts_with(kDelKeyword) || text->starts_with(kInsKeyword);
    if (change && sync_) sync_->Acknowledge(*text);
  }
  // More may wait: the next pass takes them.
  if (exchange_.PendingIncoming()) held_ = true;
  if (sync_) sync_->Tick(now, results);
  // Scored again in order and durable before shown: a QSO on the screen survives a crash.
  station_.Book().SettleRemote();
  SaveDeleted();
  for (const NetResult& r : results) Apply(r);
}

void NetworkSession::LoadDeleted() {
  deletedLoaded_ = true;
  const std::string path = station_.PathOf(kDeletedFileName);
  if (station_.Log().Empty()) {
    std::remove(path.c_str());
    return;
  }
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (const auto guid = ParseStrictInt(Trim(line), INT32_MIN, INT32_MAX)) {
      handler_.NoteDeleted(static_cast<std::int32_t>(*guid));
    }
  }
  deletedSaved_ = handler_.Tombstones().size();
}

void NetworkSession::SaveDeleted() {
  if (!deletedLoaded_ || handler_.Tombstones().size() == deletedSaved_) return;
  std::string text;
  for (std::int32_t guid : handler_.Tombstones()) text += IntToStr(guid) + "\n";
  if (const Status st = ReplaceFileAtomically(station_.PathOf(kDeletedFileName), text); !st) {
    JournalAppend(station_.journal(), "NET:->deleted Guids not written: " + st.message);
    return;
  }
  deletedSaved_ = handler_.Tombstones().size();
}

// The log's changes reach the windows through the logbook; what is left is the whole-log
// transfer's bookkeeping.
void NetworkSession::Apply(const NetResult& r) {
  if (r.change == NetChange::kEndOfLog) {
    EndOfLog();
    return;
  }
  // Every answer of a whole-log transfer counts, a QSO held already too.
  if (r.answered >= 0) {
    station_.Bus().Broadcast(cm::kWholeLogQso, MessageInfo::Number(r.answered));
  }
}

void NetworkSession::EndOfLog() {
  // The other station has no QSO beyond those asked for; the receive window decides when
  // every answer is in.  The program goes on either way.
  station_.Bus().Broadcast(cm::kWholeLogQso, MessageInfo::Number(-1));
}

void NetworkSession::SendText(const std::string& text) {
  if (!Running()) return;
  // A deletion by dialog: remembered, so that no late copy of the QSO brings it back, and
  // retried until the group has it.
  const NetMessage m = ParseNetMessage(text);
  if (m.verb == NetVerb::kDel && m.number >= INT32_MIN && m.number <= INT32_MAX) {
    handler_.SendDelete(static_cast<std::int32_t>(m.number));
    SaveDeleted();
    return;
  }
  exchange_.Send(text);
}

void NetworkSession::RequestQso(std::int32_t n) {
  if (Running()) handler_.RequestQso(n);
}

bool NetworkSession::BeginReceivingLog() {
  // Before the log file is loaded the answers would wait and the file then load under them;
  // without a contest they are dropped and the transfer would never end.
  if (!Running() || Gate() != LogGate::kOpen) return false;
  // The transfer only adds QSOs, but the operator chose it because the logs differ: the log as
  // it was is kept in arch/ first, and the transfer does not start without that copy.
  ArchiveRequest req{station_.WorkDir(), station_.Settings().main.contest + "-before-receive",
                     station_.Time().LocalNow(), true};
  const ArchiveOutcome archived = ArchiveLog(station_.Log(), req);
  if (!archived.status) {
    JournalAppend(station_.journal(),
                  "NET:->log not received, no copy in arch/: " + archived.status.message);
    return false;
  }
  handler_.BeginReceivingLog();
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
    JournalAppend(station_.journal(), "Network settings not written to " + path);
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
