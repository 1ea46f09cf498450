// One contact as the log holds it, its checksum, the text forms of its band, mode and score,
// and the program-wide counter that hands out the identities of new contacts.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/bands.h"
#include "util/datetime.h"

namespace vk {

// Call sign and exchanges are stored at most this long; longer input is cut, never refused.
inline constexpr std::size_t kQsoFieldWidth = 16;

// The start value of a CRC-32 register: what a record that was never summed carries.
inline constexpr std::uint32_t kCrcUnset = 0xFFFFFFFFu;

struct QsoRecord {
  // Identity of the contact, the same at every station sharing the log; 0 = not assigned.
  std::int32_t Guid = 0;
  // The edit version: 1 on creation, one more with every edit.  Travels with the record and is
  // stored in the log file, so that the newest edit wins at every station, after restarts too.
  std::int32_t Mark = 1;
  std::uint32_t Crc = kCrcUnset;
  // To the second: the log file and the group's messages carry the seconds.
  DateTime Stamp;
  std::int32_t Freq = 0;  // units of 100 Hz: 14.025 MHz is 140250
  // Qualified: inside the record the name is the field's.
  vk::Mode Mode = vk::Mode::kUnknown;
  std::string Call;       // CP866 bytes, at most kQsoFieldWidth
  std::string Sent;
  std::string Rcvd;
  std::int16_t Score = 0;
  std::int16_t Multi = 0;
  std::int16_t Bonus = 0;
  // A repeat the contest does not count, logged all the same: it scores nothing and brings no
  // multiplier, but stays in the log and in every report.  Worked out by the rules whenever the
  // log is scored; never stored in the file, sent to the group or summed in the checksum.
  bool Dupe = false;
  // The QSO's place in the log's order where the operator put it out of its time order (the
  // Add QSO dialog inserting before another QSO); 0 = in time order.  See log_order.h.
  std::int64_t Place = 0;

  friend bool operator==(const QsoRecord&, const QsoRecord&) = default;
};

// CRC-32 (IEEE 802.3) over the record's contents: Guid, the six stamp fields, Freq and Mode's
// number little-endian, the bytes of Call, Sent and Rcvd without their lengths, then Score, Multi
// and Bonus.  Mark and Crc itself are left out, so a record's Mark may differ between stations.
std::uint32_t ComputeQsoCrc(const QsoRecord& qso);

// An edit's part of a record: frequency, mode, call and the two exchanges.  Identity, stamp,
// edit count and figures stay with the record edited; each editor sets the stamp its own way.
void TakeEditedFields(const QsoRecord& edit, QsoRecord& held);

// The edit version of the next edit of a QSO made at the station with this station part (0-127):
// the edit count in the bits above the low seven, the station in them.  Two edits of one QSO
// made on both sides of a split group never share a version, so every station keeps the same
// one: the later edit (by count), and between edits as many, the station with the higher part.
inline constexpr int kEditVersionStationBits = 7;
std::int32_t NextEditVersion(std::int32_t version, int stationPart);

// Cuts a call or exchange to the stored width.
std::string CutQsoField(std::string_view text);

// Three-character band text of a frequency.  These ranges are the log's own (wider on 80, 20
// and 10 m than the band index ranges); 30 m has no text.  `adifNames` gives the short forms
// "2", "70C" and "23C" that become the ADIF band names "2M", "70CM" and "23CM".
std::string QsoBandText(std::int32_t freq, bool adifNames);
// "CW", "PH", "FM", "RTTY", "PSK31"; any other code the empty text.
std::string QsoModeText(Mode mode);
// Score in decimal, with "*" when the contact brought a multiplier or a bonus; "DUP" for a
// repeat logged at zero (short enough for the narrowest points column).
std::string QsoScoreText(const QsoRecord& qso);

// The counter that supplies the Guid of contacts logged here, one per station.  The UI thread
// raises it on every idle pass and tick; loading the log file sets it to the last Guid read.
// It wraps instead of overflowing.
//
// In a group of stations every station mints Guids, and a Guid must name one QSO everywhere.
// A station with a station part (1-127) therefore mints Guids of the form
//   bit 31: 0, bits 30-24: the station part, bits 23-0: the low 24 bits of the counter,
// so two stations never mint the same one; the ADIF file still holds one 32-bit QGUID.  With
// part 0 (no group) the counter is the Guid, as it always was.  Part 127 is kept for Guids
// given at load to QSOs that shared one (guid_repair.h).
inline constexpr int kMaxStationPart = 126;
inline constexpr int kRepairStationPart = 127;

// The network thread sets the station part while the UI thread mints Guids: both are atomic.
class QsoIdCounter {
 public:
  std::int32_t Current() const;  // the next Guid as things stand: counter and station part
  void Set(std::int32_t value);
  std::int32_t Raise();  // adds one and returns the new value, as Current would
  // The bare counter, for the shell's pass count (it opens the windows at a fixed value).
  std::int32_t RaiseRaw();
  void SetStationPart(int part);  // 0 .. kMaxStationPart; other values count as 0
  int StationPart() const;

 private:
  std::atomic<std::int32_t> counter_{0};
  std::atomic<int> part_{0};
};

}  // namespace vk
