#include "cw/posix_key_line.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace vk {

namespace {

std::string ErrnoText(int err) {
  return std::strerror(err);
}

// Devices without modem-control lines (pseudo-terminals, some USB CDC adapters) refuse the
// ioctls with one of these; that is no reason to refuse the port.
bool NoModemLines(int err) {
  return err == ENOTTY || err == EINVAL || err == ENOTSUP;
}

struct PortFamily {
  std::string_view prefix;
  int rank;
};
constexpr PortFamily kFamilies[] = {{"ttyS", 0}, {"ttyUSB", 1}, {"ttyACM", 2}};

// Family rank and number of a device name, or rank -1 when it is not a serial port.
std::pair<int, long> ParsePortName(const std::string& name) {
  for (const PortFamily& f : kFamilies) {
    if (name.size() <= f.prefix.size() || name.compare(0, f.prefix.size(), f.prefix) != 0) {
      continue;
    }
    const std::string digits = name.substr(f.prefix.size());
    if (digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      break;
    return {f.rank, std::stol(digits)};
  }
  return {-1, 0};
}

bool UartMissing(const std::string& sysDir, const std::string& name) {
  std::ifstream in(sysDir + "/" + name + "/type");
  int type = -1;
  return in >> type && type == 0;
}

}  // namespace

PosixKeyLine::~PosixKeyLine() {
  Close();
}

std::string SerialDevicePath(std::string_view portName) {
  if (portName.find('/') != std::string_view::npos) return std::string(portName);
  return "/dev/" + std::string(portName);
}

Status PosixKeyLine::Open(std::string_view portName) {
  Close();
  if (portName.empty() || IsNullPortName(portName)) {
    return Status::Error(ErrCode::kNotFound, "no keying port named");
  }
  path_ = SerialDevicePath(portName);
  // Non-blocking, so a port whose carrier line is low does not hang the open.
  const int fd = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    return Status::Error(ErrCode::kNotFound, path_ + ": " + ErrnoText(err));
  }
  fd_ = fd;
  // Linux raises DTR and RTS as a serial port is opened.  On a keying interface those are the
  // key and the PTT, so the transmitter would go on the air until the first line change: drop
  // both at once, in one call, before anything slower happens.
  Status st = ChangeLines(TIOCM_DTR | TIOCM_RTS, false);
  if (st.ok() || st.code == ErrCode::kBadInput) st = Configure();
  if (!st.ok()) {
    ::close(fd_);
    fd_ = -1;
    return st;
  }
  return Status::Ok();
}

Status PosixKeyLine::Configure() {
  termios t{};
  if (::tcgetattr(fd_, &t) != 0) {
    return Status::Error(ErrCode::kIo, path_ + ": not a serial port: " + ErrnoText(errno));
  }
  ::cfmakeraw(&t);
  ::cfsetispeed(&t, B9600);
  ::cfsetospeed(&t, B9600);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  // HUPCL: the kernel drops DTR and RTS when the port is closed, even by a crashed program.
  t.c_cflag |= CS8 | CLOCAL | CREAD | HUPCL;
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if (::tcsetattr(fd_, TCSANOW, &t) != 0) {
    return Status::Error(ErrCode::kIo, path_ + ": 9600 8N1 refused: " + ErrnoText(errno));
  }
  // A driver coming out of 0 baud raises DTR and RTS again when the speed is set.
  Status st = ChangeLines(TIOCM_DTR | TIOCM_RTS, false);
  if (!st.ok() && st.code != ErrCode::kBadInput) return st;
  return Status::Ok();
}

Status PosixKeyLine::ChangeLines(int bits, bool raise) {
  if (fd_ < 0) return Status::Error(ErrCode::kBadInput, "keying port not open");
  int rc;
  do {
    rc = ::ioctl(fd_, raise ? TIOCMBIS : TIOCMBIC, &bits);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) return Status::Ok();
  const int err = errno;
  const ErrCode code = NoModemLines(err) ? ErrCode::kBadInput : ErrCode::kIo;
  return Status::Error(code, path_ + ": modem lines: " + ErrnoText(err));
}

Status PosixKeyLine::SetDtr(bool keyDown) {
  return ChangeLines(TIOCM_DTR, keyDown);
}

Status PosixKeyLine::SetRts(bool pttOn) {
  return ChangeLines(TIOCM_RTS, pttOn);
}

void PosixKeyLine::Close() {
  if (fd_ < 0) return;
  ChangeLines(TIOCM_DTR | TIOCM_RTS, false);
  ::close(fd_);
  fd_ = -1;
}

std::vector<std::string> PosixKeyLine::ListPorts() const {
  return ListSerialPorts();
}

std::vector<std::string> ListSerialPorts(const std::string& devDir, const std::string& sysDir) {
  std::vector<std::tuple<int, long, std::string>> found;
  std::error_code ec;
  std::filesystem::directory_iterator it(devDir, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const auto [rank, number] = ParsePortName(name);
    if (rank < 0) continue;
    if (rank == 0 && UartMissing(sysDir, name)) continue;
    found.emplace_back(rank, number, it->path().string());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> out;
  out.reserve(found.size());
  for (auto& f : found) out.push_back(std::move(std::get<2>(f)));
  return out;
}

}  // namespace vk
