#include "app/new_contest.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/station_setup.h"
#include "log/adif.h"
#include "log/journal.h"
#include "rules/rules_loader.h"
#include "rules/tree_rules.h"
#include "util/atomic_file.h"
#include "util/clock.h"
#include "util/strings.h"

namespace vk {

namespace {

std::string Cut(std::string s, std::size_t width) {
  if (s.size() > width) s.resize(width);
  return s;
}

std::string JoinPath(const std::string& dir, std::string_view name) {
  return dir.empty() ? std::string(name) : AddPathDelimiter(dir) + std::string(name);
}

Status Errno(const std::string& what, const std::string& path) {
  return Status::Error(ErrCode::kIo, what + " " + path + ": " + std::strerror(errno));
}

// The whole file, or nothing when it does not exist.  A file that exists but cannot be read is
// an error: it must then stay where it is.  Plain reads, so a fault is a status, never a throw.
Status ReadIfPresent(const std::string& path, std::string& out, bool& present) {
  present = false;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? Status::Ok() : Errno("cannot open", path);
  struct stat st {};
  Status s;
  if (::fstat(fd, &st) != 0) {
    s = Errno("cannot look at", path);
  } else if (!S_ISREG(st.st_mode)) {
    s = Status::Error(ErrCode::kIo, path + " is not a file");
  } else {
    char buf[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n > 0) {
        out.append(buf, static_cast<std::size_t>(n));
      } else if (n == 0) {
        present = true;
        break;
      } else if (errno != EINTR) {
        s = Errno("cannot read", path);
        break;
      }
    }
  }
  ::close(fd);
  return s;
}

Status EnsureFolder(const std::string& dir) {
  struct stat st {};
  if (::stat(dir.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) return Status::Ok();
    return Status::Error(ErrCode::kIo, dir + " is not a folder");
  }
  if (::mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST) return Status::Ok();
  return Errno("cannot create", dir);
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// An archive is never written over: a clock set back, or two archives in one second, get
// "-2", "-3" ... before the extension.
std::string FreePath(const std::string& dir, const std::string& fileName) {
  const std::string path = JoinPath(dir, fileName);
  if (!Exists(path)) return path;
  const std::size_t dot = fileName.rfind('.');
  const std::string stem = fileName.substr(0, dot);
  const std::string ext = dot == std::string::npos ? "" : fileName.substr(dot);
  for (int n = 2;; ++n) {
    std::string candidate = JoinPath(dir, stem + "-" + IntToStr(n) + ext);
    if (!Exists(candidate)) return candidate;
  }
}

std::string WithSuffix(const std::string& fileName, std::string_view suffix) {
  const std::size_t dot = fileName.rfind('.');
  return fileName.substr(0, dot) + std::string(suffix) + fileName.substr(dot);
}

}  // namespace

Mode ModeOfContestChoice(int choice) {
  const int last = static_cast<int>(kModeChoices.size()) - 1;
  return ModeOfName(kModeChoices[static_cast<std::size_t>(std::clamp(choice, 0, last))]);
}

// --- the Select contest dialog ----------------------------------------------------------------

SelectContestForm MakeSelectContestForm(const ContestList& list, int entry,
                                        std::string_view ownCall) {
  SelectContestForm f;
  if (entry >= 0) f.displayNames = list.DisplayNames(static_cast<std::size_t>(entry));
  // The shipped placeholder would have the operator's call typed behind it.
  if (ownCall != kPlaceholderCall) f.call = Cut(std::string(ownCall), kContestCallLength);
  return f;
}

ContestOffer OfferContest(const ContestList& list, const CountryLists& countries, int entry,
                          std::string_view displayName, std::string_view call, Journal* journal) {
  ContestOffer o;
  o.entry = entry;
  o.displayName = Cut(std::string(displayName), kDisplayNameWidth);
  o.ownCall = Cut(UpperCase(Trim(call)), kOwnCallWidth);
  if (entry >= 0) {
    o.contestName = Cut(list.ContestNameOfDisplayName(static_cast<std::size_t>(entry), displayName),
                        kContestNameWidth);
  }
  // A tree of its own: the running contest keeps its rules even when the operator cancels the
  // next dialog, and a contest chosen twice in one run is not read on top of itself.
  TTreeRules scratch(journal);
  scratch.SetCountryLists(&countries);
  o.callKnown = scratch.SetOwnCall(o.ownCall);
  if (!o.callKnown) {
    o.load =
        Status::Error(ErrCode::kNotFound, "own call " + o.ownCall + " is not in the country list");
    return o;
  }
  o.load = LoadContest(scratch, list, o.contestName);
  if (!o.load) JournalAppend(journal, "Select contest " + o.contestName + ": " + o.load.message);
  o.modeChoice = scratch.Settings().modeChoice;
  o.exchangeCaption = scratch.Settings().caption;
  return o;
}

// --- the contest settings dialog --------------------------------------------------------------

ContestSettingsForm MakeContestSettingsForm(const TimeSource& time) {
  ContestSettingsForm f;
  const PackedDateTime now = CurrentPacked(time);
  f.date = FormatPacked(now, kContestDateMask);
  f.time = FormatPacked(now, kContestTimeMask);
  return f;
}

SettingsFault CheckContestSettings(const ContestSettingsForm& form, const TimeSource& time) {
  if (form.work != kWorkWriteLog) return SettingsFault::kNone;
  DateTime dt;
  ParseMask(form.date, kContestDateMask, dt, time);
  if (form.date.size() != kContestDateMask.size() || !IsValidDate(dt.year, dt.month, dt.day)) {
    return SettingsFault::kDate;
  }
  ParseMask(form.time, kContestTimeMask, dt, time);
  if (form.time.size() != kContestTimeMask.size() || !IsValidTime(dt.hour, dt.minute, 0)) {
    return SettingsFault::kTime;
  }
  return SettingsFault::kNone;
}

MainSettings ApplyContestSettings(MainSettings base, const ContestOffer& offer,
                                  const ContestSettingsForm& form) {
  base.contest = Cut(offer.contestName, kContestNameWidth);
  base.call = Cut(offer.ownCall, kOwnCallWidth);
  base.work = form.work == kWorkWriteLog ? kWorkWriteLog : kWorkContest;
  if (base.work == kWorkWriteLog) {
    base.date = Cut(form.date, kContestDateLength);
    base.time = Cut(form.time, kStoredTimeWidth);
  } else {
    base.date.clear();
    base.time.clear();
  }
  // The configuration keeps the fixed mode's number; 0 leaves the mode to the operator.
  base.mode = offer.modeChoice ? ModeNumber(ModeOfContestChoice(form.mode)) : 0;
  base.txnr =
      offer.exchangeCaption.empty() ? "" : Cut(UpperCase(Trim(form.exchange)), kStoredTxnrWidth);
  return base;
}

// --- the archive ------------------------------------------------------------------------------

std::string ArchiveFileName(std::string_view oldContest, const DateTime& now) {
  std::string name = oldContest.empty() ? std::string("log") : std::string(oldContest);
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\0', '_');
  return name + "-" + FormatMask(now, "yyyymmdd-hhnnss") + ".adi";
}

ArchiveOutcome ArchiveLog(const TLogCollection& log, const ArchiveRequest& request) {
  ArchiveOutcome out;
  std::string fileBytes;
  bool haveFile = false;
  if (!request.fileInLog) {
    const std::string logPath = JoinPath(request.workDir, kLogFileName);
    out.status = ReadIfPresent(logPath, fileBytes, haveFile);
    if (!out.status) return out;
    haveFile = haveFile && !fileBytes.empty();
  }
  if (log.Empty() && !haveFile) return out;

  const std::string dir = JoinPath(request.workDir, kArchiveDirName);
  out.status = EnsureFolder(dir);
  if (!out.status) {
    out.folderFailed = true;
    return out;
  }
  const std::string name = ArchiveFileName(request.oldContest, request.now);
  if (!log.Empty()) {
    const std::string path = FreePath(dir, name);
    out.status = WriteAdifLog(log, path);
    if (!out.status) return out;
    out.written.push_back(path);
  }
  if (haveFile) {
    const std::string path = FreePath(dir, log.Empty() ? name : WithSuffix(name, "-file"));
    out.status = ReplaceFileAtomically(path, fileBytes);
    if (!out.status) return out;
    out.written.push_back(path);
  }
  return out;
}

// --- the whole command ------------------------------------------------------------------------

NewContestResult CompleteNewContest(Station& station, ShellState& state, const ContestOffer& offer,
                                    const ContestSettingsForm& form, bool logFileLoaded) {
  NewContestResult r;
  const std::string configPath = station.PathOf(kConfigFileName);
  // The file as it is now: lines another dialog changed since the start are kept.
  MainSettings base = station.Settings().main;
  if (MainSettings fresh; ReadMainSettings(fresh, configPath)) base = fresh;
  const MainSettings next = ApplyContestSettings(base, offer, form);

  ArchiveRequest request{station.WorkDir(), state.contestName, station.Time().LocalNow(),
                         logFileLoaded};
  ArchiveOutcome archive = ArchiveLog(station.Log(), request);
  if (!archive.status) {
    JournalAppend(station.journal(), "New contest: log not archived: " + archive.status.message);
    if (archive.folderFailed) station.Bus().Broadcast(cm::kErrMakeDir);
    r.end = NewContestEnd::kArchiveFailed;
    if (!archive.folderFailed) r.message = "Log not archived: " + archive.status.message;
    return r;
  }
  r.archived = archive.written;
  for (const std::string& path : r.archived)
    JournalAppend(station.journal(), "New contest: log archived to " + path);

  if (!WriteMainSettings(next, configPath)) {
    JournalAppend(station.journal(), "New contest: " + std::string(kErrNotUpdateVorkConfig));
    r.end = NewContestEnd::kSettingsNotWritten;
    r.message = std::string(kErrNotUpdateVorkConfig);
    return r;
  }
  station.Settings().main = next;
  state.NoContest = true;
  state.DiscardLog = true;
  state.contestName = next.contest;
  state.contestDisplayName = offer.displayName;
  state.ownCall = next.call;

  const std::string logPath = station.LogPath();
  if (::unlink(logPath.c_str()) != 0 && errno != ENOENT) {
    r.message = Errno("cannot remove", logPath).message + "; it is archived, remove it by hand";
    JournalAppend(station.journal(), "New contest: " + r.message);
  }
  r.end = NewContestEnd::kRestart;
  return r;
}

Status RestartProgram(char* const argv[]) {
  std::fflush(nullptr);
  // The program's own image, whatever directory or name it was started by.
  ::execv("/proc/self/exe", argv);
  return Errno("cannot start again", "/proc/self/exe");
}

}  // namespace vk
