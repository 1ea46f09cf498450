#include "net/net_thread.h"

#include <algorithm>
#include <utility>

#include "log/journal.h"
#include "net/net_message.h"
#include "util/strings.h"

namespace vk {

namespace {

std::vector<std::string> SplitAddresses(std::string_view text) {
  std::vector<std::string> out;
  std::string cur;
  for (char c : text) {
    if (c == ',' || c == ' ' || c == ';' || c == '\t') {
      if (!cur.empty()) out.push_back(std::move(cur));
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) out.push_back(std::move(cur));
  return out;
}

// A destination that reaches a whole network rather than one station.
bool ReachesMany(std::uint32_t a, const std::vector<LocalNet>& nets) {
  if (IsMulticast(a) || a == 0xFFFFFFFFu) return true;
  return std::any_of(nets.begin(), nets.end(),
                     [&](const LocalNet& n) { return n.broadcast != 0 && n.broadcast == a; });
}

void AddPeer(std::vector<std::uint32_t>& peers, std::uint32_t a) {
  if (std::find(peers.begin(), peers.end(), a) == peers.end()) peers.push_back(a);
}

}  // namespace

std::optional<NetEndpoint> NetEndpointOf(const NetworkSettings& settings,
                                         const std::vector<LocalNet>& localNets, Journal* journal) {
  if (settings.enable <= 0) return std::nullopt;
  const std::optional<std::uint16_t> port = ParseNetPort(settings.port);
  if (!port) {
    JournalAppend(journal,
                  "NET:->no network: PORT \"" + PrintableText(settings.port) + "\" is not a port");
    return std::nullopt;
  }
  NetEndpoint e;
  e.port = *port;
  e.destinations = SplitAddresses(settings.ip);
  e.address = e.destinations.empty() ? Trim(settings.ip) : e.destinations.front();
  if (e.destinations.empty()) e.destinations.push_back(e.address);
  for (const std::string& d : e.destinations) {
    const std::optional<std::uint32_t> a = ParseIpv4(d);
    if (a && !ReachesMany(*a, localNets)) AddPeer(e.peers, *a);
  }
  // A group reached by broadcast or multicast alone is the local network, unless PEERS names
  // its stations.
  bool listed = false;
  for (const std::string& p : SplitAddresses(settings.peers)) {
    if (const std::optional<std::uint32_t> a = ParseIpv4(p)) {
      AddPeer(e.peers, *a);
      listed = true;
    } else {
      JournalAppend(journal, "NET:->PEERS: \"" + PrintableText(p) + "\" is not an IPv4 address");
    }
  }
  const bool groupWide = e.peers.size() < e.destinations.size();
  if (groupWide && !listed) e.peers.clear();
  e.anyHost = groupWide && !listed;
  e.key = settings.key;
  return e;
}

NetWorker::NetWorker(NetExchange& exchange, NetEndpoint where, UdpSocketFactory makeSocket,
                     Sleeper sleep, LocalNets localNets, Clock clock)
    : exchange_(exchange),
      where_(std::move(where)),
      makeSocket_(std::move(makeSocket)),
      sleep_(std::move(sleep)),
      localNets_(std::move(localNets)),
      clock_(std::move(clock)) {
  if (!sleep_) {
    sleep_ = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
    if (!clock_) clock_ = [] { return std::chrono::steady_clock::now(); };
  }
  if (!makeSocket_) makeSocket_ = MakeNullUdpSocket;
  // An endpoint of one address and port alone: that address is the group.
  if (where_.destinations.empty()) {
    where_.destinations.push_back(where_.address);
    const std::optional<std::uint32_t> a = ParseIpv4(where_.address);
    if (a && where_.peers.empty() && !IsMulticast(*a) && *a != 0xFFFFFFFFu) {
      where_.peers.push_back(*a);
    }
  }
}

NetWorker::~NetWorker() {
  Close();
}

std::chrono::steady_clock::time_point NetWorker::Now() const {
  return clock_ ? clock_() : std::chrono::steady_clock::time_point(counted_);
}

void NetWorker::Sleep(std::chrono::milliseconds ms) {
  sleep_(ms);
  counted_ += ms;
}

void NetWorker::Open() {
  Close();
  lastHelo_ = Now();
  NetGuardConfig guard{where_.peers, localNets_ ? localNets_() : std::vector<LocalNet>{},
                       where_.key, where_.guardFile};
  guard_ = std::make_unique<NetGuard>(std::move(guard));
  std::vector<std::uint16_t> ownPorts;
  std::vector<std::string> destinations = where_.destinations;
  if (destinations.empty()) destinations.push_back(where_.address);
  for (const std::string& d : destinations) {
    auto out = makeSocket_();
    if (!out->Create() || !out->SetDestination(d, where_.port)) {
      JournalAppend(exchange_.journal(),
                    "NET:->cannot send to " + PrintableText(d) + ":" + IntToStr(where_.port));
    }
    ownPorts.push_back(out->LocalPort());
    outs_.push_back(std::move(out));
  }
  guard_->SetOwnPorts(std::move(ownPorts));
  in_ = makeSocket_();
  if (!in_->Create() || !in_->Bind(where_.port)) {
    JournalAppend(exchange_.journal(), "NET:->cannot listen on port " + IntToStr(where_.port));
  }
  for (const std::string& d : destinations) {
    const std::optional<std::uint32_t> a = ParseIpv4(d);
    if (a && IsMulticast(*a) && !in_->JoinGroup(d)) {
      JournalAppend(exchange_.journal(), "NET:->cannot join multicast group " + PrintableText(d));
    }
  }
}

void NetWorker::Close() {
  if (guard_) guard_->Persist(true);
  for (auto& out : outs_) out->Close();
  if (in_) in_->Close();
  outs_.clear();
  in_.reset();
}

void NetWorker::Run() {
  Open();
  while (!exchange_.StopRequested()) Pass();
  Close();
}

void NetWorker::Pass() {
  if (!busy_) Sleep(kNetPassSleep);
  const int sent = SendStep();
  const int taken = ReceiveStep();
  busy_ = taken > 0 || (sent > 0 && exchange_.SendRequest());
}

void NetWorker::SendAll(std::string_view message) {
  const std::string sealed = guard_ ? guard_->Seal(message) : std::string(message);
  for (auto& out : outs_) out->Send(sealed);
}

int NetWorker::SendStep() {
  if (outs_.empty()) return 0;
  int sent = 0;
  while (sent < kNetMaxSendsPerPass) {
    std::optional<std::string> message = exchange_.TakeOutgoing();
    if (!message) break;
    // The log's own messages are journalled; the stations' bookkeeping is not.
    if (!IsSyncMessage(*message)) txJournal_.Append("NET_TX:->" + *message);
    SendAll(*message);
    ++sent;
  }
  if (sent > 0) return sent;
  const auto now = Now();
  if (now - lastHelo_ >= kHeloInterval) {
    // On the beat rather than from now, so the pass length does not stretch the period.
    lastHelo_ = now - lastHelo_ >= 2 * kHeloInterval ? now : lastHelo_ + kHeloInterval;
    SendAll(HeloMessage(exchange_.OwnChecksum()));
  }
  return 0;
}

int NetWorker::ReceiveStep() {
  if (!in_) return 0;
  // The wait for a datagram is cut into short slices: a message the operator (or a whole-log
  // transfer) queues meanwhile then leaves on the next pass instead of after the whole wait.
  std::chrono::milliseconds waited{0};
  int taken = 0;
  while (taken < kNetMaxReceivesPerPass) {
    const std::chrono::milliseconds limit =
        taken > 0 || busy_ ? std::chrono::milliseconds(0)  // only what has already arrived
                           : std::min(kNetReceiveSlice, kNetReceiveLimit - waited);
    const ReceiveResult r = in_->Receive(datagram_, limit);
    if (r == ReceiveResult::kError) {
      // No receiving socket: wait as a receive would, so that the reports keep their pace.
      if (taken == 0 && waited.count() == 0) Sleep(kNetReceiveLimit);
      return taken;
    }
    if (r == ReceiveResult::kTimeout) {
      if (taken > 0 || busy_) return taken;
      waited += limit;
      counted_ += limit;
      if (waited >= kNetReceiveLimit || exchange_.SendRequest() || exchange_.StopRequested()) {
        return taken;
      }
      continue;
    }
    Take(datagram_);
    ++taken;
  }
  return taken;
}

void NetWorker::Take(std::string& datagram) {
  std::uint32_t address = 0;
  std::uint16_t port = 0;
  const bool known = in_->LastSender(address, port);
  switch (guard_ ? guard_->Check(datagram, known, address, port) : NetVerdict::kTake) {
    case NetVerdict::kTake:
      break;
    case NetVerdict::kOwn:
      return;
    case NetVerdict::kForeign:
      exchange_.CountRefused();
      rxJournal_.Append("NET_SKIP:->datagram from " + FormatIpv4(address) +
                        ", not a station of the group");
      return;
    case NetVerdict::kBadSignature:
      exchange_.CountRefused();
      rxJournal_.Append("NET_SKIP:->datagram from " + FormatIpv4(address) +
                        " without the group's signature");
      return;
  }
  const std::string fault = DatagramFault(datagram);
  if (!fault.empty()) {
    rxJournal_.Append("NET_SKIP:->" + fault + ": " + PrintableText(datagram));
    return;
  }
  // Checksum reports come several times a second from every station: they go to the flag and
  // never to the journal.
  if (datagram.starts_with(kHeloKeyword)) {
    const NetMessage m = ParseNetMessage(datagram);
    if (m.verb == NetVerb::kHelo) {
      exchange_.PutChecksum(static_cast<std::uint32_t>(m.number));
    } else {
      rxJournal_.Append("NET_SKIP:->" + m.fault + ": " + datagram);
    }
    return;
  }
  if (!IsSyncMessage(datagram)) rxJournal_.Append("NET_RX:->" + datagram);
  exchange_.PutIncoming(datagram);
}

NetThread::NetThread(NetExchange& exchange, NetEndpoint where, UdpSocketFactory makeSocket,
                     NetWorker::LocalNets localNets)
    : exchange_(exchange) {
  thread_ = std::thread([&exchange, where = std::move(where), make = std::move(makeSocket),
                         nets = std::move(localNets)] {
    NetWorker worker(exchange, where, make, {}, nets);
    worker.Run();
  });
}

NetThread::~NetThread() {
  Stop();
}

void NetThread::Stop() {
  exchange_.RequestStop();
  if (thread_.joinable()) thread_.join();
}

std::unique_ptr<NetThread> StartNetwork(NetExchange& exchange, const NetworkSettings& settings,
                                        UdpSocketFactory makeSocket) {
  std::optional<NetEndpoint> where = NetEndpointOf(settings, {}, exchange.journal());
  if (!where) return nullptr;
  return std::make_unique<NetThread>(exchange, std::move(*where), std::move(makeSocket));
}

}  // namespace vk
