#include "cluster/cluster_hub.h"

#include <chrono>
#include <cstdio>

namespace vk {

namespace {

std::int64_t SteadySeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

ClusterHub::ClusterHub(NowFn now) : now_(now ? std::move(now) : NowFn(SteadySeconds)) {}

ClusterHub::~ClusterHub() {
  Stop();
}

void ClusterHub::Configure(const ClusterSettings& settings, const std::string& ownCall,
                           ClusterSocketFactory factory, ClusterBackoff backoff) {
  Stop();
  settings_ = settings;
  spots_.SetMaxAge(settings.maxAgeMinutes * 60);
  if (!settings.Enabled()) {
    spots_.Clear();  // unassisted: no spot may stay on screen
    ++version_;
    return;
  }
  client_ = std::make_unique<ClusterClient>(settings, ownCall, std::move(factory), backoff);
  client_->Start();
  ++version_;
}

void ClusterHub::Stop() {
  if (client_ == nullptr) return;
  client_->Stop();
  client_.reset();
  ++version_;
}

bool ClusterHub::Poll() {
  bool changed = false;
  if (const bool c = Connected(); c != wasConnected_) {
    wasConnected_ = c;
    changed = true;
  }
  if (client_ != nullptr) {
    for (const std::string& l : client_->TakeLines()) changed |= Take(l);
  }
  const std::int64_t now = now_();
  if (now != lastPrune_) {
    lastPrune_ = now;
    changed |= spots_.Prune(now);
  }
  if (changed) ++version_;
  return changed;
}

bool ClusterHub::Take(const std::string& line) {
  AddConsoleLine(line);
  if (!settings_.assisted) return true;
  Spot s;
  if (ParseSpotLine(line, s)) {
    s.seen = now_();
    spots_.Add(std::move(s));
  }
  ++version_;
  return true;
}

bool ClusterHub::SendCommand(const std::string& line) {
  if (client_ == nullptr || line.empty() || line.size() > kMaxClusterLine) return false;
  if (!client_->Send(line)) return false;
  AddConsoleLine("> " + line);
  ++version_;
  return true;
}

bool ClusterHub::SpotQso(Freq freq, const std::string& call, const std::string& comment) {
  if (freq <= 0 || call.empty()) return false;
  return SendCommand(SpotCommand(freq, call, comment));
}

void ClusterHub::AddConsoleLine(std::string line) {
  console_.push_back(std::move(line));
  while (console_.size() > kConsoleLines) console_.pop_front();
}

std::string SpotCommand(Freq freq, const std::string& call, const std::string& comment) {
  char khz[24];
  std::snprintf(khz, sizeof khz, "%d.%d", freq / 10, freq % 10);
  std::string out = "DX ";
  out += khz;
  out += ' ';
  out += call;
  if (!comment.empty()) {
    out += ' ';
    out += comment;
  }
  return out;
}

}  // namespace vk
