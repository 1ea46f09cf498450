// SPDX-License-Identifier: GPL-3.0-or-later
// The UDP messages WSJT-X and JTDX send to a logging program, read from the bytes of one
// datagram.  The format is Qt's QDataStream, big-endian: a magic number 0xadbccbda, the schema
// (2 or 3; a later one reads the same for the fields taken here), the message type, the
// sender's id, then the type's fields.  Strings are a byte count and UTF-8 bytes (0xffffffff
// for a null string); a date-time is a Julian day (qint64), milliseconds since midnight
// (quint32) and a time-zone kind (quint8: 0 local, 1 UTC, 2 offset seconds follow).
//
// Taken: Heartbeat (0), QSO Logged (5) and Logged ADIF (12).  Every other type is known to be
// well formed only as far as its header and is reported as kOther.  Texts are turned from UTF-8
// into the CP866 bytes the log keeps.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/datetime.h"
#include "util/result.h"

namespace vk {

inline constexpr std::uint32_t kWsjtxMagic = 0xadbccbdaU;
inline constexpr std::uint32_t kWsjtxMinSchema = 2;

enum class WsjtxKind : std::uint8_t {
  kHeartbeat,
  kQsoLogged,   // type 5, fields of its own
  kLoggedAdif,  // type 12, one ADIF record
  kOther,       // a type this program does not use (status, decodes, ...)
};

// One QSO as the digital program logged it, whichever message carried it.
struct DigitalQso {
  DateTime timeOff;  // UTC, to the second
  std::string call;
  std::string grid;
  std::uint64_t freqHz = 0;  // 0: not given (then `band` may name it)
  std::string band;          // ADIF band name ("20M"), when the message has one
  std::string mode;          // "FT8", or ADIF's "MFSK" with `submode` "FT4"
  std::string submode;
  std::string rstSent, rstRcvd;
  std::string exchSent, exchRcvd;  // the contest exchange beyond the report, as logged
  friend bool operator==(const DigitalQso&, const DigitalQso&) = default;
};

struct WsjtxMessage {
  WsjtxKind kind = WsjtxKind::kOther;
  std::uint32_t schema = 0;
  std::uint32_t type = 0;
  std::string id;       // the sending program's instance ("WSJT-X", "JTDX - 2")
  std::string version;  // heartbeat: the program's version
  DigitalQso qso;       // kQsoLogged and kLoggedAdif
};

// The message of one datagram; an error (with the reason) for bytes that are not one: another
// magic, a schema before 2, a field running past the end, a QSO without call or time.
Status DecodeWsjtx(std::string_view datagram, WsjtxMessage& out);

// The QSO of one ADIF record as WSJT-X writes it (Logged ADIF's text is a whole ADIF file
// with a header and one record).
Status DigitalQsoFromAdif(std::string_view adif, DigitalQso& out);

}  // namespace vk
