#include "app/log_store.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "log/journal.h"
#include "util/clock.h"
#include "util/datetime.h"
#include "util/strings.h"

namespace vk {
namespace {

constexpr std::string_view kArchiveDir = "arch";

std::string JoinPath(const std::string& dir, std::string_view name) {
  return dir.empty() ? std::string(name) : AddPathDelimiter(dir) + std::string(name);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// "<stem>.adi", else "<stem>-2.adi", "<stem>-3.adi", ...: a name no file has yet.
std::string FreePath(const std::string& dir, std::string_view stem) {
  std::string path = JoinPath(dir, std::string(stem) + ".adi");
  for (int n = 2; Exists(path); ++n) {
    path = JoinPath(dir, std::string(stem) + "-" + IntToStr(n) + ".adi");
  }
  return path;
}

std::string Stem(std::string_view fileName) {
  return std::string(fileName.substr(0, fileName.rfind('.')));
}

std::string NowText(const TimeSource& time) {
  return FormatMask(time.LocalNow(), "yyyymmdd-hhnnss");
}

class NullSink final : public AdifLoadSink {
 public:
  void OnRecordLoaded(const QsoRecord&) override {}
};

// Temporary files of saves that were killed before their rename: "vorkan.adi.tmpXXXXXX".
std::vector<std::string> LeftoverNames(const std::string& workDir, std::string_view logName) {
  std::vector<std::string> names;
  DIR* d = ::opendir(workDir.empty() ? "." : workDir.c_str());
  if (d == nullptr) return names;
  const std::string prefix = std::string(logName) + ".tmp";
  while (const dirent* e = ::readdir(d)) {
    std::string_view name(e->d_name);
    if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix) {
      names.emplace_back(name);
    }
  }
  ::closedir(d);
  return names;
}

// The rescue files of earlier runs: "vorkan-rescue.adi" and "vorkan-rescue-<n>.adi" (the copies
// Alt+X writes elsewhere carry a date and time and are the operator's own).
std::vector<std::string> RescueNames(const std::string& workDir) {
  std::vector<std::string> names;
  DIR* d = ::opendir(workDir.empty() ? "." : workDir.c_str());
  if (d == nullptr) return names;
  const std::string stem = Stem(kRescueLogFileName);
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name(e->d_name);
    if (name == kRescueLogFileName) {
      names.emplace_back(name);
      continue;
    }
    const std::string pre = stem + "-";
    if (name.size() <= pre.size() + 4 || name.substr(0, pre.size()) != pre ||
        name.substr(name.size() - 4) != ".adi") {
      continue;
    }
    const std::string_view n = name.substr(pre.size(), name.size() - pre.size() - 4);
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (n.size() <= 4 && std::all_of(n.begin(), n.end(), digit)) {
      names.emplace_back(name);
    }
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

bool StampBefore(const DateTime& x, const DateTime& y) {
  return std::tie(x.year, x.month, x.day, x.hour, x.minute) <
         std::tie(y.year, y.month, y.day, y.hour, y.minute);
}

// Whether the file holds exactly the bytes that writing the log would give.
bool InOwnLayout(const std::string& path, const TLogCollection& log) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  const std::string expected = BuildAdifLog(log);
  std::string buf(1 << 16, '\0');
  std::size_t at = 0;
  bool same = true;
  std::size_t n;
  while (same && (n = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
    same = at + n <= expected.size() && expected.compare(at, n, buf, 0, n) == 0;
    at += n;
  }
  std::fclose(f);
  return same && at == expected.size();
}

}  // namespace

LogStore::LogStore(std::string workDir, const TimeSource& time, Journal* journal)
    : time_(time),
      journal_(journal),
      workDir_(std::move(workDir)),
      logPath_(JoinPath(workDir_, kLogFileName)) {}

void LogStore::Note(std::string text) {
  JournalAppend(journal_, "Log file: " + text);
  if (!notice_.empty()) notice_ += "; ";
  notice_ += text;
}

void LogStore::Synced(const TLogCollection& log) {
  inSync_ = true;
  revision_ = log.Revision();
  fileCount_ = log.Count();
}

Status LogStore::Load(TLogCollection& log, AdifLoadSink& sink, AdifLoadStats* stats) {
  AdifLoadStats local;
  AdifLoadStats& s = stats ? *stats : local;
  Status st = LoadAdifLog(logPath_, log, sink, &s, journal_);
  if (st.code == ErrCode::kIo && s.droppedFull == 0) {
    rescue_ = true;
    Note(std::string(kLogFileName) + " could not be read (" + st.message + ")");
    (void)LoadRescue(log, sink);
    return st;
  }
  Synced(log);
  mark_ = MarkOfFile(logPath_);
  if (mark_.valid && !InOwnLayout(logPath_, log)) {
    // Read whole but not as this program writes it (no header, another program's field order,
    // a short year): appended records would not make a file of the one layout, so the next
    // save, or the end of the program, writes it whole.
    mark_.valid = false;
    inSync_ = false;
  }
  if (!st.ok() || !s.Whole()) {
    // Left as it is until a QSO is logged: a run that changes nothing does not touch it.
    archiveFirst_ = true;
    inSync_ = true;
    mark_.valid = false;
    Note(std::string(kLogFileName) + " was not read whole: " + IntToStr(s.records) + " QSO read, " +
         s.Describe() + ". The file is kept in " + std::string(kArchiveDir) +
         " before the first save");
  }
  CheckLeftovers(log);
  MergeRescues(log, sink);
  return st;
}

// The rescue files were written while vorkan.adi could not be read, so they hold QSOs the file
// lacks.  A QSO both hold (one Guid, one call, one minute) counts once, in its most edited form;
// the rest is placed in time order.  A Guid minted in a rescue run may name another QSO of
// vorkan.adi: the logbook gives one of them a new Guid after the load.
void LogStore::MergeRescues(TLogCollection& log, AdifLoadSink& sink) {
  for (const std::string& name : RescueNames(workDir_)) {
    const std::string path = JoinPath(workDir_, name);
    TLogCollection other;
    NullSink none;
    AdifLoadStats os;
    const Status r = LoadAdifLog(path, other, none, &os, journal_);
    if (!r.ok() || !os.Whole()) {
      Note(name + " (QSOs of a run that could not read " + std::string(kLogFileName) +
           ") was not read whole: merge it with File > Import ADIF; it is left as it is");
      continue;
    }
    int added = 0;
    bool full = false;
    for (const QsoRecord& q : other) {
      const int at = log.FindByGuid(q.Guid);
      if (at >= 0) {
        const QsoRecord& held = *log.At(at);
        if (held.Call == q.Call && !StampBefore(held.Stamp, q.Stamp) &&
            !StampBefore(q.Stamp, held.Stamp)) {
          if (q.Mark > held.Mark) log.Replace(at, q);
          continue;
        }
      }
      if (log.Count() >= TLogCollection::kMaxCount) {
        full = true;
        break;
      }
      int pos = log.Count();
      while (pos > 0 && StampBefore(q.Stamp, log.At(pos - 1)->Stamp)) --pos;
      log.InsertAt(pos, q);
      sink.OnRecordLoaded(q);
      ++added;
    }
    mergedQsos_ += added;
    if (full) {
      Note("the log is full: " + name + " was merged only in part; it is left as it is");
      continue;
    }
    merged_.push_back(name);
  }
  if (!merged_.empty() || mergedQsos_ > 0) {
    inSync_ = false;
    mark_.valid = false;
  }
}

Status LogStore::FinishMerge(const TLogCollection& log) {
  if (merged_.empty() && mergedQsos_ == 0) return Status::Ok();
  std::string names;
  for (const std::string& n : merged_) names += (names.empty() ? "" : ", ") + n;
  const std::string what = IntToStr(mergedQsos_) + " QSO of earlier runs merged from " +
                           (names.empty() ? std::string("rescue files") : names);
  Status s = WriteAll(log);
  if (!s) {
    Note(what + ", but " + std::string(kLogFileName) + " could not be written (" + s.message +
         "); the rescue files stay and are merged again at the next start");
    merged_.clear();
    return s;
  }
  const std::string dir = JoinPath(workDir_, kArchiveDir);
  if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
    Note(what + "; they stay (" + dir + ": " + std::strerror(errno) +
         ") and count once at the next start");
    merged_.clear();
    return Status::Ok();
  }
  for (const std::string& n : merged_) {
    const std::string to = FreePath(dir, Stem(n) + "-merged-" + NowText(time_));
    if (std::rename(JoinPath(workDir_, n).c_str(), to.c_str()) != 0) {
      JournalAppend(journal_,
                    "Log file: " + n + " not moved to " + to + ": " + std::strerror(errno));
    }
  }
  Note(what + " into " + std::string(kLogFileName) + "; the rescue files are kept in " +
       std::string(kArchiveDir));
  merged_.clear();
  return Status::Ok();
}

// The rescue file of an earlier run holds QSOs of its own: it is read into the log and saving
// goes on in it.  When it cannot be read whole either, a new numbered rescue file takes the log
// and the old one stays as it is.
Status LogStore::LoadRescue(TLogCollection& log, AdifLoadSink& sink) {
  const std::string rescue = JoinPath(workDir_, kRescueLogFileName);
  savePath_ = rescue;
  if (!log.Empty()) {
    savePath_ = FreePath(workDir_, Stem(kRescueLogFileName));
  } else if (Exists(rescue)) {
    AdifLoadStats rs;
    const Status r = LoadAdifLog(rescue, log, sink, &rs, journal_);
    if (r.ok() && rs.Whole()) {
      Synced(log);
      mark_ = MarkOfFile(rescue);
      if (!rs.endsWithLineEnd) mark_.valid = false;
      Note(IntToStr(log.Count()) + " QSO read from " + std::string(kRescueLogFileName));
    } else {
      savePath_ = FreePath(workDir_, Stem(kRescueLogFileName));
      Note(std::string(kRescueLogFileName) + " not read whole either; it is kept as it is");
    }
  }
  Note("QSOs are saved to " + savePath_);
  return Status::Ok();
}

void LogStore::CheckLeftovers(const TLogCollection& log) {
  std::set<std::pair<std::int32_t, std::uint32_t>> have;
  for (const QsoRecord& q : log) have.insert({q.Guid, q.Crc});
  for (const std::string& name : LeftoverNames(workDir_, kLogFileName)) {
    const std::string path = JoinPath(workDir_, name);
    TLogCollection other;
    NullSink none;
    AdifLoadStats os;
    if (!LoadAdifLog(path, other, none, &os, journal_).ok()) continue;
    int missing = 0;
    for (const QsoRecord& q : other) missing += have.count({q.Guid, q.Crc}) == 0 ? 1 : 0;
    if (missing > 0) {
      Note(name + " (left by a save that was cut short) holds " + IntToStr(missing) +
           " QSO missing from " + std::string(kLogFileName) + "; it is left as it is");
    } else if (os.Whole()) {
      ::unlink(path.c_str());  // nothing in it that the log does not hold
    }
  }
}

Status LogStore::ArchiveUnread() {
  const std::string dir = JoinPath(workDir_, kArchiveDir);
  if (::mkdir(dir.c_str(), 0777) != 0 && errno != EEXIST) {
    return Status::Error(ErrCode::kIo, "cannot create " + dir + ": " + std::strerror(errno));
  }
  const std::string to = FreePath(dir, Stem(kLogFileName) + "-unread-" + NowText(time_));
  Status s = PreserveFileAs(logPath_, to);
  if (s) JournalAppend(journal_, "Log file: " + std::string(kLogFileName) + " kept as " + to);
  return s;
}

Status LogStore::WriteAll(const TLogCollection& log) {
  if (archiveFirst_ && !rescue_) {
    if (Status a = ArchiveUnread(); !a) {
      inSync_ = false;
      return Status::Error(
          ErrCode::kIo,
          std::string(kLogFileName) + " not replaced, it could not be kept first: " + a.message);
    }
    archiveFirst_ = false;
  }
  Status s = WriteAdifLog(log, SavePath(), &mark_);
  if (!s) {
    inSync_ = false;
    return s;
  }
  Synced(log);
  staleFigures_ = false;
  return rescue_ ? RescueStatus() : s;
}

// Saved, but not where the operator expects it: every save says so.
Status LogStore::RescueStatus() const {
  return Status::Error(ErrCode::kIo, std::string(kLogFileName) + ": was unreadable; saved to " +
                                         savePath_.substr(savePath_.rfind('/') + 1));
}

Status LogStore::Append(const TLogCollection& log, int pos) {
  const bool onlyThisOne = inSync_ && !archiveFirst_ && pos == fileCount_ &&
                           pos == log.Count() - 1 && log.Revision() == revision_ + 1;
  if (!onlyThisOne || !mark_.valid) return WriteAll(log);
  Status s = AppendAdifRecord(*log.At(pos), SavePath(), mark_);
  if (!s) {
    JournalAppend(journal_, "Log file: append failed (" + s.message + "); writing it whole");
    return WriteAll(log);
  }
  Synced(log);
  return rescue_ ? RescueStatus() : s;
}

bool LogStore::Holds(const TLogCollection& log) const {
  return inSync_ && !staleFigures_ && revision_ == log.Revision();
}

void LogStore::ScoredAfterLoad(const TLogCollection& log, std::uint64_t before,
                               bool figuresChanged) {
  if (!inSync_ || revision_ != before || fileCount_ != log.Count()) return;
  revision_ = log.Revision();
  if (figuresChanged) staleFigures_ = true;
}

Status LogStore::WriteCopy(const TLogCollection& log, const std::string& dir,
                           std::string& path) const {
  path = FreePath(dir, Stem(kRescueLogFileName) + "-" + NowText(time_));
  return WriteAdifLog(log, path);
}

}  // namespace vk
