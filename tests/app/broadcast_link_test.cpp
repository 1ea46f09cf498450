// SPDX-License-Identifier: GPL-3.0-or-later
// The shack's packets from the log's change feed, caught on a loopback socket: a QSO made here
// gives contactinfo, its edit contactreplace and its deletion contactdelete, all with one ID;
// a QSO from the group gives none; RadioInfo and the score document come from the idle pass.
#include "app/broadcast_link.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "station_fixture.h"
#include "util/strings.h"

namespace vk::test {
namespace {

class BroadcastLinkTest : public StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&at), sizeof at);
    socklen_t len = sizeof at;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&at), &len);
    port_ = ntohs(at.sin_port);
  }
  void TearDown() override {
    ::close(fd_);
    StationFixture::TearDown();
  }
  std::string Take(int ms = 5000) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, ms) != 1) return {};
    char buf[8192];
    const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
  }
  static std::string Element(const std::string& doc, const std::string& name) {
    const auto a = doc.find("<" + name + ">");
    const auto b = doc.find("</" + name + ">");
    if (a == std::string::npos || b == std::string::npos) return "(none)";
    return doc.substr(a + name.size() + 2, b - a - name.size() - 2);
  }

  int fd_ = -1;
  std::uint16_t port_ = 0;
};

TEST_F(BroadcastLinkTest, AQsoItsEditAndItsDeletionShareOneId) {
  ShipRules("contest.xml");
  WriteConfig("Contest=WORLD\r\nCall=DL1ABC\r\n");
  Station& s = Start();
  ASSERT_TRUE(s.LoadLog().ok());
  BroadcastLink link(s);
  BroadcastSettings b;
  b.contacts = {{"127.0.0.1", port_}};
  b.stationName = "SHACK";
  link.Start(b);

  QsoRecord q;
  q.Stamp = {2024, 3, 5, 9, 7, 0};
  q.Freq = 140255;
  q.Mode = Mode::kCw;
  q.Call = "W1AW";
  q.Sent = "599 14";
  q.Rcvd = "599 05";
  ASSERT_TRUE(s.Book().Add(q).ok());
  const std::string info = Take();
  EXPECT_NE(info.find("<contactinfo>"), std::string::npos) << info;
  EXPECT_EQ(Element(info, "call"), "W1AW");
  EXPECT_EQ(Element(info, "band"), "14");
  EXPECT_EQ(Element(info, "rxfreq"), "1402550");
  EXPECT_EQ(Element(info, "timestamp"), "2024-03-05 09:07:00");
  EXPECT_EQ(Element(info, "continent"), "NA");
  EXPECT_EQ(Element(info, "points"), IntToStr(s.Log().At(0)->Score));
  const std::string id = Element(info, "ID");
  EXPECT_EQ(id.size(), 32U);

  q.Call = "W1AX";
  ASSERT_TRUE(s.Book().Edit(0, q).ok());
  const std::string replace = Take();
  EXPECT_NE(replace.find("<contactreplace>"), std::string::npos) << replace;
  EXPECT_EQ(Element(replace, "call"), "W1AX");
  EXPECT_EQ(Element(replace, "ID"), id);

  ASSERT_TRUE(s.Book().Delete(0).ok());
  const std::string del = Take();
  EXPECT_NE(del.find("<contactdelete>"), std::string::npos) << del;
  EXPECT_EQ(Element(del, "call"), "W1AX");
  EXPECT_EQ(Element(del, "ID"), id);

  // Another station's QSO is that station's to announce.
  q.Guid = 0x05000001;
  q.Call = "K1ABC";
  ASSERT_TRUE(s.Book().ApplyRemote({GroupChangeKind::kPlace, 0, q, {}}));
  s.Book().SettleRemote();
  EXPECT_EQ(Take(300), "");
}

TEST_F(BroadcastLinkTest, RadioInfoOnAChangeAndTheScoreOnItsTimer) {
  ShipRules("contest.xml");
  WriteConfig("Contest=WORLD\r\nCall=DL1ABC\r\n");
  Station& s = Start();
  ASSERT_TRUE(s.LoadLog().ok());
  BroadcastLink link(s);
  BroadcastSettings b;
  b.radio = {{"127.0.0.1", port_}};
  b.score = {{"127.0.0.1", port_}};
  b.scoreEverySeconds = 60;
  link.Start(b);
  s.SetCurrentFreq(70255);
  const auto t0 = BroadcastLink::Clock::now();
  link.Pass(t0);
  std::string first = Take(), second = Take();
  if (first.find("<RadioInfo>") == std::string::npos) std::swap(first, second);
  EXPECT_EQ(Element(first, "Freq"), "702550");
  EXPECT_NE(second.find("<dynamicresults>"), std::string::npos);
  EXPECT_EQ(Element(second, "call"), "DL1ABC");
  link.Pass(t0 + std::chrono::seconds(1));  // nothing changed, nothing due
  EXPECT_EQ(Take(200), "");
  s.SetCurrentFreq(70300);
  link.Pass(t0 + std::chrono::seconds(2));
  EXPECT_EQ(Element(Take(), "Freq"), "703000");
  link.Pass(t0 + std::chrono::seconds(61));  // RadioInfo again (10 s) and the score
  const std::string both = Take() + Take();
  EXPECT_NE(both.find("<RadioInfo>"), std::string::npos);
  EXPECT_NE(both.find("<dynamicresults>"), std::string::npos);
}

}  // namespace
}  // namespace vk::test
