// The record between the UI and the network thread: nothing queued is lost or reordered,
// flags announce only what is already there, and nothing grows without bound.
#include "net/net_exchange.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "net_test_util.h"

namespace vk {
namespace {

TEST(NetExchange, TwoSendsBeforeThePassBothLeaveInOrder) {
  NetExchange x;
  EXPECT_FALSE(x.SendRequest());
  EXPECT_TRUE(x.Send("DEL:1"));
  EXPECT_TRUE(x.Send("DEL:2"));
  EXPECT_TRUE(x.SendRequest());
  EXPECT_EQ(x.TakeOutgoing(), "DEL:1");
  EXPECT_TRUE(x.SendRequest());  // one still waits
  EXPECT_EQ(x.TakeOutgoing(), "DEL:2");
  EXPECT_FALSE(x.SendRequest());
  EXPECT_EQ(x.TakeOutgoing(), std::nullopt);
}

TEST(NetExchange, RefusesOverLongMessagesAndAFullQueue) {
  nettest::JournalCapture journal("exchange_refuse");
  NetExchange x{journal.journal()};
  EXPECT_FALSE(x.Send(std::string(256, 'A')));
  EXPECT_FALSE(x.SendRequest());
  EXPECT_TRUE(journal.Has("NET_SKIP:->message too long to send"));
  for (std::size_t i = 0; i < NetExchange::kQueueLimit; ++i) ASSERT_TRUE(x.Send("GET:1"));
  EXPECT_FALSE(x.Send("GET:2"));
  EXPECT_TRUE(journal.Has("NET_SKIP:->send queue full: GET:2"));
  for (std::size_t i = 0; i < NetExchange::kQueueLimit; ++i) ASSERT_TRUE(x.PutIncoming("DEL:1"));
  EXPECT_FALSE(x.PutIncoming("DEL:2"));
  EXPECT_TRUE(journal.Has("NET_SKIP:->receive queue full: DEL:2"));
}

TEST(NetExchange, IncomingFlagAndQueue) {
  NetExchange x;
  EXPECT_FALSE(x.TakeMessageReceived());
  x.PutIncoming("DEL:1");
  x.PutIncoming("DEL:2");
  EXPECT_TRUE(x.TakeMessageReceived());
  EXPECT_FALSE(x.TakeMessageReceived());  // taking clears it
  EXPECT_EQ(x.TakeIncoming(), "DEL:1");
  EXPECT_EQ(x.TakeIncoming(), "DEL:2");
  EXPECT_EQ(x.TakeIncoming(), std::nullopt);
}

TEST(NetExchange, ChecksumsAndStop) {
  NetExchange x;
  EXPECT_FALSE(x.TakeChecksumReceived());
  x.SetOwnChecksum(0xCAFEF00Du);
  EXPECT_EQ(x.OwnChecksum(), 0xCAFEF00Du);
  x.PutChecksum(0xFFFFFFFFu);
  EXPECT_TRUE(x.TakeChecksumReceived());
  EXPECT_FALSE(x.TakeChecksumReceived());
  EXPECT_EQ(x.PeerChecksum(), 0xFFFFFFFFu);
  EXPECT_FALSE(x.StopRequested());
  x.RequestStop();
  EXPECT_TRUE(x.StopRequested());
}

// One thread puts while the other takes, as the two threads of the program do: every message
// arrives once and in order in both directions, and a set flag always finds its message.
TEST(NetExchange, HandOverBetweenThreadsLosesNothing) {
  NetExchange x;
  constexpr int kCount = 3000;
  std::vector<std::string> taken;  // by the network thread
  std::thread network([&] {
    for (int i = 0; i < kCount || taken.size() < static_cast<std::size_t>(kCount);) {
      if (i < kCount && x.PutIncoming("GET:" + std::to_string(i))) ++i;
      if (auto m = x.TakeOutgoing()) taken.push_back(*m);
      std::this_thread::yield();
    }
  });
  std::vector<std::string> got;
  int sent = 0;
  while (got.size() < static_cast<std::size_t>(kCount) || sent < kCount) {
    if (sent < kCount && x.Send("DEL:" + std::to_string(sent))) ++sent;
    if (x.TakeMessageReceived()) {
      bool any = false;
      while (auto m = x.TakeIncoming()) {
        got.push_back(*m);
        any = true;
      }
      EXPECT_TRUE(any || !got.empty());  // a flag seen before anything arrived would be a fault
    }
    std::this_thread::yield();
  }
  network.join();
  ASSERT_EQ(got.size(), static_cast<std::size_t>(kCount));
  ASSERT_EQ(taken.size(), static_cast<std::size_t>(kCount));
  for (int i = 0; i < kCount; ++i) {
    EXPECT_EQ(got[i], "GET:" + std::to_string(i));
    EXPECT_EQ(taken[i], "DEL:" + std::to_string(i));
  }
}

}  // namespace
}  // namespace vk
