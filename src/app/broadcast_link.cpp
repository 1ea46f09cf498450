// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/broadcast_link.h"

#include <unistd.h>

#include <cstdio>

#include "app/score_document.h"
#include "log/journal.h"
#include "score/multi_rule.h"
#include "util/strings.h"

namespace vk {
namespace {

std::string HostName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return "VORKAN";
  return name;
}

// 32 hexadecimal digits, as the listeners expect a QSO's ID; the Guid is unique across the
// stations of a group, so the ID is too.
std::string PacketId(std::int32_t guid) {
  char text[33];
  std::snprintf(text, sizeof text, "%024x%08x", 0, static_cast<unsigned>(guid));
  return text;
}

bool MadeHere(LogOrigin o) {
  return o == LogOrigin::kEntry || o == LogOrigin::kEditor;
}

}  // namespace

void BroadcastLink::Start(BroadcastSettings settings) {
  Stop();
  settings_ = std::move(settings);
  if (!settings_.Enabled()) return;
  if (settings_.stationName.empty()) settings_.stationName = HostName();
  sender_ = std::make_unique<UdpSender>();
  sender_->Start();
  if (!settings_.contacts.empty()) {
    subscription_ = station_.Book().Subscribe([this](const LogChange& c) { OnChange(c); });
  }
}

void BroadcastLink::StartLiveScore(const LiveScoreSettings& settings) {
  if (poster_ != nullptr) poster_->Stop();
  poster_.reset();
  postedAt_ = {};
  if (!settings.Enabled()) return;
  postEvery_ = std::chrono::minutes(settings.everyMinutes);
  poster_ = std::make_unique<LiveScorePoster>(settings.url);
  poster_->Start();
}

void BroadcastLink::Stop() {
  if (poster_ != nullptr) poster_->Stop();
  poster_.reset();
  if (subscription_ != 0) station_.Book().Unsubscribe(subscription_);
  subscription_ = 0;
  if (sender_ != nullptr) sender_->Stop();
  sender_.reset();
  known_.clear();
  learned_ = false;
}

ContactPacket BroadcastLink::Packet(const QsoRecord& q) const {
  ContactPacket p;
  p.contestName = station_.Rules().Settings().cabrilloName;
  p.stamp = q.Stamp;
  p.myCall = station_.OwnCall();
  p.op = station_.OwnCall();
  p.freq = q.Freq;
  p.mode = q.Mode;
  p.call = q.Call;
  CountryInfo c;
  if (LookupWorld(station_.Countries(), q.Call, c) != 0) {
    p.countryPrefix = c.primaryPrefix;
    p.continent = c.continent;
  }
  p.wpxPrefix = WpxPrefix(q.Call);
  p.sent = q.Sent;
  p.rcvd = q.Rcvd;
  p.points = q.Dupe ? 0 : q.Score;
  p.multiplier1 = !q.Dupe && q.Multi > 0;
  p.multiplier2 = !q.Dupe && q.Bonus > 0;
  p.radioInterfaced = station_.Rig() != nullptr;
  p.networkedCompNr = station_.Ids().StationPart();
  p.stationName = settings_.stationName;
  p.id = PacketId(q.Guid);
  return p;
}

void BroadcastLink::Remember(const QsoRecord& q) {
  known_[q.Guid] = {q.Call, q.Stamp};
}

void BroadcastLink::LearnLog() {
  if (learned_) return;
  learned_ = true;
  for (const QsoRecord& q : station_.Log()) Remember(q);
}

void BroadcastLink::OnChange(const LogChange& change) {
  if (sender_ == nullptr) return;
  LearnLog();
  const QsoRecord* q = station_.Log().At(change.position);
  switch (change.kind) {
    case LogChangeKind::kAppended:
    case LogChangeKind::kInserted:
    case LogChangeKind::kEdited: {
      if (q == nullptr) return;
      Remember(*q);
      if (!MadeHere(change.origin)) return;
      const bool edit = change.kind == LogChangeKind::kEdited;
      sender_->Send(settings_.contacts, ContactXml(edit ? "contactreplace" : "contactinfo", Packet(*q)));
      return;
    }
    case LogChangeKind::kDeleted: {
      const auto it = known_.find(change.guid);
      ContactPacket p;
      p.stationName = settings_.stationName;
      p.id = PacketId(change.guid);
      if (it != known_.end()) {
        p.call = it->second.first;
        p.stamp = it->second.second;
        known_.erase(it);
      }
      if (MadeHere(change.origin)) sender_->Send(settings_.contacts, ContactDeleteXml(p));
      return;
    }
    case LogChangeKind::kRescored:
    case LogChangeKind::kReordered:
      return;
  }
}

std::string BroadcastLink::ScoreXml() const {
  const ScoreSource s{station_.Log(), station_.Totals(), station_.Rules(), &station_.Countries(),
                      station_.OwnCall(), station_.Settings().main.locator,
                      station_.PathOf(kConfigFileName)};
  return DynamicResultsXml(MakeScoreDocument(s, station_.Time().UtcNow()));
}

void BroadcastLink::Pass(Clock::time_point now) {
  if (poster_ != nullptr && (postedAt_ == Clock::time_point{} || now - postedAt_ >= postEvery_)) {
    postedAt_ = now;
    poster_->Post(ScoreXml());
  }
  if (sender_ == nullptr) return;
  if (!settings_.radio.empty()) {
    const Freq f = station_.CurrentFreq();
    const Mode m = station_.CurrentMode();
    if (f != radioFreq_ || m != radioMode_ || now - radioAt_ >= kRadioEvery) {
      radioFreq_ = f;
      radioMode_ = m;
      radioAt_ = now;
      RadioPacket r;
      r.stationName = settings_.stationName;
      r.freq = f;
      r.mode = m;
      r.opCall = station_.OwnCall();
      RigControl* rig = station_.Rig();
      r.connected = rig != nullptr;
      sender_->Send(settings_.radio, RadioInfoXml(r));
    }
  }
  if (!settings_.score.empty() &&
      (scoreAt_ == Clock::time_point{} || now - scoreAt_ >= std::chrono::seconds(settings_.scoreEverySeconds))) {
    scoreAt_ = now;
    sender_->Send(settings_.score, ScoreXml());
  }
}

}  // namespace vk
