// The log file: ADIF 3.0 fields, one record per CR LF line, bytes in the console code page.
// The program writes the whole file from the log every time it saves and reads it back once
// per run.  Writer and reader are made for each other: the reader takes only lines that hold
// a whole record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log/log_collection.h"
#include "log/qso.h"
#include "util/atomic_file.h"
#include "util/result.h"

namespace vk {

class Journal;

inline constexpr std::string_view kLogFileName = "vorkan.adi";
// Application-defined fields of the group's bookkeeping (ADIF's APP_<program>_<name>): the
// edit version of a QSO edited at least once, and the explicit place of a QSO inserted out of
// its time order (see log_order.h).  Other programs skip them.
inline constexpr std::string_view kAdifEditField = "APP_VORKAN_EDIT";
inline constexpr std::string_view kAdifPlaceField = "APP_VORKAN_PLACE";

// What the log module cannot do itself while loading: raise the band totals and let the
// rules note the multipliers and bonuses of each contact.  Called once per record, before the
// record is appended to the log.
struct AdifLoadSink {
  virtual ~AdifLoadSink() = default;
  virtual void OnRecordLoaded(const QsoRecord& qso) = 0;
};

// The nine header lines, CR LF ended.
std::string AdifHeader();
// One record line without its CR LF, for example
// <QSO_DATE:8>20240305<TIME_ON:4>0907<BAND:3>20M<FREQ:6>14.025<MODE:2>CW<CALL:6>N0CALL...<EOR>
std::string AdifRecordLine(const QsoRecord& qso);
// Header and every record, as the file holds them.
std::string BuildAdifLog(const TLogCollection& log);
// MHz with four decimals, trailing zeros dropped down to one: 140250 "14.025", 70000 "7.0".
std::string AdifFreqText(std::int32_t freq);

// Appends one record line (CR LF ended) to a log file that already holds the header and the
// records before it, and flushes it to disk (fdatasync) before returning.  `mark` is what the
// caller knows of the file (device, inode, size) from its last write; a file that changed
// behind its back is not touched and kNotFound comes back, so the caller writes the whole log
// instead.  A write that fails half-way is cut back off the file; if even that fails the mark
// is cleared, which forces a whole write next time.
Status AppendAdifRecord(const QsoRecord& qso, const std::string& path, FileMark& mark);

// Replaces the file with the whole log.  The new file is complete on disk before it takes the
// old one's place, so a crash or a full disk never leaves half a log.  An empty log leaves the
// file as it was.  On failure the old file and the log in memory are untouched.
// `mark`, when given, describes the file written (invalid when nothing was written).
Status WriteAdifLog(const TLogCollection& log, const std::string& path, FileMark* mark = nullptr);

struct AdifLoadStats {
  int records = 0;              // appended to the log
  int badFreq = 0;              // FREQ values that were not a number; the previous frequency stayed
  int longLines = 0;            // stretches too long to be a record, skipped
  int droppedFull = 0;          // records left out because the log was full
  int badStamps = 0;            // records with a date or time no calendar has, left out
  int unknownFields = 0;        // fields of other programs that the log does not keep
  int cutFields = 0;            // calls and exchanges longer than the log keeps
  long long strayBytes = 0;     // text outside any record (after the header)
  bool partialTail = false;     // the file ends inside a record
  bool endsWithLineEnd = true;  // the last byte is a line end (or the file is empty)
  std::string unknownNames;     // the first few names of unknown fields

  // Nothing that looks like data was skipped, cut or left out: writing the log over the file
  // loses nothing.
  bool Whole() const;
  // What was skipped, for the journal and the operator: "2 fields not kept (NAME), ...".
  std::string Describe() const;
};

// Appends the records of the file to the log, numbers records without QGUID by fives (the sink
// hears each record with its Guid) and sums the log once at the end.  A missing file loads
// nothing and is not an error; a file that exists but cannot be read whole gives kIo, and so
// does one holding more QSOs than the log takes: either way the file must not be replaced by
// the log.  Damaged lines never stop the load: the other records are read.
// What was not read whole is journalled (`journal` nullptr: nowhere).
Status LoadAdifLog(const std::string& path, TLogCollection& log, AdifLoadSink& sink,
                   AdifLoadStats* stats = nullptr, Journal* journal = nullptr);
Status LoadAdifLog(const std::string& path, TLogCollection& log, Journal* journal = nullptr);

// Reads records from text already in memory, as LoadAdifLog does from a file.
void LoadAdifText(std::string_view text, TLogCollection& log, AdifLoadSink& sink,
                  AdifLoadStats* stats = nullptr, Journal* journal = nullptr);

}  // namespace vk
