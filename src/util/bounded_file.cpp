// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/strings.h"

namespace vk {

std::string SizeText(unsigned long long bytes) {
  if (bytes >= kMiB) {
    const unsigned long long tenths = bytes * 10 / kMiB;
    return IntToStr(static_cast<long long>(tenths / 10)) + "." +
           IntToStr(static_cast<long long>(tenths % 10)) + " MB";
  }
  return IntToStr(static_cast<long long>((bytes + 1023) / 1024)) + " KB";
}

namespace {

Status TooLarge(const std::string& path, const std::string& size, std::size_t maxBytes) {
  return Status::Error(ErrCode::kBadInput,
                       path + " is " + size + ", more than the " + SizeText(maxBytes) +
                           " such a file may have: not read",
                       path);
}

}  // namespace

Status ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string& out) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int e = errno;
    return Status::Error(e == ENOENT || e == ENOTDIR ? ErrCode::kNotFound : ErrCode::kIo,
                         "cannot open " + path + ": " + std::strerror(e), path);
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
      static_cast<unsigned long long>(st.st_size) > maxBytes) {
    ::close(fd);
    return TooLarge(path, SizeText(static_cast<unsigned long long>(st.st_size)), maxBytes);
  }
  if (S_ISREG(st.st_mode)) out.reserve(static_cast<std::size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int e = errno;
      ::close(fd);
      out.clear();
      return Status::Error(ErrCode::kIo, "cannot read " + path + ": " + std::strerror(e), path);
    }
    if (n == 0) break;
    // A file that grows while it is read is held to the same ceiling.
    if (out.size() + static_cast<std::size_t>(n) > maxBytes) {
      ::close(fd);
      out.clear();
      out.shrink_to_fit();
      return TooLarge(path, "over " + SizeText(maxBytes), maxBytes);
    }
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return Status::Ok();
}

}  // namespace vk
