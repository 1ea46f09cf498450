// What the network thread checks before a datagram may reach the log, and what it adds to
// one that leaves.
//
// The group is the configured stations: a datagram from any other address is dropped and
// counted, as is one of the station's own coming back (broadcast and multicast deliver them to
// the sender too).  With a group key every datagram carries a signature (HMAC-SHA-256 with the
// key, cut to 64 bits), the sending program's random id and a sequence number; one whose
// signature does not match, or which repeats a number already taken from that sender, is
// dropped.  The id, not the address, names the sender: a relay or a router between the
// stations may send them all from one address.  The signed form is
//
//   MAC:<id, 8 hex>.<sequence, 16 hex>^<signature, 16 hex>^<message>
//
// which a station without the key reads as a message it does not know and ignores: a keyed
// group and an unkeyed station do not mix.
//
// The sequence numbers start from the sender's clock (microseconds since 1970) and only rise.
// The highest number taken from each sender is kept in a file beside the log, so that a
// datagram recorded by a stranger and sent again after both stations restarted is still
// refused: its sender is known and its number not above the highest taken.  When more senders
// were heard than are kept, the oldest is dropped and its number becomes a floor that an
// unknown sender's datagram must exceed.
#pragma once

#include <bitset>
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "net/udp_socket.h"

namespace vk {

class Journal;

inline constexpr std::string_view kMacKeyword = "MAC:";
// The senders' highest sequence numbers, in the station's directory.
inline constexpr std::string_view kGuardFileName = "vorkan.mac";

enum class NetVerdict : std::uint8_t { kTake, kOwn, kForeign, kBadSignature };

struct NetGuardConfig {
  // Addresses whose datagrams are taken.  Empty: any sender on one of the local networks (a
  // group reached by broadcast or multicast without a list of its stations).
  std::vector<std::uint32_t> peers;
  std::vector<LocalNet> localNets;
  std::string key;  // empty: datagrams are neither signed nor checked
  // Where the senders' highest numbers outlive the program; empty: nowhere.
  std::string stateFile;
};

class NetGuard {
 public:
  explicit NetGuard(NetGuardConfig config);
  ~NetGuard();
  NetGuard(const NetGuard&) = delete;
  NetGuard& operator=(const NetGuard&) = delete;

  // The ports this station's datagrams leave from: a datagram from a local address and one of
  // these ports is the station's own.
  void SetOwnPorts(std::vector<std::uint16_t> ports) { ownPorts_ = std::move(ports); }
  // Checks one received datagram; on kTake a signed one has been reduced to its message.
  // `senderKnown` false: the socket cannot tell the sender, which is then not judged by it.
  NetVerdict Check(std::string& datagram, bool senderKnown, std::uint32_t address,
                   std::uint16_t port);
  // The message as it goes out: signed when the group has a key.
  std::string Seal(std::string_view message);
  // Writes the senders' numbers to the state file if they changed: at once with `now`, else
  // at most once a second.
  void Persist(bool now);

 private:
  bool IsLocal(std::uint32_t address) const;
  bool IsPeer(std::uint32_t address) const;
  bool Unseal(std::string& datagram);
  void LoadState();
  std::string Signature(std::string_view seq, std::string_view message) const;

  // The sequence numbers taken lately from one sender: the highest and a window below it.
  struct Window {
    std::uint64_t highest = 0;
    std::bitset<1024> seen;
  };
  static constexpr std::size_t kMaxSenders = 256;

  NetGuardConfig config_;
  std::vector<std::uint16_t> ownPorts_;
  std::map<std::uint64_t, Window> windows_;  // by sender id
  std::uint32_t senderId_;
  std::uint64_t nextSeq_;
  std::uint64_t floor_ = 0;  // an unknown sender's numbers must be above it
  bool dirty_ = false;       // numbers taken since the state file was written
  std::chrono::steady_clock::time_point savedAt_{};
};

// Keeps a flood of datagrams from turning into a flood of journal lines: up to `perSecond`
// lines a second, then one line saying how many were left out, to `journal` (nullptr: none).
class JournalRate {
 public:
  JournalRate(int perSecond, Journal* journal) : perSecond_(perSecond), journal_(journal) {}
  // Writes the line when the rate allows.
  void Append(const std::string& line);

 private:
  int perSecond_;
  Journal* journal_;
  std::chrono::steady_clock::time_point second_{};
  int written_ = 0;
  long long skipped_ = 0;
};

}  // namespace vk
