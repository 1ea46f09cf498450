// The texts of the stations' own bookkeeping (the keywords are in net_message.h).  Each begins
// with the sending station's number, so a station can tell its peers apart whatever address
// or port their datagrams come from:
//
//   DIG:<station>^<QSOs>^<digest>^<log checksum>      every half second
//   ACK:<station>^<hash>,<hash>,...                   change messages taken here
//   BKT:<station>^<first bucket>^<digest><digest>...  bucket digests, 8 hex digits each
//   INV:<station>^<bucket>^<part>/<parts>^<entry>,... what one bucket holds
//   WANT:<station>^<guid>,<guid>,...                  QSOs asked for
//   REC:<station>^<Guid of the QSO after it>^<QSO line>
//
// Digests, hashes and Guids in these texts are 8 hex digits (lower case); an INV entry is
// "<guid>.<crc>.<mark>" for a QSO held and "<guid>.x" for one deleted.  Readers refuse a text
// that does not have this form whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log/qso.h"

namespace vk {

std::string Hex8(std::uint32_t v);
std::optional<std::uint32_t> ReadHex8(std::string_view text);

struct DigText {
  int station = 0;
  std::uint32_t count = 0;
  std::uint32_t digest = 0;
  std::uint32_t logCrc = 0;
};
std::string FormatDig(const DigText& d);
std::optional<DigText> ParseDig(std::string_view body);

struct InvEntry {
  std::uint32_t guid = 0;
  bool deleted = false;
  std::uint32_t crc = 0;
  std::int32_t mark = 0;
};

struct SyncText {
  int station = 0;
  std::string_view rest;  // what follows "<station>^"
};
// The station number and the rest of a bookkeeping message body (after the keyword).
std::optional<SyncText> SplitStation(std::string_view body);
// "a,b,c" of 8-hex-digit numbers; nullopt when any is not one.
std::optional<std::vector<std::uint32_t>> ReadHexList(std::string_view text);
std::optional<InvEntry> ReadInvEntry(std::string_view text);
std::string FormatInvEntry(const InvEntry& e);

// CRC-32 of a message text: how an ACK names the change message it answers.
std::uint32_t MessageHash(std::string_view text);

}  // namespace vk
