#include "app/command_bus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace vk {
namespace {

// A window that records what it saw and may react.
struct Recorder : MessageTarget {
  std::string name;
  std::vector<std::string>* log;
  std::function<void(Message&)> react;
  Recorder(std::string n, std::vector<std::string>* l) : name(std::move(n)), log(l) {}
  void HandleMessage(Message& m) override {
    log->push_back(name + ":" + std::to_string(m.command));
    if (react) react(m);
  }
};

class CommandBusTest : public ::testing::Test {
 protected:
  std::vector<std::string> log;
  CommandBus bus;
  Recorder app{"app", &log}, a{"a", &log}, b{"b", &log};
  void SetUp() override {
    bus.SetApplication(&app);
    bus.Attach(&a);
    bus.Attach(&b);
  }
};

TEST_F(CommandBusTest, CommandStopsAtFirstHandlerApplicationFirst) {
  a.react = [](Message& m) { m.handled = true; };
  EXPECT_TRUE(bus.SendCommand(7));
  EXPECT_EQ(log, (std::vector<std::string>{"app:7", "a:7"}));

  log.clear();
  app.react = [](Message& m) { m.handled = true; };
  EXPECT_TRUE(bus.SendCommand(8));
  EXPECT_EQ(log, (std::vector<std::string>{"app:8"}));
}

TEST_F(CommandBusTest, BroadcastKeyerAndTickReachEveryWindowEvenWhenAnswered) {
  a.react = [](Message& m) { m.handled = true; };
  for (EventClass what :
       {EventClass::kBroadcast, EventClass::kKeyer, EventClass::kTick, EventClass::kStatus}) {
    log.clear();
    EXPECT_TRUE(bus.Send(what, 9));
    EXPECT_EQ(log, (std::vector<std::string>{"app:9", "a:9", "b:9"}));
  }
  a.react = nullptr;
  EXPECT_FALSE(bus.Broadcast(9));  // nobody answered
}

TEST_F(CommandBusTest, WindowClosedDuringDeliveryGetsNothingMore) {
  a.react = [this](Message&) { bus.Detach(&b); };
  bus.Broadcast(3);
  EXPECT_EQ(log, (std::vector<std::string>{"app:3", "a:3"}));
  EXPECT_FALSE(bus.IsAttached(&b));
  EXPECT_EQ(bus.WindowCount(), 1u);
}

TEST_F(CommandBusTest, WindowOpenedDuringDeliveryWaitsForTheNextMessage) {
  Recorder c{"c", &log};
  a.react = [&](Message&) { bus.Attach(&c); };
  bus.Broadcast(4);
  EXPECT_EQ(log, (std::vector<std::string>{"app:4", "a:4", "b:4"}));
  a.react = nullptr;
  log.clear();
  bus.Broadcast(5);
  EXPECT_EQ(log, (std::vector<std::string>{"app:5", "a:5", "b:5", "c:5"}));
  bus.Detach(&c);
}

TEST_F(CommandBusTest, AttachTwiceDeliversOnce) {
  bus.Attach(&a);
  bus.Broadcast(6);
  EXPECT_EQ(log, (std::vector<std::string>{"app:6", "a:6", "b:6"}));
}

TEST_F(CommandBusTest, PostedMessagesWaitForDeliverPosted) {
  bus.PostCommand(11, MessageInfo::Number(42));
  bus.Post(EventClass::kBroadcast, 12);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(bus.PostedCount(), 2u);
  int seen = 0;
  app.react = [&](Message& m) {
    if (m.command == 11) seen = m.info.number();
  };
  EXPECT_EQ(bus.DeliverPosted(), 2u);
  EXPECT_EQ(seen, 42);
  EXPECT_EQ(log, (std::vector<std::string>{"app:11", "a:11", "b:11", "app:12", "a:12", "b:12"}));
}

TEST_F(CommandBusTest, HandlerThatPostsAgainDoesNotLoopForEver) {
  app.react = [this](Message& m) {
    if (m.command == 20) bus.PostCommand(20);
  };
  bus.PostCommand(20);
  EXPECT_EQ(bus.DeliverPosted(), 1u);
  EXPECT_EQ(bus.PostedCount(), 1u);
}

TEST_F(CommandBusTest, NestedDeliveryFromAModalLoopNeverRepeatsAMessage) {
  // A handler that runs a "modal dialog" whose own idle passes deliver the queue again.
  int opened = 0;
  app.react = [&](Message& m) {
    if (m.command == 30) {
      ++opened;
      bus.DeliverPosted();
    }
  };
  bus.PostCommand(30);
  bus.PostCommand(31);
  bus.DeliverPosted();
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "app:31"), 1);
  EXPECT_EQ(bus.PostedCount(), 0u);
}

TEST(MessageInfoTest, PointerKeepsItsType) {
  int x = 5;
  const MessageInfo i = MessageInfo::Pointer(&x);
  ASSERT_NE(i.pointer<int>(), nullptr);
  EXPECT_EQ(*i.pointer<int>(), 5);
  EXPECT_EQ(i.pointer<long>(), nullptr);
  EXPECT_EQ(MessageInfo::Number(3).pointer<int>(), nullptr);
  EXPECT_EQ(MessageInfo{}.number(), 0);
}

}  // namespace
}  // namespace vk
