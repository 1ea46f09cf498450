// Disks that refuse writes, for tests that must see the program survive them.  Directory
// permissions do not stop root, and the suite runs as root in CI, so as root the test gets a
// real file system of its own: a small tmpfs mounted over a scratch directory in a private
// mount namespace of the test process (it disappears with the process).  Full means a tmpfs of
// a few kilobytes; read-only means one remounted read-only.  As another user, read-only falls
// back to taking the write permission away.
#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
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
  if (PrivateMounts()) {
    return ::mount(dir.c_str(), dir.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount("none", dir.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  return ::geteuid() != 0 && ::chmod(dir.c_str(), 0555) == 0;
}

// Undoes MakeReadOnly or MountSmallDisk so the scratch directory can be removed.
inline void Unmount(const std::string& dir) {
  if (PrivateMounts()) {
    while (::umount2(dir.c_str(), MNT_DETACH) == 0) {
    }
  } else {
    ::chmod(dir.c_str(), 0755);
  }
}

}  // namespace vk::testing
