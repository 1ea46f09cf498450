// The texts the stations of a group exchange over UDP: one message per datagram, the keyword
// first, no terminator.  A QSO travels as a "QSO line": twelve fields joined by the grave
// accent, with nothing after the last:
//
//   Guid`dd-mm-yyyy`hh:nn`Freq`Mode`Call`Sent`Rcvd`Score`Multi`Bonus`Mark
//
// Two fields may follow, sent only where they are not zero: the seconds of the stamp (two
// digits), then the QSO's explicit place in the log's order (log_order.h):
//
//   ...`Mark`ss            ...`Mark`ss`Place
//
// A line of twelve fields, as stations that know no seconds send it, reads as seconds 0 and no
// place.  Other stations build and read these texts, so nothing else here may change.  What
// this side adds is care on reading: a datagram that is cut short, too long, binary, carries a
// number that is not one, or has fields missing or extra, is refused whole with a reason for
// the journal, never read half-way into the log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "log/qso.h"

namespace vk {

// A message never carries more than this; longer datagrams are not ours.
inline constexpr std::size_t kMaxNetMessage = 255;
// The stations' own bookkeeping messages (net_sync.h) may be longer: one Ethernet frame, with
// room left for a signature.
inline constexpr std::size_t kMaxSyncMessage = 1400;
inline constexpr char kQsoLineSeparator = '`';
inline constexpr char kPositionSeparator = '^';
// The stamp in a QSO line: the grave accents of the mask are literal.
inline constexpr std::string_view kQsoLineStampMask = "dd-mm-yyyy`hh:nn";

inline constexpr std::string_view kHeloKeyword = "HELO:";
inline constexpr std::string_view kAddKeyword = "ADD:";
inline constexpr std::string_view kEdtKeyword = "EDT:";
inline constexpr std::string_view kDelKeyword = "DEL:";
inline constexpr std::string_view kInsKeyword = "INS:";
inline constexpr std::string_view kGetKeyword = "GET:";
inline constexpr std::string_view kQsoKeyword = "QSO:";
inline constexpr std::string_view kEndLogKeyword = "ENDLOG:";

// The bookkeeping of stations that repair their logs by themselves.  A station that knows only
// the messages above ignores these, as it ignores any text without a keyword it knows.
inline constexpr std::string_view kDigKeyword = "DIG:";    // a log digest
inline constexpr std::string_view kAckKeyword = "ACK:";    // change messages taken
inline constexpr std::string_view kBktKeyword = "BKT:";    // digests of the Guid buckets
inline constexpr std::string_view kInvKeyword = "INV:";    // the Guids of one bucket
inline constexpr std::string_view kWantKeyword = "WANT:";  // QSOs asked for by Guid
inline constexpr std::string_view kRecKeyword = "REC:";    // one QSO, as a repair
bool IsSyncMessage(std::string_view text);

// The QSO line of a record.  A call or exchange holding a grave accent gives a line with
// fields shifted; CanTravel tells the sender so beforehand.
std::string BuildQsoLine(const QsoRecord& qso);
// The fields after the twelfth ("`ss", "`ss`Place"), or nothing.
std::string QsoLineTail(const QsoRecord& qso);
bool CanTravel(const QsoRecord& qso);

// Reads a QSO line: calls and exchanges cut to 16 characters, Score, Multi and Bonus kept to
// their low 16 bits, Crc left unset.  nullopt (and a reason in `fault`) unless the line has
// twelve to fourteen fields, every number is a decimal number in range, and the stamp has the form
// of its mask.  An unknown mode text reads as mode 0, as an unknown mode is logged.
std::optional<QsoRecord> ParseQsoLine(std::string_view line, std::string* fault = nullptr);

// The messages.  The checksum report carries the log checksum as a signed 32-bit decimal,
// the form the other stations print and read.
std::string HeloMessage(std::uint32_t logCrc);
std::string AddMessage(const QsoRecord& qso);
std::string EdtMessage(const QsoRecord& qso);
std::string DelMessage(std::int32_t guid);
// `nextGuid`: the Guid of the QSO that follows the inserted one.
std::string InsMessage(std::int32_t nextGuid, const QsoRecord& qso);
std::string GetMessage(std::int32_t n);                      // n = 1 asks for the first QSO
std::string QsoMessage(int position, const QsoRecord& qso);  // position 0-based
std::string EndLogMessage();

enum class NetVerb : std::uint8_t { kNone, kHelo, kAdd, kEdt, kDel, kIns, kGet, kQso, kEndLog };

// One received text, read whole.  `verb` kNone means refused, and `fault` says why.
struct NetMessage {
  NetVerb verb = NetVerb::kNone;
  // HELO: the reported checksum; DEL: and INS: a Guid; GET: n; QSO: the position.
  std::int64_t number = 0;
  QsoRecord qso;  // ADD:, EDT:, INS:, QSO:
  std::string fault;
};

// Empty when the datagram may be a message; otherwise why it is not: empty, longer than a
// message can be, or holding control bytes (CP866 letters above 127 are text).
std::string DatagramFault(std::string_view datagram);
NetMessage ParseNetMessage(std::string_view text);

// A decimal integer with an optional leading "-" and nothing else around it, within
// [lo, hi].  Shared by the readers of the network texts.
std::optional<std::int64_t> ParseStrictInt(std::string_view text, std::int64_t lo, std::int64_t hi);

// The text as a journal line can show it: control bytes become '?', cut to a line's length.
std::string PrintableText(std::string_view text);

}  // namespace vk
