// Where the log lives on disk and how it gets there without losing a QSO.
//
// A new QSO at the end of the log is appended to vorkan.adi and flushed (a few hundred bytes,
// whatever the size of the log); the whole file is replaced atomically only when earlier QSOs
// changed.  A file the load could not read whole is never replaced unread: when its bytes can be
// read it is first kept in the arch folder, and when it cannot be read at all the log goes to a
// rescue file, which is itself read at the next start and never replaced by a log that did not
// read it.  Once vorkan.adi reads again, the QSOs of the rescue files left by those runs are
// merged into the log (a QSO both hold counts once), written to vorkan.adi, and the rescue
// files moved to the arch folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "log/adif.h"
#include "log/log_collection.h"
#include "util/atomic_file.h"
#include "util/clock.h"
#include "util/result.h"

namespace vk {

class Journal;

// Where the log goes when vorkan.adi exists but could not be read at start: writing the new
// log over it would throw away every QSO the unreadable file holds.
inline constexpr std::string_view kRescueLogFileName = "vorkan-rescue.adi";

class LogStore {
 public:
  // `workDir` empty: the current directory.  `time` names the kept and rescue copies;
  // `journal` (nullptr: none) hears what the operator is told.  Both outlive the store.
  LogStore(std::string workDir, const TimeSource& time, Journal* journal = nullptr);

  // Reads vorkan.adi into the empty log, or the rescue file when vorkan.adi cannot be read.
  // The status is that of vorkan.adi (kIo when it could not be read); Notice() tells the
  // operator what was found and where the log will be saved.
  Status Load(TLogCollection& log, AdifLoadSink& sink, AdifLoadStats* stats);
  // After a load that merged rescue files (the log scored and its Guids checked): writes the
  // log to vorkan.adi and moves the merged rescue files to arch.  When the write fails they
  // stay where they are and are merged again at the next start.
  Status FinishMerge(const TLogCollection& log);

  // The log was scored right after Load (`before`: its revision then).  The dupe marks are not
  // in the file, so a file that held the log still does, and a new QSO is appended to it.
  // When points, multipliers or bonus changed (`figuresChanged`: the file was written under
  // other rules, or by another program), the QSOs are all in the file but some figures are
  // not: new QSOs are still appended, and the whole file is written at the next whole write,
  // at the latest at the end of the program.  A log changed otherwise since the load is left
  // to the next save, which writes it whole.
  void ScoredAfterLoad(const TLogCollection& log, std::uint64_t before, bool figuresChanged);

  // Saves the QSO just appended at `pos` by appending it to the file; anything else (earlier
  // changes not yet written, a file changed behind the program's back, a failed append) falls
  // back to WriteAll.
  Status Append(const TLogCollection& log, int pos);
  // Replaces the whole file.  In rescue mode the log goes to the rescue file and the status
  // still says that vorkan.adi was not written.
  Status WriteAll(const TLogCollection& log);
  // True when the file on disk (vorkan.adi or the rescue file) holds exactly the log, figures
  // included.
  bool Holds(const TLogCollection& log) const;
  // Writes the whole log to a file of its own in `dir` (the operator's last resort when the
  // working directory cannot be written); `path` gets the file's name.
  Status WriteCopy(const TLogCollection& log, const std::string& dir, std::string& path) const;

  const std::string& SavePath() const { return rescue_ ? savePath_ : logPath_; }
  // True when every byte of vorkan.adi is in the log (read whole, written by this run, or no
  // file at all): removing the file then loses nothing the log does not hold.
  bool FileInLog() const { return !rescue_ && !archiveFirst_; }
  bool RescueMode() const { return rescue_; }
  // For the operator after the load: empty when the file was read whole and nothing is odd.
  const std::string& Notice() const { return notice_; }

 private:
  Status LoadRescue(TLogCollection& log, AdifLoadSink& sink);
  void MergeRescues(TLogCollection& log, AdifLoadSink& sink);
  void CheckLeftovers(const TLogCollection& log);
  Status ArchiveUnread();
  void Note(std::string text);
  void Synced(const TLogCollection& log);
  Status RescueStatus() const;

  const TimeSource& time_;
  Journal* journal_;
  std::string workDir_;
  std::string logPath_;
  std::string savePath_;       // the rescue file, in rescue mode
  bool rescue_ = false;        // vorkan.adi could not be read at all
  bool archiveFirst_ = false;  // vorkan.adi was not read whole: keep it before replacing it
  FileMark mark_;              // the file as last written or read
  bool inSync_ = false;        // the file held the log at revision_
  bool staleFigures_ = false;  // ... all but some points, multipliers or bonus
  std::uint64_t revision_ = 0;
  int fileCount_ = 0;  // QSOs in the file
  std::string notice_;
  std::vector<std::string> merged_;  // rescue files merged into the log, not yet archived
  int mergedQsos_ = 0;
};

}  // namespace vk
