#include "net/fake_udp.h"

#include <deque>
#include <map>
#include <mutex>
#include <utility>

#include "util/strings.h"

namespace vk {

struct FakeUdpNetwork::State {
  mutable std::mutex mu;
  long long nowMs = 0;
  struct Datagram {
    std::string text;
    std::string fromAddress;
    std::uint16_t fromPort = 0;
  };
  std::map<std::string, std::deque<Datagram>> queues;  // by "address:port", while bound
  std::uint16_t nextPort = 50000;                      // the ports sending sockets leave from
  std::vector<FakeUdpEvent> events;

  void Record(FakeUdpEvent e) {
    e.ms = nowMs;
    events.push_back(std::move(e));
  }
  void Deliver(const std::string& from, std::uint16_t fromPort, const std::string& to,
               std::string_view datagram) {
    std::lock_guard<std::mutex> lock(mu);
    auto it = queues.find(to);
    const bool bound = it != queues.end();
    Record({0, bound ? "send" : "drop", from, to, std::string(datagram), 0});
    if (bound) it->second.push_back({std::string(datagram), from, fromPort});
  }
};

namespace {

std::string Endpoint(const std::string& address, std::uint16_t port) {
  return address + ":" + IntToStr(port);
}

class FakeUdpSocket final : public UdpSocket {
 public:
  FakeUdpSocket(std::shared_ptr<FakeUdpNetwork::State> net, std::string ownAddress)
      : net_(std::move(net)), own_(std::move(ownAddress)) {}
  ~FakeUdpSocket() override { Close(); }

  bool Create() override {
    created_ = true;
    return true;
  }
  bool SetDestination(const std::string& address, std::uint16_t port) override {
    if (!created_ || port == 0 || address.empty()) return false;
    to_ = Endpoint(address, port);
    std::lock_guard<std::mutex> lock(net_->mu);
    localPort_ = net_->nextPort++;
    return true;
  }
  bool Bind(std::uint16_t port) override {
    if (!created_ || !bound_.empty()) return false;
    std::lock_guard<std::mutex> lock(net_->mu);
    const std::string at = Endpoint(own_, port);
    if (!net_->queues.try_emplace(at).second) return false;  // in use, as the system says
    bound_ = at;
    return true;
  }
  bool Send(std::string_view datagram) override {
    if (!created_ || to_.empty()) return false;
    net_->Deliver(own_, localPort_, to_, datagram);
    return true;
  }
  ReceiveResult Receive(std::string& datagram, std::chrono::milliseconds limit) override {
    datagram.clear();
    if (bound_.empty()) return ReceiveResult::kError;
    std::lock_guard<std::mutex> lock(net_->mu);
    auto& q = net_->queues[bound_];
    // The fake never waits: the test's clock decides what time it is, not the wall clock.
    if (q.empty()) {
      net_->Record({0, "timeout", own_, bound_, {}, limit.count()});
      return ReceiveResult::kTimeout;
    }
    datagram = std::move(q.front().text);
    senderAddress_ = ParseIpv4(q.front().fromAddress).value_or(0);
    senderPort_ = q.front().fromPort;
    q.pop_front();
    net_->Record({0, "receive", own_, bound_, datagram, limit.count()});
    return ReceiveResult::kDatagram;
  }
  bool LastSender(std::uint32_t& address, std::uint16_t& port) const override {
    address = senderAddress_;
    port = senderPort_;
    return senderAddress_ != 0;
  }
  std::uint16_t LocalPort() const override { return localPort_; }

  void Close() override {
    if (!bound_.empty()) {
      std::lock_guard<std::mutex> lock(net_->mu);
      net_->queues.erase(bound_);
    }
    bound_.clear();
    created_ = false;
  }

 private:
  std::shared_ptr<FakeUdpNetwork::State> net_;
  std::string own_;
  std::string to_;
  std::string bound_;
  bool created_ = false;
  std::uint16_t localPort_ = 0;
  std::uint32_t senderAddress_ = 0;
  std::uint16_t senderPort_ = 0;
};

}  // namespace

FakeUdpNetwork::FakeUdpNetwork() : state_(std::make_shared<State>()) {}
FakeUdpNetwork::~FakeUdpNetwork() = default;

std::unique_ptr<UdpSocket> FakeUdpNetwork::MakeSocket(const std::string& ownAddress) {
  return std::make_unique<FakeUdpSocket>(state_, ownAddress);
}

UdpSocketFactory FakeUdpNetwork::Factory(const std::string& ownAddress) {
  return [state = state_, ownAddress]() -> std::unique_ptr<UdpSocket> {
    return std::make_unique<FakeUdpSocket>(state, ownAddress);
  };
}

void FakeUdpNetwork::Inject(const std::string& address, std::uint16_t port,
                            std::string_view datagram) {
  state_->Deliver("outside", 0, Endpoint(address, port), datagram);
}

void FakeUdpNetwork::InjectFrom(const std::string& fromAddress, std::uint16_t fromPort,
                                const std::string& address, std::uint16_t port,
                                std::string_view datagram) {
  state_->Deliver(fromAddress, fromPort, Endpoint(address, port), datagram);
}

void FakeUdpNetwork::Advance(long long ms) {
  std::lock_guard<std::mutex> lock(state_->mu);
  state_->nowMs += ms;
}

long long FakeUdpNetwork::NowMs() const {
  std::lock_guard<std::mutex> lock(state_->mu);
  return state_->nowMs;
}

std::vector<FakeUdpEvent> FakeUdpNetwork::Events() const {
  std::lock_guard<std::mutex> lock(state_->mu);
  return state_->events;
}

std::vector<std::string> FakeUdpNetwork::SentFrom(const std::string& address) const {
  std::lock_guard<std::mutex> lock(state_->mu);
  std::vector<std::string> out;
  for (const FakeUdpEvent& e : state_->events) {
    if ((e.what == "send" || e.what == "drop") && e.from == address) out.push_back(e.datagram);
  }
  return out;
}

void FakeUdpNetwork::ClearEvents() {
  std::lock_guard<std::mutex> lock(state_->mu);
  state_->events.clear();
}

}  // namespace vk
