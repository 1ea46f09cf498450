#include "log/log_collection.h"

#include <zlib.h>

#include <array>
#include <utility>

#include "util/bands.h"
#include "util/strings.h"

namespace vk {
namespace {

uLong CrcAddRecordCrc(uLong crc, std::uint32_t recordCrc) {
  std::array<Bytef, 4> b = {static_cast<Bytef>(recordCrc), static_cast<Bytef>(recordCrc >> 8),
                            static_cast<Bytef>(recordCrc >> 16),
                            static_cast<Bytef>(recordCrc >> 24)};
  return ::crc32(crc, b.data(), 4);
}

void CutFields(QsoRecord& q) {
  if (q.Call.size() > kQsoFieldWidth) q.Call.resize(kQsoFieldWidth);
  if (q.Sent.size() > kQsoFieldWidth) q.Sent.resize(kQsoFieldWidth);
  if (q.Rcvd.size() > kQsoFieldWidth) q.Rcvd.resize(kQsoFieldWidth);
}

constexpr char kBar = '\xB3';  // CP866 vertical box-drawing line

}  // namespace

// The log starts with room for 100 contacts; the vector grows geometrically
// from there, so appending stays cheap up to the full 65535.
TLogCollection::TLogCollection() {
  items_.reserve(100);
}

bool TLogCollection::Append(const QsoRecord& qso) {
  if (Count() >= kMaxCount) return false;
  ++revision_;
  QsoRecord& q = items_.emplace_back(qso);
  CutFields(q);
  q.Crc = ComputeQsoCrc(q);
  // The log checksum is a CRC over the record checksums in order, so a new last record
  // extends it; only a stale checksum needs the whole log summed again.
  if (logCrcStale_) {
    CalcLogCrc();
  } else {
    logCrc_ = static_cast<std::uint32_t>(CrcAddRecordCrc(logCrc_, q.Crc));
  }
  return true;
}

bool TLogCollection::InsertAt(int pos, QsoRecord qso) {
  if (pos < 0 || pos > Count() || Count() >= kMaxCount) return false;
  CutFields(qso);
  qso.Crc = ComputeQsoCrc(qso);
  ++revision_;
  ++callRevision_;
  items_.insert(items_.begin() + pos, std::move(qso));
  CalcLogCrc();
  return true;
}

bool TLogCollection::Replace(int pos, QsoRecord qso) {
  if (!ValidPos(pos)) return false;
  CutFields(qso);
  qso.Crc = ComputeQsoCrc(qso);
  ++revision_;
  ++callRevision_;  // an edit may change the call, band or mode the call indexes hold
  items_[static_cast<std::size_t>(pos)] = std::move(qso);
  CalcLogCrc();
  return true;
}

bool TLogCollection::Delete(int pos) {
  if (!ValidPos(pos)) return false;
  ++revision_;
  ++callRevision_;
  items_.erase(items_.begin() + pos);
  CalcLogCrc();
  return true;
}

void TLogCollection::Clear() {
  ++revision_;
  ++callRevision_;
  items_.clear();
  CalcLogCrc();
}

void TLogCollection::SetStamp(int pos, std::string_view text, std::string_view mask,
                              const TimeSource& time) {
  if (QsoRecord* q = Mut(pos)) ParseMask(text, mask, q->Stamp, time);
}

void TLogCollection::SetFreqFromBand(int pos, std::string_view bandName) {
  if (QsoRecord* q = Mut(pos)) q->Freq = FreqOfBandName(bandName);
}

void TLogCollection::SetFreq(int pos, std::int32_t freq) {
  if (QsoRecord* q = Mut(pos)) q->Freq = freq;
}

void TLogCollection::SetModeFromName(int pos, std::string_view name) {
  if (QsoRecord* q = Mut(pos)) q->Mode = ModeOfName(name);
}

void TLogCollection::SetMode(int pos, Mode mode) {
  if (QsoRecord* q = Mut(pos)) q->Mode = mode;
}

void TLogCollection::SetCall(int pos, std::string_view text) {
  ++callRevision_;
  if (QsoRecord* q = Mut(pos)) q->Call = CutQsoField(text);
}

void TLogCollection::SetSent(int pos, std::string_view text) {
  if (QsoRecord* q = Mut(pos)) q->Sent = CutQsoField(text);
}

void TLogCollection::SetRcvd(int pos, std::string_view text) {
  if (QsoRecord* q = Mut(pos)) q->Rcvd = CutQsoField(text);
}

void TLogCollection::SetFigures(int pos, std::int16_t score, std::int16_t multi,
                                std::int16_t bonus, bool dupe) {
  QsoRecord* q = Mut(pos);
  if (q == nullptr) return;
  q->Score = score;
  q->Multi = multi;
  q->Bonus = bonus;
  q->Dupe = dupe;
  CalcCrc(pos);
}

void TLogCollection::CalcCrc(int pos) {
  QsoRecord* q = Mut(pos);
  if (q == nullptr) return;
  std::uint32_t crc = ComputeQsoCrc(*q);
  if (crc != q->Crc) logCrcStale_ = true;
  q->Crc = crc;
}

void TLogCollection::CalcLogCrc() {
  uLong crc = ::crc32(0L, Z_NULL, 0);
  for (const QsoRecord& q : items_) crc = CrcAddRecordCrc(crc, q.Crc);
  logCrc_ = static_cast<std::uint32_t>(crc);
  logCrcStale_ = false;
}

int TLogCollection::FindByGuid(std::int32_t guid) const {
  for (int i = 0; i < Count(); ++i) {
    if (items_[i].Guid == guid) return i;
  }
  return -1;
}

std::int32_t TLogCollection::GetGuid(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? q->Guid : 0;
}

std::int32_t TLogCollection::GetFreq(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? q->Freq : 0;
}

Mode TLogCollection::GetMode(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? q->Mode : Mode::kUnknown;
}

std::string TLogCollection::GetCall(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? q->Call : std::string();
}

std::string TLogCollection::GetSent(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? q->Sent : std::string();
}

std::string TLogCollection::GetRcvd(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? q->Rcvd : std::string();
}

std::string TLogCollection::GetStampStr(int pos, std::string_view mask) const {
  const QsoRecord* q = At(pos);
  return q ? FormatMask(q->Stamp, mask) : std::string();
}

DateValue TLogCollection::GetStampValue(int pos) const {
  const QsoRecord* q = At(pos);
  if (q == nullptr) return 0;
  DateTime t = q->Stamp;
  t.second = 0;
  DateValue v = 0;
  return EncodeDateValue(t, v).ok() ? v : 0;
}

std::string TLogCollection::GetBandStr(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? QsoBandText(q->Freq, AdifBandNames) : std::string();
}

std::string TLogCollection::GetModeStr(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? QsoModeText(q->Mode) : std::string();
}

std::string TLogCollection::GetScoreStr(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? QsoScoreText(*q) : std::string();
}

std::string TLogCollection::GetScoreNumStr(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? IntToStr(q->Score) : std::string();
}

std::string TLogCollection::GetMultiNumStr(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? IntToStr(q->Multi) : std::string();
}

std::string TLogCollection::GetBonusNumStr(int pos) const {
  const QsoRecord* q = At(pos);
  return q ? IntToStr(q->Bonus) : std::string();
}

}  // namespace vk
