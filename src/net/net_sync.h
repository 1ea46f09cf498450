// Stations that keep their logs equal by themselves, on the UI thread.
//
// Two mechanisms, both additions to the plain messages (a station that speaks only those
// ignores them):
//
// Retries.  Every change message sent here (ADD, EDT, DEL, INS) is sent again, at growing
// intervals, until every station heard lately has acknowledged it (ACK with the hash of the
// text), or for about half a minute at most; after that the repair below takes over.
//
// Repair.  Every half second each station reports a digest of its log (DIG): the sum of a hash
// of every QSO as the log file holds it (Guid, record checksum, edit version, place) and of
// every deleted Guid.  Every station keeps its log in the one order (log_order.h), so equal
// digests mean equal files; the log checksum in the report checks the order too.  Where a peer's digest differs, the station sends the digests of 256
// buckets of Guids (BKT); the peer answers with the contents of each bucket that differs (INV);
// the station then asks for what it lacks or holds older (WANT), sends what the peer lacks or
// holds older (REC), and passes deletions on.  Nothing is overwritten wholesale: QSOs move one
// by one, both ways, which is also how a station that joins late or was off catches up.  Where
// the digests agree but the log checksums do not, the QSOs are the same and only their order
// differs; the log is then put into the group's common order (stamp, then Guid).
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/log_collection.h"
#include "net/net_exchange.h"
#include "net/net_handler.h"
#include "net/sync_text.h"

namespace vk {

class LogSync {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kBuckets = 256;
  static constexpr auto kDigestEvery = std::chrono::milliseconds(500);
  static constexpr auto kPeerTimeout = std::chrono::seconds(10);
  static constexpr int kMaxTries = 20;

  // `station`: this station's number, 1-127, as the others know it.
  LogSync(const TLogCollection& log, NetHandler& handler, NetExchange& exchange, int station);

  int Station() const { return station_; }
  // A change message sent here: kept until acknowledged.
  void Track(const std::string& message, Clock::time_point now);
  // A change message taken from the group: acknowledged with the next batch.
  void Acknowledge(std::string_view message);
  // One bookkeeping message from the group; changes it made to the log go to `out`.
  void Handle(std::string_view text, Clock::time_point now, std::vector<NetResult>& out);
  // Acknowledgements, retries, digests and repairs that are due.
  void Tick(Clock::time_point now, std::vector<NetResult>& out);
  bool Due(Clock::time_point now) const;

  // Stations heard reporting digests within kPeerTimeout.
  int PeersHeard(Clock::time_point now) const;
  // Whether a station that repairs was heard within `span` (one cut off for a while is
  // expected back, and repairs when it is).
  bool HeardWithin(Clock::time_point now, Clock::duration span) const;
  // Every station heard agrees with this log (and there is at least one).
  bool Agreed(Clock::time_point now) const;
  // Why the repair cannot make the logs equal: a station heard whose log has differed from
  // this one, with neither changing, for kGiveUp (a station of another contest scores the
  // QSOs its own way).  Empty while the repair is working or the logs agree.
  static constexpr auto kGiveUp = std::chrono::seconds(60);
  std::string Failure(Clock::time_point now) const;
  std::size_t Pending() const { return pending_.size(); }

  struct Digests {
    std::array<std::uint32_t, kBuckets> bucket{};
    std::uint32_t total = 0;
  };
  const Digests& Current();
  static int BucketOf(std::uint32_t guid);

 private:
  struct Peer {
    Clock::time_point heard{};
    DigText dig;
    int orderMismatches = 0;  // digests equal, log checksums not, reports in a row
    // The two digests of the last report that differed, and since when they have stood.
    std::uint32_t stuckTheirs = 0;
    std::uint32_t stuckOurs = 0;
    Clock::time_point stuckSince{};
  };
  struct PendingChange {
    std::string text;
    std::vector<int> acked;
    Clock::time_point due{};
    int tries = 0;
  };
  struct Assembly {
    Clock::time_point started{};
    std::vector<std::optional<std::string>> parts;
  };

  void OnDig(const DigText& d, Clock::time_point now, std::vector<NetResult>& out);
  void OnAck(const SyncText& t);
  void OnBuckets(const SyncText& t, Clock::time_point now);
  void OnInventory(const SyncText& t, Clock::time_point now, std::vector<NetResult>& out);
  void OnWant(const SyncText& t, Clock::time_point now);
  void OnRecord(const SyncText& t, std::vector<NetResult>& out);
  void Compare(int bucket, const std::vector<InvEntry>& theirs, Clock::time_point now,
               std::vector<NetResult>& out);
  void SendInventory(int bucket);
  void SendRecord(std::int32_t guid, Clock::time_point now);
  void SendList(std::string_view keyword, const std::vector<std::uint32_t>& items);
  void Retry(Clock::time_point now);
  bool AllAcked(const PendingChange& p, Clock::time_point now) const;
  std::string Head(std::string_view keyword) const;

  const TLogCollection& log_;
  NetHandler& handler_;
  NetExchange& exchange_;
  int station_;
  Digests digests_;
  std::uint64_t digestRevision_ = 0;
  int digestCount_ = -1;
  std::size_t digestTombstones_ = 0;
  std::map<int, Peer> peers_;
  std::unordered_map<std::uint32_t, PendingChange> pending_;  // by message hash
  std::vector<std::uint32_t> acks_;
  std::map<std::pair<int, int>, Assembly> assemblies_;  // by (station, bucket)
  std::array<Clock::time_point, kBuckets> inventorySent_{};
  std::unordered_map<std::int32_t, Clock::time_point> recordSent_;
  Clock::time_point digestSent_{};
  Clock::time_point bucketsSent_{};
  bool sharedNumberNoted_ = false;
};

}  // namespace vk
