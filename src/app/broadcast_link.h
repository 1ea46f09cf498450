// SPDX-License-Identifier: GPL-3.0-or-later
// The station's UDP packets for the other programs of the shack, in N1MM Logger+'s forms:
// a contactinfo for each QSO made here, contactreplace and contactdelete for each edit and
// deletion (heard on the logbook's change feed), RadioInfo when the frequency or mode changes
// and every ten seconds, and the score document on a timer.  QSOs of the other stations of a
// group and imported ones are not sent: each station of a group announces its own.
//
// Building a packet is the UI thread's; sending is the sender thread's, so nothing here waits
// on the network.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "app/station.h"
#include "broadcast/broadcast_settings.h"
#include "broadcast/live_score.h"
#include "broadcast/n1mm_packets.h"
#include "broadcast/udp_sender.h"

namespace vk {

class BroadcastLink {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::seconds kRadioEvery{10};

  explicit BroadcastLink(Station& station) : station_(station) {}
  ~BroadcastLink() { Stop(); }
  BroadcastLink(const BroadcastLink&) = delete;
  BroadcastLink& operator=(const BroadcastLink&) = delete;

  // Sends where [Broadcast] says; nothing when it names no destination.
  void Start(BroadcastSettings settings);
  // Posts the score to an online scoreboard every `everyMinutes`; nothing without a URL.
  void StartLiveScore(const LiveScoreSettings& settings);
  void Stop();
  const LiveScorePoster* Poster() const { return poster_.get(); }
  bool Sending() const { return sender_ != nullptr; }
  const UdpSender* Sender() const { return sender_.get(); }

  // One idle pass: RadioInfo and the score when they are due.
  void Pass(Clock::time_point now);
  // One change of the log, as the logbook publishes it.
  void OnChange(const LogChange& change);

  // The packet of one QSO of the log (for contactinfo, contactreplace and contactdelete).
  ContactPacket Packet(const QsoRecord& q) const;

 private:
  void Remember(const QsoRecord& q);
  std::string ScoreXml() const;
  void LearnLog();

  Station& station_;
  BroadcastSettings settings_;
  std::unique_ptr<UdpSender> sender_;
  int subscription_ = 0;
  // Call and stamp of every QSO by Guid, so a deletion can still name what it deleted.
  std::unordered_map<std::int32_t, std::pair<std::string, DateTime>> known_;
  bool learned_ = false;
  Freq radioFreq_ = -1;
  Mode radioMode_ = Mode::kUnknown;
  Clock::time_point radioAt_{}, scoreAt_{};
  std::unique_ptr<LiveScorePoster> poster_;
  std::chrono::minutes postEvery_{5};
  Clock::time_point postedAt_{};
};

}  // namespace vk
