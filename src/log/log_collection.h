// The log: every contact of the contest in the order it was made (position 0 is the oldest),
// with the log checksum that stations compare to find out whether their logs differ.
//
// Positions run 0 .. Count() - 1.  The windows and dialogs pass only positions of existing
// contacts, but a position that is out of range is never trusted: setters and deletes ignore
// it, getters answer with an empty value, and the changing operations report false.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log/qso.h"
#include "util/datetime.h"

namespace vk {

class Journal;

class TLogCollection {
 public:
  // Window and checksum loops count positions in 16 bits; the log refuses to grow beyond.
  static constexpr int kMaxCount = 65535;

  TLogCollection();

  // True only while the ADIF writer asks for band texts: switches the VHF/UHF band texts of
  // GetBandStr to their short forms ("2", "70C", "23C").
  bool AdifBandNames = false;

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  bool ValidPos(int pos) const { return pos >= 0 && pos < Count(); }
  // The contact at a position, or nullptr when there is none.
  const QsoRecord* At(int pos) const { return ValidPos(pos) ? &items_[pos] : nullptr; }
  std::vector<QsoRecord>::const_iterator begin() const { return items_.begin(); }
  std::vector<QsoRecord>::const_iterator end() const { return items_.end(); }

  // Raised by every change of the log (append, insert, delete, clear and each setter): a saver
  // compares it with the value at its last write to know whether the file still holds the log.
  std::uint64_t Revision() const { return revision_; }
  // Raised only by the changes that move contacts or change a call (insert, delete, clear, a
  // new call): an index of the log by call that saw this value needs only the appended
  // contacts added.
  std::uint64_t CallRevision() const { return callRevision_; }

  // CRC-32 over the little-endian Crc of every contact in log order; 0 for an empty log.
  std::uint32_t LogCrc() const { return logCrc_; }

  // Copies every field but Crc (calls and exchanges cut to 16), sums the copy and the log.
  // False when the log is full.
  bool Append(const QsoRecord& qso);
  // Places a built contact at pos (0 .. Count()), moving later ones up, and sums it and the
  // log, so a contact inserted by dialog or from the network is summed like an appended one.
  bool InsertAt(int pos, QsoRecord qso);
  bool Delete(int pos);  // recomputes the log checksum
  // The QSO at pos becomes `qso` (record and log checksums recomputed); false outside the log.
  bool Replace(int pos, QsoRecord qso);
  void Clear();          // the log checksum becomes 0, that of an empty log

  // Setters used by the edit dialog and the network; the caller then calls CalcCrc and
  // CalcLogCrc once for the whole edit.
  void SetStamp(int pos, std::string_view text, std::string_view mask, const TimeSource& time);
  void SetFreqFromBand(int pos, std::string_view bandName);  // "20M" and the like
  void SetFreq(int pos, std::int32_t freq);
  void SetModeFromName(int pos, std::string_view name);  // "CW", "SSB", "PH", ...
  void SetMode(int pos, Mode mode);
  void SetCall(int pos, std::string_view text);
  void SetSent(int pos, std::string_view text);
  void SetRcvd(int pos, std::string_view text);
  void CalcCrc(int pos);
  void CalcLogCrc();
  // The scoring's verdict on a QSO: its figures and dupe mark; the record checksum follows
  // (the caller sums the log once when done).
  void SetFigures(int pos, std::int16_t score, std::int16_t multi, std::int16_t bonus, bool dupe);

  // Lowest position whose Guid matches, or -1.
  int FindByGuid(std::int32_t guid) const;

  std::int32_t GetGuid(int pos) const;
  std::int32_t GetFreq(int pos) const;
  Mode GetMode(int pos) const;
  std::string GetCall(int pos) const;
  std::string GetSent(int pos) const;
  std::string GetRcvd(int pos) const;
  std::string GetStampStr(int pos, std::string_view mask) const;
  // Days since 30 December 1899, seconds dropped; 0 for a bad position or an impossible stamp.
  DateValue GetStampValue(int pos) const;
  std::string GetBandStr(int pos) const;  // three characters, see QsoBandText
  std::string GetModeStr(int pos) const;
  std::string GetScoreStr(int pos) const;     // "12*"
  std::string GetScoreNumStr(int pos) const;  // plain decimal values
  std::string GetMultiNumStr(int pos) const;
  std::string GetBonusNumStr(int pos) const;

 private:
  QsoRecord* Mut(int pos) {
    ++revision_;
    return ValidPos(pos) ? &items_[pos] : nullptr;
  }

  std::vector<QsoRecord> items_;
  std::uint32_t logCrc_ = 0;
  std::uint64_t revision_ = 0;
  std::uint64_t callRevision_ = 0;
  // Set when a record checksum changed after the log checksum was computed; Append then sums
  // the whole log instead of extending the checksum by the new record.
  bool logCrcStale_ = false;
};

}  // namespace vk
