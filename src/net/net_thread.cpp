#include "net/net_thread.h"

#include <algorithm>
#include <utility>

#include "log/journal.h"
#include "net/net_message.h"
#include "util/strings.h"

namespace vk {

std::optional<NetEndpoint> NetEndpointOf(const NetworkSettings& settings) {
  if (settings.enable <= 0) return std::nullopt;
  const std::optional<std::uint16_t> port = ParseNetPort(settings.port);
  if (!port) {
    JournalAppend("NET:->no network: PORT \"" + PrintableText(settings.port) + "\" is not a port");
    return std::nullopt;
  }
  return NetEndpoint{Trim(settings.ip), *port};
}

NetWorker::NetWorker(NetExchange& exchange, NetEndpoint where, UdpSocketFactory makeSocket,
                     Sleeper sleep)
    : exchange_(exchange),
      where_(std::move(where)),
      makeSocket_(std::move(makeSocket)),
      sleep_(std::move(sleep)) {
  if (!sleep_) sleep_ = [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); };
  if (!makeSocket_) makeSocket_ = MakeNullUdpSocket;
}

NetWorker::~NetWorker() {
  Close();
}

void NetWorker::Open() {
  Close();
  out_ = makeSocket_();
  in_ = makeSocket_();
  const std::string to = PrintableText(where_.address) + ":" + IntToStr(where_.port);
  if (!out_->Create() || !out_->SetDestination(where_.address, where_.port)) {
    JournalAppend("NET:->cannot send to " + to);
  }
  if (!in_->Create() || !in_->Bind(where_.port)) {
    JournalAppend("NET:->cannot listen on port " + IntToStr(where_.port));
  }
}

void NetWorker::Close() {
  if (out_) out_->Close();
  if (in_) in_->Close();
  out_.reset();
  in_.reset();
}

void NetWorker::Run() {
  Open();
  while (!exchange_.StopRequested()) Pass();
  Close();
}

void NetWorker::Pass() {
  sleep_(kNetPassSleep);
  SendStep();
  ReceiveStep();
}

void NetWorker::SendStep() {
  if (!out_) return;
  int sent = 0;
  while (sent < kNetMaxSendsPerPass) {
    std::optional<std::string> message = exchange_.TakeOutgoing();
    if (!message) break;
    JournalAppend("NET_TX:->" + *message);
    out_->Send(*message);
    ++sent;
  }
  if (sent > 0) return;
  if (++idlePasses_ >= kHeloIdlePasses) {
    idlePasses_ = 0;
    out_->Send(HeloMessage(exchange_.OwnChecksum()));
  }
}

void NetWorker::ReceiveStep() {
  if (!in_) return;
  // The wait for a datagram is cut into short slices: a message the operator (or a whole-log
  // transfer, which asks and answers once per QSO) queues meanwhile then leaves on the next
  // pass instead of after the whole wait.
  std::chrono::milliseconds waited{0};
  int taken = 0;
  while (taken < kNetMaxReceivesPerPass) {
    const std::chrono::milliseconds limit =
        taken > 0 ? std::chrono::milliseconds(0)  // only what has already arrived
                  : std::min(kNetReceiveSlice, kNetReceiveLimit - waited);
    const ReceiveResult r = in_->Receive(datagram_, limit);
    if (r == ReceiveResult::kError) {
      // No receiving socket: wait as a receive would, so that the reports keep their pace.
      if (taken == 0 && waited.count() == 0) sleep_(kNetReceiveLimit);
      return;
    }
    if (r == ReceiveResult::kTimeout) {
      if (taken > 0) return;
      waited += limit;
      if (waited >= kNetReceiveLimit || exchange_.SendRequest() || exchange_.StopRequested()) {
        return;
      }
      continue;
    }
    Take(datagram_);
    ++taken;
  }
}

void NetWorker::Take(const std::string& datagram) {
  const std::string fault = DatagramFault(datagram);
  if (!fault.empty()) {
    JournalAppend("NET_SKIP:->" + fault + ": " + PrintableText(datagram));
    return;
  }
  // Checksum reports come several times a second from every station: they go to the flag and
  // never to the journal.
  if (datagram.starts_with(kHeloKeyword)) {
    const NetMessage m = ParseNetMessage(datagram);
    if (m.verb == NetVerb::kHelo) {
      exchange_.PutChecksum(static_cast<std::uint32_t>(m.number));
    } else {
      JournalAppend("NET_SKIP:->" + m.fault + ": " + datagram);
    }
    return;
  }
  JournalAppend("NET_RX:->" + datagram);
  exchange_.PutIncoming(datagram);
}

NetThread::NetThread(NetExchange& exchange, NetEndpoint where, UdpSocketFactory makeSocket)
    : exchange_(exchange) {
  thread_ = std::thread([&exchange, where = std::move(where), make = std::move(makeSocket)] {
    NetWorker worker(exchange, where, make);
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
  std::optional<NetEndpoint> where = NetEndpointOf(settings);
  if (!where) return nullptr;
  return std::make_unique<NetThread>(exchange, std::move(*where), std::move(makeSocket));
}

}  // namespace vk
