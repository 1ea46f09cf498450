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

}  // namespace

// A save killed between its first write and the rename leaves "<file>.tmpXXXXXX" behind.  Such
// files are not removed by later saves: a save dies most likely during the flush, when the
// temporary file is already complete and holds the one QSO the old file lacks; after the
// restart the log in memory no longer has it, so that file is its only copy.  They cost only
// the disk space of one log per crash.
Status ReplaceFileAtomically(const std::string& path, std::string_view contents) {
  const std::string target = TargetOf(path);
  std::string tmpl = target + ".tmpXXXXXX";
  int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd < 0) return IoError("cannot create a temporary file for", target);
  (void)::fchmod(fd, ModeFor(target));
  const char* p = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;  // no progress and no reason given
      Status st = IoError("cannot write", tmpl);
      ::close(fd);
      ::unlink(tmpl.c_str());
      return st;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) {
    Status st = IoError("cannot flush", tmpl);
    ::close(fd);
    ::unlink(tmpl.c_str());
    return st;
  }
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
  return Status::Ok();
}

}  // namespace vk
