#include "net/net_guard.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <random>
#include <utility>

#include "log/journal.h"
#include "util/atomic_file.h"
#include "util/bounded_file.h"
#include "net/net_message.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::size_t kSignatureHex = 16;
constexpr std::uint32_t kLoopbackNet = 0x7F000000u;

std::string Hex(std::uint64_t v, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string s(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, v >>= 4) s[static_cast<std::size_t>(i)] = kDigits[v & 15];
  return s;
}

bool ReadHex(std::string_view text, std::uint64_t& out) {
  if (text.empty() || text.size() > 16) return false;
  out = 0;
  for (char c : text) {
    const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (d < 0) return false;
    out = out << 4 | static_cast<std::uint64_t>(d);
  }
  return true;
}

// Equal-time comparison: how long it takes must not tell a forger how much was right.
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned diff = 0;
  for (std::size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned>(a[i] ^ b[i]);
  return diff == 0;
}

}  // namespace

NetGuard::NetGuard(NetGuardConfig config) : config_(std::move(config)) {
  senderId_ = std::random_device{}();
  // Numbers go on rising across restarts, so a restarted station is not taken for a replay.
  nextSeq_ = static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                            std::chrono::system_clock::now().time_since_epoch())
                                            .count());
  LoadState();
}

NetGuard::~NetGuard() {
  Persist(true);
}

// Lines "floor <hex>" and "<sender hex> <highest hex>"; anything else is skipped.  Every number
// up to a sender's highest counts as taken.
void NetGuard::LoadState() {
  if (config_.key.empty() || config_.stateFile.empty()) return;
  std::string text;
  if (!ReadFileBounded(config_.stateFile, 64 * 1024, text)) return;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t eol = rest.find('\n');
    const std::string_view line = rest.substr(0, eol);
    rest = eol == std::string_view::npos ? std::string_view{} : rest.substr(eol + 1);
    const std::size_t space = line.find(' ');
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    if (space == std::string_view::npos || !ReadHex(line.substr(space + 1), b)) continue;
    if (line.substr(0, space) == "floor") {
      floor_ = std::max(floor_, b);
    } else if (ReadHex(line.substr(0, space), a) && windows_.size() < kMaxSenders) {
      Window& w = windows_[a];
      w.highest = std::max(w.highest, b);
      w.seen.set();
    }
  }
}

void NetGuard::Persist(bool now) {
  if (!dirty_ || config_.stateFile.empty()) return;
  const auto t = std::chrono::steady_clock::now();
  if (!now && t - savedAt_ < std::chrono::seconds(1)) return;
  std::string text = "floor " + Hex(floor_, 16) + "\n";
  for (const auto& [sender, w] : windows_) text += Hex(sender, 8) + " " + Hex(w.highest, 16) + "\n";
  if (ReplaceFileAtomically(config_.stateFile, text)) {
    dirty_ = false;
    savedAt_ = t;
  }
}

bool NetGuard::IsLocal(std::uint32_t address) const {
  if ((address & 0xFF000000u) == kLoopbackNet) return true;
  return std::any_of(config_.localNets.begin(), config_.localNets.end(),
                     [&](const LocalNet& n) { return n.address == address; });
}

bool NetGuard::IsPeer(std::uint32_t address) const {
  if (!config_.peers.empty()) {
    return std::find(config_.peers.begin(), config_.peers.end(), address) != config_.peers.end();
  }
  if (IsLocal(address)) return true;
  return std::any_of(config_.localNets.begin(), config_.localNets.end(), [&](const LocalNet& n) {
    return n.mask != 0 && (n.address & n.mask) == (address & n.mask);
  });
}

NetVerdict NetGuard::Check(std::string& datagram, bool senderKnown, std::uint32_t address,
                           std::uint16_t port) {
  if (senderKnown) {
    const bool ownPort = std::find(ownPorts_.begin(), ownPorts_.end(), port) != ownPorts_.end();
    if (ownPort && IsLocal(address)) return NetVerdict::kOwn;
    if (!IsPeer(address)) return NetVerdict::kForeign;
  }
  if (config_.key.empty()) return NetVerdict::kTake;
  return Unseal(datagram) ? NetVerdict::kTake : NetVerdict::kBadSignature;
}

std::string NetGuard::Signature(std::string_view seq, std::string_view message) const {
  std::string data;
  data.reserve(seq.size() + 1 + message.size());
  data.append(seq).append(1, kPositionSeparator).append(message);
  unsigned char mac[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  HMAC(EVP_sha256(), config_.key.data(), static_cast<int>(config_.key.size()),
       reinterpret_cast<const unsigned char*>(data.data()), data.size(), mac, &len);
  std::uint64_t head = 0;
  for (int i = 0; i < 8; ++i) head = head << 8 | mac[i];
  return Hex(head, kSignatureHex);
}

std::string NetGuard::Seal(std::string_view message) {
  if (config_.key.empty()) return std::string(message);
  const std::string seq = Hex(senderId_, 8) + "." + Hex(nextSeq_++, 16);
  return std::string(kMacKeyword) + seq + kPositionSeparator + Signature(seq, message) +
         kPositionSeparator + std::string(message);
}

bool NetGuard::Unseal(std::string& datagram) {
  const std::string_view d = datagram;
  if (!d.starts_with(kMacKeyword)) return false;
  const std::size_t a = d.find(kPositionSeparator, kMacKeyword.size());
  if (a == std::string_view::npos) return false;
  const std::size_t b = d.find(kPositionSeparator, a + 1);
  if (b == std::string_view::npos) return false;
  const std::string_view seqText = d.substr(kMacKeyword.size(), a - kMacKeyword.size());
  const std::string_view message = d.substr(b + 1);
  std::uint64_t sender = 0;
  std::uint64_t seq = 0;
  const std::size_t dot = seqText.find('.');
  if (dot == std::string_view::npos || !ReadHex(seqText.substr(0, dot), sender) ||
      !ReadHex(seqText.substr(dot + 1), seq) ||
      !SameText(d.substr(a + 1, b - a - 1), Signature(seqText, message))) {
    return false;
  }
  const bool known = windows_.count(sender) != 0;
  if (!known && seq <= floor_) return false;  // older than any sender still remembered
  if (!known && windows_.size() >= kMaxSenders) {
    const auto oldest = std::min_element(
        windows_.begin(), windows_.end(),
        [](const auto& x, const auto& y) { return x.second.highest < y.second.highest; });
    floor_ = std::max(floor_, oldest->second.highest);
    windows_.erase(oldest);
  }
  Window& w = windows_[sender];
  const std::size_t bits = w.seen.size();
  if (seq > w.highest) {
    if (seq - w.highest >= bits) {
      w.seen.reset();
    } else {
      for (std::uint64_t s = w.highest + 1; s < seq; ++s) w.seen.reset(s % bits);
    }
    w.highest = seq;
  } else if (w.highest - seq >= bits || w.seen.test(seq % bits)) {
    return false;  // replayed, or too old to tell
  }
  w.seen.set(seq % bits);
  datagram.erase(0, b + 1);
  dirty_ = true;
  Persist(!known);
  return true;
}

void JournalRate::Append(const std::string& line) {
  const auto now = std::chrono::steady_clock::now();
  if (now - second_ >= std::chrono::seconds(1)) {
    if (skipped_ > 0) {
      JournalAppend(journal_,
                    "NET:->" + IntToStr(skipped_) + " datagram lines left out of the journal");
    }
    second_ = now;
    written_ = 0;
    skipped_ = 0;
  }
  if (written_ < perSecond_) {
    ++written_;
    JournalAppend(journal_, line);
  } else {
    ++skipped_;
  }
}

}  // namespace vk
