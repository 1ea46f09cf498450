#include "util/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace vk {
namespace {

std::string DirOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

Status IoError(const std::string& what, const std::string& path) {
  return Status::Error(ErrCode::kIo, what + " " + path + ": " + std::strerror(errno));
}

// The file a save replaces.  Opening and truncating a file writes through a symbolic link, so a
// log or configuration the operator keeps elsewhere through a link must be saved there, and the
// link must stay a link; renaming onto the link itself would silently cut the two apart.  A
// link to a file that does not exist yet names the file to create.  A loop of links, or one that
// cannot be read, leaves the path as given.
std::string TargetOf(const std::string& path) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return target;
    std::string to(PATH_MAX, '\0');
    ssize_t n = ::readlink(target.c_str(), to.data(), to.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= to.size()) return path;
    to.resize(static_cast<std::size_t>(n));
    target = to.front() == '/' ? to : DirOf(target) + "/" + to;
  }
  return path;
}

// A replaced file keeps the permissions the operator gave it, as a file truncated in place
// would (less any set-id bit, which a write clears); mkstemp creates 0600, and a new log or
// configuration is an ordinary user file.
mode_t ModeFor(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 0777;
  return 0644;
}

FileMark MarkOf(const struct stat& st) {
  return {true, static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::uint64_t>(st.st_size)};
}

bool SameFile(const FileMark& a, const FileMark& b) {
  return a.valid && b.valid && a.device == b.device && a.inode == b.inode && a.size == b.size;
}

Status WriteAll(int fd, std::string_view bytes, const std::string& path) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;  // no progress and no reason given
      return IoError("cannot write", path);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return Status::Ok();
}

}  // namespace

// A save killed between its first write and the rename leaves "<file>.tmpXXXXXX" behind.  Such
// files are not removed by later saves: a save dies most likely during the flush, when the
// temporary file is already complete and holds the one QSO the old file lacks; after the
// restart the log in memory no longer has it, so that file is its only copy.  They cost only
// the disk space of one log per crash.
Status ReplaceFileAtomically(const std::string& path, std::string_view contents, FileMark* mark) {
  if (mark != nullptr) *mark = FileMark{};
  const std::string target = TargetOf(path);
  std::string tmpl = target + ".tmpXXXXXX";
  int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd < 0) return IoError("cannot create a temporary file for", target);
  (void)::fchmod(fd, ModeFor(target));
  if (Status st = WriteAll(fd, contents, tmpl); !st) {
    ::close(fd);
    ::unlink(tmpl.c_str());
    return st;
  }
  if (::fsync(fd) != 0) {
    Status st = IoError("cannot flush", tmpl);
    ::close(fd);
    ::unlink(tmpl.c_str());
    return st;
  }
  struct stat written {};
  const bool marked = ::fstat(fd, &written) == 0;
  if (::close(fd) != 0) {
    Status st = IoError("cannot close", tmpl);
    ::unlink(tmpl.c_str());
    return st;
  }
  if (::rename(tmpl.c_str(), target.c_str()) != 0) {
    Status st = IoError("cannot replace", target);
    ::unlink(tmpl.c_str());
    return st;
  }
  // The rename itself lives in the directory: flush it too, or a power loss may undo it.
  int dfd = ::open(DirOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  if (mark != nullptr && marked) *mark = MarkOf(written);
  return Status::Ok();
}

FileMark MarkOfFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  return MarkOf(st);
}

Status AppendDurably(const std::string& path, std::string_view bytes, FileMark& mark) {
  if (!mark.valid) return Status::Error(ErrCode::kNotFound, "no mark of " + path);
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0) return IoError("cannot open", path);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !SameFile(MarkOf(st), mark)) {
    ::close(fd);
    mark.valid = false;
    return Status::Error(ErrCode::kNotFound, path + " changed since it was last written");
  }
  Status st2 = WriteAll(fd, bytes, path);
  if (st2.ok() && ::fdatasync(fd) != 0) st2 = IoError("cannot flush", path);
  if (!st2.ok()) {
    // Half a record at the end would be glued to the next one; cut it off again.  A failed
    // flush leaves the bytes' fate unknown, so they go too and the caller writes afresh.
    if (::ftruncate(fd, static_cast<off_t>(mark.size)) != 0 || ::fdatasync(fd) != 0) {
      mark.valid = false;
    }
    ::close(fd);
    return st2;
  }
  if (::close(fd) != 0) {
    mark.valid = false;
    return IoError("cannot close", path);
  }
  mark.size += bytes.size();
  return Status::Ok();
}

Status PreserveFileAs(const std::string& from, const std::string& to) {
  if (::link(from.c_str(), to.c_str()) == 0) {
    int dfd = ::open(DirOf(to).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
      ::fsync(dfd);
      ::close(dfd);
    }
    return Status::Ok();
  }
  if (errno == EEXIST) return IoError("cannot keep a copy as", to);
  // File systems without hard links (FAT on an SD card) get a copy.
  int fd = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return IoError("cannot read", from);
  std::string data;
  char buf[1 << 16];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) != 0) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      Status st = IoError("cannot read", from);
      ::close(fd);
      return st;
    }
    data.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ReplaceFileAtomically(to, data);
}

}  // namespace vk
