#include "util/atomic_file.h"

#include <fcntl.h>
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

}  // namespace

Status ReplaceFileAtomically(const std::string& path, std::string_view contents) {
  std::string tmpl = path + ".tmpXXXXXX";
  int fd = ::mkstemp(tmpl.data());
  if (fd < 0) return IoError("cannot create a temporary file for", path);
  // mkstemp creates the file 0600; a log or configuration is an ordinary user file.
  (void)::fchmod(fd, 0644);
  const char* p = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
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
  if (::rename(tmpl.c_str(), path.c_str()) != 0) {
    Status st = IoError("cannot replace", path);
    ::unlink(tmpl.c_str());
    return st;
  }
  // The rename itself lives in the directory: flush it too, or a power loss may undo it.
  int dfd = ::open(DirOf(path).c_str(), O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return Status::Ok();
}

}  // namespace vk
