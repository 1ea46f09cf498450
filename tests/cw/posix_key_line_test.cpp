// The Linux serial line against a pseudo-terminal.  A pty has no modem-control lines, so
// raising DTR or RTS on it may be refused; that must come back as a soft error, never a crash
// and never a refused port.
#include "cw/posix_key_line.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "cw/keyer.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

class PseudoTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
      GTEST_SKIP() << "no pseudo-terminals here";
    }
    slave_ = ::ptsname(master_);
  }
  void TearDown() override {
    if (master_ >= 0) ::close(master_);
  }

  static void ExpectSoft(const Status& st) {
    EXPECT_TRUE(st.ok() || st.code == ErrCode::kBadInput) << st.message;
  }

  int master_ = -1;
  std::string slave_;
};

TEST_F(PseudoTerminal, OpensSetsLinesAndCloses) {
  PosixKeyLine line;
  const Status st = line.Open(slave_);
  ASSERT_TRUE(st.ok()) << st.message;
  EXPECT_TRUE(line.IsOpen());
  ExpectSoft(line.SetDtr(true));
  ExpectSoft(line.SetRts(true));
  ExpectSoft(line.SetDtr(false));
  ExpectSoft(line.SetRts(false));
  ASSERT_TRUE(line.Open(slave_).ok());  // reopening closes first
  line.Close();
  EXPECT_FALSE(line.IsOpen());
  line.Close();
  EXPECT_EQ(line.SetDtr(true).code, ErrCode::kBadInput);
}

TEST_F(PseudoTerminal, KeyerSendsAndStopsOnARealSleeper) {
  KeyerSettings s;
  s.port = slave_.substr(0, kKeyerPortWidth);
  if (s.port != slave_) GTEST_SKIP() << "pty name longer than a keyer port name";
  s.speed = 30;
  s.standby = 50;
  auto keyer = std::make_unique<Keyer>(s, std::make_unique<PosixKeyLine>());
  ASSERT_EQ(keyer->PortError(), KeyerPortError::kNone) << keyer->PortStatus().message;
  keyer->SendText("EE", false);
  ASSERT_TRUE(keyer->WaitUntilIdle(std::chrono::seconds(10)));
  EXPECT_EQ(keyer->Text(), "");

  // A call with a five-second pause: destroying the keyer in the pause must not sit it out.
  keyer->SendText("E", true);
  bool paused = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!paused && std::chrono::steady_clock::now() < deadline) {
    for (const KeyerNote& n : keyer->TakeNotes()) {
      paused = paused || (n.kind == KeyerNote::Kind::kPtt && n.value == 0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ASSERT_TRUE(paused);
  const auto before = std::chrono::steady_clock::now();
  keyer.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(3));
}

class SerialFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_serialXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fs::remove_all(dir_); }
  void Touch(const fs::path& p, const std::string& content = "") {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << content;
  }
  fs::path dir_;
};

TEST_F(SerialFiles, OpenFailuresNameTheStep) {
  PosixKeyLine line;
  EXPECT_EQ(PortErrorOf(line.Open((dir_ / "ttyUSB7").string())), KeyerPortError::kWrongPortName);
  EXPECT_EQ(PortErrorOf(line.Open("Null")), KeyerPortError::kWrongPortName);
  EXPECT_EQ(PortErrorOf(line.Open("")), KeyerPortError::kWrongPortName);
  // A file that opens but is no serial port refuses the line settings.
  Touch(dir_ / "plain");
  EXPECT_EQ(PortErrorOf(line.Open((dir_ / "plain").string())), KeyerPortError::kPortInit);
  EXPECT_FALSE(line.IsOpen());
  EXPECT_EQ(PortErrorOf(line.Open("/dev/null")), KeyerPortError::kPortInit);
}

TEST_F(SerialFiles, BareNamesAreDevices) {
  EXPECT_EQ(SerialDevicePath("ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(SerialDevicePath("/dev/ttyS1"), "/dev/ttyS1");
}

TEST_F(SerialFiles, ListsSerialDevicesInOrderWithoutMissingUarts) {
  const fs::path dev = dir_ / "dev", sys = dir_ / "sys";
  for (const char* n : {"ttyS10", "ttyS2", "ttyS0", "ttyS1", "ttyACM3", "ttyUSB0", "ttyUSB12",
                        "ttyUSB2", "tty", "tty1", "ttyUSBa", "ttyS", "ttyAMA0", "null"}) {
    Touch(dev / n);
  }
  Touch(sys / "ttyS0" / "type", "4\n");
  Touch(sys / "ttyS1" / "type", "0\n");  // no UART behind it
  Touch(sys / "ttyS10" / "type", "0\n");
  const std::vector<std::string> got = ListSerialPorts(dev.string(), sys.string());
  std::vector<std::string> want;
  for (const char* n : {"ttyS0", "ttyS2", "ttyUSB0", "ttyUSB2", "ttyUSB12", "ttyACM3"}) {
    want.push_back((dev / n).string());
  }
  EXPECT_EQ(got, want);
  EXPECT_TRUE(ListSerialPorts((dir_ / "none").string(), sys.string()).empty());
  EXPECT_EQ(JoinPortNames({"/dev/ttyS0", "/dev/ttyUSB0"}), "/dev/ttyS0,/dev/ttyUSB0");
}

}  // namespace
}  // namespace vk
