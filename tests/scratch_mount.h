// Disks that refuse writes, for tests that must see the program survive them.  Directory
// permissions do not stop root, and the suite runs as root in CI, so as root the test gets a
// real file system of its own: a small tmpfs mounted over a scratch directory in a private
// mount namespace of the test process (it disappears with the process).  Full means a tmpfs of
// a few kilobytes; read-only means one remounted read-only.  Where mounts are not allowed,
// read-only falls back to taking the write permission away, and AsOperator then runs the code
// under test as the unprivileged user nobody (in a child process), whom that stops.
#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace vk::testing {

inline bool PrivateMounts() {
  static const bool ok = ::geteuid() == 0 && ::unshare(CLONE_NEWNS) == 0 &&
                         ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
  return ok;
}

// A tmpfs of `bytes` over `dir`.  False when this process may not mount.
inline bool MountSmallDisk(const std::string& dir, unsigned long bytes) {
  if (!PrivateMounts()) return false;
  const std::string opts = "size=" + std::to_string(bytes) + ",mode=0755";
  return ::mount("tmpfs", dir.c_str(), "tmpfs", 0, opts.c_str()) == 0;
}

// Makes `dir` refuse writes from now on (files already in it stay readable).
inline bool MakeReadOnly(const std::string& dir) {
  if (PrivateMounts() && ::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) == 0) {
    return ::mount("none", dir.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  return ::chmod(dir.c_str(), 0555) == 0;
}

// Runs `body` (returning 0..255) where a read-only directory refuses it: in this process, or,
// for root without mounts, in a child process as nobody.
template <typename F>
int AsOperator(F body) {
  if (::geteuid() != 0 || PrivateMounts()) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(254);
    ::_exit(body());
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return 255;
  return WEXITSTATUS(status);
}

// Undoes MakeReadOnly or MountSmallDisk so the scratch directory can be removed.
inline void Unmount(const std::string& dir) {
  if (PrivateMounts()) {
    while (::umount2(dir.c_str(), MNT_DETACH) == 0) {
    }
  }
  ::chmod(dir.c_str(), 0755);
}

}  // namespace vk::testing
