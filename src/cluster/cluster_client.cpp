#include "cluster/cluster_client.h"

#include <algorithm>

#include "cluster/telnet_reader.h"
#include "util/strings.h"

namespace vk {

namespace {

using namespace std::chrono_literals;

constexpr auto kConnectLimit = 3s;
constexpr auto kReadSlice = 100ms;

bool EndsWithWord(std::string_view text, std::string_view word) {
  std::string t = UpperCase(Trim(text));
  while (!t.empty() && (t.back() == ':' || t.back() == '>' || t.back() == ' ')) t.pop_back();
  return t.ends_with(word);
}

bool IsLoginPrompt(std::string_view text) {
  return EndsWithWord(text, "LOGIN") || EndsWithWord(text, "CALL") ||
         EndsWithWord(text, "CALLSIGN");
}

bool IsPasswordPrompt(std::string_view text) {
  return EndsWithWord(text, "PASSWORD");
}

bool IsPrompt(std::string_view text) {
  return !text.empty() && (IsLoginPrompt(text) || IsPasswordPrompt(text));
}

}  // namespace

ClusterClient::ClusterClient(ClusterSettings settings, std::string loginCall,
                             ClusterSocketFactory factory, ClusterBackoff backoff)
    : settings_(std::move(settings)),
      loginCall_(settings_.loginCall.empty() ? std::move(loginCall) : settings_.loginCall),
      factory_(std::move(factory)),
      backoff_(backoff) {}

ClusterClient::~ClusterClient() {
  Stop();
}

void ClusterClient::Start() {
  if (thread_.joinable()) return;
  stop_.store(false);
  thread_ = std::thread([this] { Run(); });
}

void ClusterClient::Stop() {
  {
    std::lock_guard lock(mutex_);
    stop_.store(true, std::memory_order_release);
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  connected_.store(false, std::memory_order_release);
}

std::vector<std::string> ClusterClient::TakeLines() {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out(std::make_move_iterator(received_.begin()),
                               std::make_move_iterator(received_.end()));
  received_.clear();
  return out;
}

bool ClusterClient::Send(std::string line) {
  if (line.find_first_of("\r\n") != std::string::npos) return false;
  std::lock_guard lock(mutex_);
  if (outgoing_.size() >= kMaxQueuedCommands) return false;
  outgoing_.push_back(std::move(line));
  return true;
}

bool ClusterClient::Pause(std::chrono::milliseconds d) {
  std::unique_lock lock(mutex_);
  return !wake_.wait_for(lock, d, [this] { return stop_.load(std::memory_order_acquire); });
}

void ClusterClient::Run() {
  auto wait = backoff_.first;
  while (!stop_.load(std::memory_order_acquire)) {
    std::unique_ptr<ClusterSocket> socket = factory_();
    if (socket != nullptr &&
        socket->Connect(settings_.host, settings_.port, kConnectLimit, &stop_)) {
      connections_.fetch_add(1, std::memory_order_acq_rel);
      connected_.store(true, std::memory_order_release);
      wait = backoff_.first;
      Session(*socket);
      connected_.store(false, std::memory_order_release);
      socket->Close();
    }
    if (!Pause(wait)) break;
    wait = std::min(wait * 2, backoff_.most);
  }
}

void ClusterClient::Session(ClusterSocket& socket) {
  TelnetReader reader;
  login_ = Login::kWaitCall;
  std::string bytes;
  std::string reply;
  std::vector<std::string> lines;
  while (!stop_.load(std::memory_order_acquire)) {
    if (login_ == Login::kReady && !SendQueued(socket)) return;
    bytes.clear();
    const ClusterRead r = socket.Read(bytes, kReadSlice);
    if (r == ClusterRead::kClosed) return;
    if (r == ClusterRead::kTimeout) continue;
    reply.clear();
    lines.clear();
    reader.Feed(bytes, lines, reply);
    if (!reply.empty() && !socket.Write(reply)) return;
    for (const std::string& l : lines) {
      if (!AnswerPrompt(l, socket)) return;
    }
    // Prompts end without a line end; once logged in an unfinished line is just unfinished.
    if (login_ != Login::kReady && IsPrompt(reader.Partial())) {
      const std::string prompt(reader.Partial());
      if (!AnswerPrompt(prompt, socket)) return;
      lines.push_back(prompt);  // the console shows the prompt too
      reader.ClearPartial();
    }
    Deliver(lines);
  }
}

// The login dialogue: the call at the login prompt, the password at the password prompt, then
// the commands.  A node that asks for no password is ready once it sends anything else.
bool ClusterClient::AnswerPrompt(std::string_view text, ClusterSocket& socket) {
  switch (login_) {
    case Login::kWaitCall:
      if (!IsLoginPrompt(text)) return true;
      if (!socket.Write(loginCall_ + "\r\n")) return false;
      login_ = Login::kWaitPassword;
      return true;
    case Login::kWaitPassword:
      if (IsPasswordPrompt(text)) {
        if (!socket.Write(settings_.password + "\r\n")) return false;
      } else if (Trim(text).empty() || Trim(text) == loginCall_) {
        return true;  // a blank line, or the node echoing the call: the password may follow
      }
      login_ = Login::kReady;
      for (const std::string& c : settings_.CommandList()) {
        if (!socket.Write(c + "\r\n")) return false;
      }
      return true;
    case Login::kReady:
      return true;
  }
  return true;
}

bool ClusterClient::SendQueued(ClusterSocket& socket) {
  std::deque<std::string> out;
  {
    std::lock_guard lock(mutex_);
    out.swap(outgoing_);
  }
  for (const std::string& c : out) {
    if (!socket.Write(c + "\r\n")) return false;
  }
  return true;
}

void ClusterClient::Deliver(std::vector<std::string>& lines) {
  if (lines.empty()) return;
  std::lock_guard lock(mutex_);
  for (std::string& l : lines) received_.push_back(std::move(l));
  while (received_.size() > kMaxQueuedLines) received_.pop_front();
}

}  // namespace vk
