// SPDX-License-Identifier: GPL-3.0-or-later
// The live score's form body, and a scoreboard that accepts the connection but never answers:
// handing over documents never waits for it, and only the newest waits to be posted.
#include "broadcast/live_score.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace vk::test {
namespace {

TEST(LiveScoreTest, TheBodyIsTheFormFieldXmlPercentEncoded) {
  EXPECT_EQ(LiveScoreBody("<a b=\"1\">x y&z</a>\n"),
            "xml=%3Ca%20b%3D%221%22%3Ex%20y%26z%3C%2Fa%3E%0A");
}

TEST(LiveScoreTest, ASilentScoreboardNeverHoldsTheCaller) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&at), sizeof at), 0);
  ASSERT_EQ(::listen(fd, 4), 0);  // connections are taken by the system, never answered
  socklen_t len = sizeof at;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&at), &len);
  const auto t0 = std::chrono::steady_clock::now();
  {
    LiveScorePoster p("http://127.0.0.1:" + std::to_string(ntohs(at.sin_port)) + "/post");
    p.Start();
    for (int i = 0; i < 100; ++i) p.Post("<dynamicresults/>");
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(200));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // a post is under way now
    EXPECT_EQ(p.Posted(), 0U);
  }  // the post under way is abandoned: the end of the program does not wait for it
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(3));
  ::close(fd);
}

}  // namespace
}  // namespace vk::test
