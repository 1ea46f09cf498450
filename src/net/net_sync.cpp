#include "net/net_sync.h"

#include <algorithm>
#include <unordered_set>

#include "log/journal.h"
#include "net/net_message.h"
#include "util/strings.h"

namespace vk {
namespace {

using std::chrono::milliseconds;

constexpr char kSep = '^';
constexpr int kBucketsPerMessage = 128;
constexpr std::size_t kListPerMessage = 120;  // Guids or hashes in one WANT or ACK
constexpr std::size_t kInventoryText = 1200;  // room for entries in one INV
constexpr std::size_t kMaxPending = 4096;
constexpr std::size_t kBusyQueue = 2000;  // repairs wait while more than this is queued
constexpr auto kBucketsEvery = milliseconds(1000);
constexpr auto kInventoryEvery = milliseconds(300);
constexpr auto kRecordEvery = milliseconds(1000);
constexpr auto kAssemblyLife = milliseconds(3000);
constexpr int kOrderReports = 3;

std::uint32_t Mix(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

// What the log file holds of a QSO: its contents (the record checksum covers Guid, stamp to
// the second, frequency, mode, call, exchanges and figures), its edit version and its place.
// With every station keeping its log in the one order, equal digests mean equal files.
std::uint32_t QsoHash(const QsoRecord& q) {
  const auto place = static_cast<std::uint64_t>(q.Place);
  std::uint32_t h = Mix(q.Crc ^ 0x9E3779B9u);
  h = Mix(h ^ static_cast<std::uint32_t>(q.Mark));
  h = Mix(h ^ static_cast<std::uint32_t>(place) ^ Mix(static_cast<std::uint32_t>(place >> 32)));
  return Mix(static_cast<std::uint32_t>(q.Guid) ^ h);
}
std::uint32_t DeletedHash(std::uint32_t guid) {
  return Mix(guid ^ 0x7F4A7C15u) + 0x632BE5ABu;
}

}  // namespace

LogSync::LogSync(const TLogCollection& log, NetHandler& handler, NetExchange& exchange, int station)
    : log_(log), handler_(handler), exchange_(exchange), station_(station) {}

int LogSync::BucketOf(std::uint32_t guid) {
  return static_cast<int>(Mix(guid) & (kBuckets - 1));
}

const LogSync::Digests& LogSync::Current() {
  const std::size_t tombs = handler_.Tombstones().size();
  if (digestCount_ == log_.Count() && digestRevision_ == log_.Revision() &&
      digestTombstones_ == tombs) {
    return digests_;
  }
  Digests d;
  for (const QsoRecord& q : log_) {
    const auto g = static_cast<std::uint32_t>(q.Guid);
    d.bucket[static_cast<std::size_t>(BucketOf(g))] += QsoHash(q);
  }
  for (std::int32_t guid : handler_.Tombstones()) {
    const auto g = static_cast<std::uint32_t>(guid);
    d.bucket[static_cast<std::size_t>(BucketOf(g))] += DeletedHash(g);
  }
  for (std::uint32_t b : d.bucket) d.total += b;
  digests_ = d;
  digestCount_ = log_.Count();
  digestRevision_ = log_.Revision();
  digestTombstones_ = tombs;
  return digests_;
}

std::string LogSync::Head(std::string_view keyword) const {
  return std::string(keyword) + IntToStr(station_) + kSep;
}

// --- retries ----------------------------------------------------------------------------------

void LogSync::Track(const std::string& message, Clock::time_point now) {
  if (pending_.size() >= kMaxPending) return;  // the repair will carry it
  pending_[MessageHash(message)] = {message, {}, now + milliseconds(300), 0};
}

void LogSync::Acknowledge(std::string_view message) {
  acks_.push_back(MessageHash(message));
}

bool LogSync::AllAcked(const PendingChange& p, Clock::time_point now) const {
  for (const auto& [station, peer] : peers_) {
    if (now - peer.heard > kPeerTimeout) continue;
    if (std::find(p.acked.begin(), p.acked.end(), station) == p.acked.end()) return false;
  }
  return true;
}

void LogSync::Retry(Clock::time_point now) {
  // Only stations that acknowledge are retried to: a station that speaks the plain messages
  // alone would log a repeated ADD twice.
  const bool anyPeer = PeersHeard(now) > 0;
  for (auto it = pending_.begin(); it != pending_.end();) {
    PendingChange& p = it->second;
    if (p.due > now) {
      ++it;
      continue;
    }
    if (!anyPeer || AllAcked(p, now) || p.tries >= kMaxTries) {
      it = pending_.erase(it);
      continue;
    }
    exchange_.Send(p.text);
    ++p.tries;
    p.due = now + std::min(milliseconds(250) * (1 << std::min(p.tries, 3)), milliseconds(2000));
    ++it;
  }
}

// --- the pass ---------------------------------------------------------------------------------

bool LogSync::Due(Clock::time_point now) const {
  if (!acks_.empty() || now - digestSent_ >= kDigestEvery) return true;
  return std::any_of(pending_.begin(), pending_.end(),
                     [&](const auto& p) { return p.second.due <= now; });
}

int LogSync::PeersHeard(Clock::time_point now) const {
  return static_cast<int>(std::count_if(peers_.begin(), peers_.end(), [&](const auto& p) {
    return now - p.second.heard <= kPeerTimeout;
  }));
}

bool LogSync::HeardWithin(Clock::time_point now, Clock::duration span) const {
  return std::any_of(peers_.begin(), peers_.end(),
                     [&](const auto& p) { return now - p.second.heard <= span; });
}

bool LogSync::Agreed(Clock::time_point now) const {
  if (PeersHeard(now) == 0) return false;
  for (const auto& [station, peer] : peers_) {
    if (now - peer.heard > kPeerTimeout) continue;
    if (peer.dig.digest != digests_.total || peer.dig.logCrc != log_.LogCrc()) return false;
  }
  return true;
}

std::string LogSync::Failure(Clock::time_point now) const {
  for (const auto& [station, peer] : peers_) {
    if (now - peer.heard > kPeerTimeout || peer.stuckSince == Clock::time_point{}) continue;
    if (now - peer.stuckSince < kGiveUp) continue;
    return "station " + IntToStr(station) + " holds " + IntToStr(peer.dig.count) +
           " QSOs, this log " + IntToStr(log_.Count()) + "; they have differed for over " +
           IntToStr(std::chrono::duration_cast<std::chrono::seconds>(kGiveUp).count()) +
           " s and repair changes nothing (another contest or other rules?)";
  }
  return {};
}

void LogSync::Tick(Clock::time_point now, std::vector<NetResult>& out) {
  (void)out;
  if (!acks_.empty()) {
    SendList(kAckKeyword, acks_);
    acks_.clear();
  }
  Retry(now);
  const Digests& d = Current();
  if (now - digestSent_ >= kDigestEvery) {
    digestSent_ = now;
    exchange_.Send(
        FormatDig({station_, static_cast<std::uint32_t>(log_.Count()), d.total, log_.LogCrc()}));
  }
  const bool differs = std::any_of(peers_.begin(), peers_.end(), [&](const auto& p) {
    return now - p.second.heard <= kPeerTimeout && p.second.dig.digest != d.total;
  });
  if (differs && now - bucketsSent_ >= kBucketsEvery && exchange_.OutgoingCount() < kBusyQueue) {
    bucketsSent_ = now;
    for (int first = 0; first < kBuckets; first += kBucketsPerMessage) {
      std::string m = Head(kBktKeyword) + IntToStr(first) + kSep;
      for (int b = first; b < first + kBucketsPerMessage; ++b) {
        m += Hex8(d.bucket[static_cast<std::size_t>(b)]);
      }
      exchange_.Send(std::move(m));
    }
  }
  std::erase_if(assemblies_, [&](const auto& a) { return now - a.second.started > kAssemblyLife; });
  if (recordSent_.size() > 4096) {
    std::erase_if(recordSent_, [&](const auto& r) { return now - r.second > kRecordEvery; });
  }
}

// --- what arrives -----------------------------------------------------------------------------

void LogSync::Handle(std::string_view text, Clock::time_point now, std::vector<NetResult>& out) {
  const auto body = [&](std::string_view k) { return text.substr(k.size()); };
  if (text.starts_with(kDigKeyword)) {
    if (const auto d = ParseDig(body(kDigKeyword))) OnDig(*d, now, out);
    return;
  }
  for (std::string_view k : {kAckKeyword, kBktKeyword, kInvKeyword, kWantKeyword, kRecKeyword}) {
    if (!text.starts_with(k)) continue;
    const std::optional<SyncText> t = SplitStation(body(k));
    if (!t || t->station == station_) return;
    if (k == kAckKeyword) OnAck(*t);
    if (k == kBktKeyword) OnBuckets(*t, now);
    if (k == kInvKeyword) OnInventory(*t, now, out);
    if (k == kWantKeyword) OnWant(*t, now);
    if (k == kRecKeyword) OnRecord(*t, out);
    return;
  }
}

void LogSync::OnDig(const DigText& d, Clock::time_point now, std::vector<NetResult>& out) {
  if (d.station == station_) {
    // The station's own datagrams are filtered by address before they get here: this is
    // another station with the same number, whose Guids may meet ours.
    if (!sharedNumberNoted_) {
      JournalAppend(exchange_.journal(), "NET:->another station of the group has station number " +
                                             IntToStr(station_) + "; set STATION= in vorkan.cfg");
      sharedNumberNoted_ = true;
    }
    return;
  }
  Peer& p = peers_[d.station];
  p.heard = now;
  p.dig = d;
  const std::uint32_t ours = Current().total;
  if (d.digest == ours && d.logCrc == log_.LogCrc()) {
    p.stuckSince = {};
  } else if (p.stuckSince == Clock::time_point{} || d.digest != p.stuckTheirs ||
             ours != p.stuckOurs) {
    p.stuckTheirs = d.digest;
    p.stuckOurs = ours;
    p.stuckSince = now;
  }
  if (d.digest == Current().total && d.logCrc != log_.LogCrc()) {
    if (++p.orderMismatches >= kOrderReports) {
      p.orderMismatches = 0;
      const NetResult r = handler_.ApplyOrder();
      if (r.change != NetChange::kNone) out.push_back(r);
    }
  } else {
    p.orderMismatches = 0;
  }
}

void LogSync::OnAck(const SyncText& t) {
  const auto hashes = ReadHexList(t.rest);
  if (!hashes) return;
  for (std::uint32_t h : *hashes) {
    auto it = pending_.find(h);
    if (it == pending_.end()) continue;
    std::vector<int>& acked = it->second.acked;
    if (std::find(acked.begin(), acked.end(), t.station) == acked.end()) acked.push_back(t.station);
  }
}

void LogSync::OnBuckets(const SyncText& t, Clock::time_point now) {
  const std::vector<std::string_view> f = SplitView(t.rest, kSep);
  if (f.size() != 2 || f[1].size() % 8 != 0) return;
  const auto first = ParseStrictInt(f[0], 0, kBuckets - 1);
  if (!first) return;
  const Digests& d = Current();
  for (std::size_t i = 0; i * 8 < f[1].size(); ++i) {
    const auto b = static_cast<std::size_t>(*first) + i;
    const auto theirs = ReadHex8(f[1].substr(i * 8, 8));
    if (!theirs || b >= kBuckets) return;
    if (*theirs == d.bucket[b] || now - inventorySent_[b] < kInventoryEvery) continue;
    inventorySent_[b] = now;
    SendInventory(static_cast<int>(b));
  }
}

void LogSync::SendInventory(int bucket) {
  std::vector<std::string> entries;
  for (const QsoRecord& q : log_) {
    const auto g = static_cast<std::uint32_t>(q.Guid);
    if (BucketOf(g) == bucket) entries.push_back(FormatInvEntry({g, false, q.Crc, q.Mark}));
  }
  for (std::int32_t guid : handler_.Tombstones()) {
    const auto g = static_cast<std::uint32_t>(guid);
    if (BucketOf(g) == bucket) entries.push_back(FormatInvEntry({g, true, 0, 0}));
  }
  std::vector<std::string> parts(1);
  for (const std::string& e : entries) {
    if (parts.back().size() + e.size() + 1 > kInventoryText) parts.emplace_back();
    if (!parts.back().empty()) parts.back() += ',';
    parts.back() += e;
  }
  for (std::size_t k = 0; k < parts.size(); ++k) {
    exchange_.Send(Head(kInvKeyword) + IntToStr(bucket) + kSep + IntToStr(k + 1) + "/" +
                   IntToStr(parts.size()) + kSep + parts[k]);
  }
}

void LogSync::OnInventory(const SyncText& t, Clock::time_point now, std::vector<NetResult>& out) {
  const std::vector<std::string_view> f = SplitView(t.rest, kSep);
  if (f.size() != 3) return;
  const auto bucket = ParseStrictInt(f[0], 0, kBuckets - 1);
  const std::size_t slash = f[1].find('/');
  if (!bucket || slash == std::string_view::npos) return;
  const auto part = ParseStrictInt(f[1].substr(0, slash), 1, 256);
  const auto parts = ParseStrictInt(f[1].substr(slash + 1), 1, 256);
  if (!part || !parts || *part > *parts) return;
  Assembly& a = assemblies_[{t.station, static_cast<int>(*bucket)}];
  if (a.parts.size() != static_cast<std::size_t>(*parts)) a = {now, {}};
  a.parts.resize(static_cast<std::size_t>(*parts));
  a.parts[static_cast<std::size_t>(*part - 1)] = std::string(f[2]);
  if (std::any_of(a.parts.begin(), a.parts.end(), [](const auto& p) { return !p; })) return;
  std::vector<InvEntry> theirs;
  for (const auto& p : a.parts) {
    if (p->empty()) continue;
    for (std::string_view item : SplitView(*p, ',')) {
      const auto e = ReadInvEntry(item);
      if (!e || BucketOf(e->guid) != *bucket) return;  // not a bucket of ours: refuse it whole
      theirs.push_back(*e);
    }
  }
  assemblies_.erase({t.station, static_cast<int>(*bucket)});
  Compare(static_cast<int>(*bucket), theirs, now, out);
}

void LogSync::Compare(int bucket, const std::vector<InvEntry>& theirs, Clock::time_point now,
                      std::vector<NetResult>& out) {
  std::unordered_set<std::uint32_t> listed;
  std::vector<std::uint32_t> want;
  for (const InvEntry& e : theirs) {
    listed.insert(e.guid);
    const auto guid = static_cast<std::int32_t>(e.guid);
    const int pos = log_.FindByGuid(guid);
    if (e.deleted) {
      if (pos >= 0) {
        out.push_back(handler_.ApplyDelete(guid));
      } else {
        handler_.NoteDeleted(guid);
      }
    } else if (handler_.Deleted(guid)) {
      exchange_.Send(DelMessage(guid));
    } else if (pos < 0) {
      want.push_back(e.guid);
    } else {
      const QsoRecord& held = *log_.At(pos);
      if (std::tie(e.mark, e.crc) > std::tie(held.Mark, held.Crc)) want.push_back(e.guid);
      if (std::tie(e.mark, e.crc) < std::tie(held.Mark, held.Crc)) SendRecord(guid, now);
    }
  }
  SendList(kWantKeyword, want);
  for (const QsoRecord& q : log_) {
    const auto g = static_cast<std::uint32_t>(q.Guid);
    if (BucketOf(g) == bucket && listed.count(g) == 0) SendRecord(q.Guid, now);
  }
  for (std::int32_t guid : handler_.Tombstones()) {
    const auto g = static_cast<std::uint32_t>(guid);
    if (BucketOf(g) == bucket && listed.count(g) == 0) exchange_.Send(DelMessage(guid));
  }
}

void LogSync::OnWant(const SyncText& t, Clock::time_point now) {
  const auto guids = ReadHexList(t.rest);
  if (!guids) return;
  for (std::uint32_t g : *guids) SendRecord(static_cast<std::int32_t>(g), now);
}

void LogSync::SendRecord(std::int32_t guid, Clock::time_point now) {
  auto [it, fresh] = recordSent_.try_emplace(guid, now);
  if (!fresh && now - it->second < kRecordEvery) return;  // asked for and offered at once
  it->second = now;
  const int pos = log_.FindByGuid(guid);
  if (pos < 0 || !CanTravel(*log_.At(pos))) return;
  const QsoRecord* next = log_.At(pos + 1);
  exchange_.Send(Head(kRecKeyword) + IntToStr(next != nullptr ? next->Guid : 0) + kSep +
                 BuildQsoLine(*log_.At(pos)));
}

void LogSync::OnRecord(const SyncText& t, std::vector<NetResult>& out) {
  const std::size_t at = t.rest.find(kSep);
  if (at == std::string_view::npos) return;
  const auto next = ParseStrictInt(t.rest.substr(0, at), INT32_MIN, INT32_MAX);
  std::string fault;
  const std::optional<QsoRecord> q = ParseQsoLine(t.rest.substr(at + 1), &fault);
  if (!next || !q) {
    JournalAppend(exchange_.journal(),
                  "NET_SKIP:->" + (fault.empty() ? std::string("bad REC") : fault));
    return;
  }
  const NetResult r = handler_.ApplyRecord(*next, *q);
  if (r.change != NetChange::kNone) out.push_back(r);
}

void LogSync::SendList(std::string_view keyword, const std::vector<std::uint32_t>& items) {
  for (std::size_t i = 0; i < items.size(); i += kListPerMessage) {
    std::string m = Head(keyword);
    for (std::size_t j = i; j < std::min(items.size(), i + kListPerMessage); ++j) {
      if (j > i) m += ',';
      m += Hex8(items[j]);
    }
    exchange_.Send(std::move(m));
  }
}

}  // namespace vk
