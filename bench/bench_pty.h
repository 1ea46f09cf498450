// A pseudo-terminal that stands in for the keying serial port in the keyer benchmarks.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace vk::bench {

// The slave's name is the port to open; "" on a system without ptys.
struct Pty {
  Pty() {
    master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) slave = ::ptsname(master);
  }
  ~Pty() {
    if (master >= 0) ::close(master);
  }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;
  int master = -1;
  std::string slave;
};

}  // namespace vk::bench
