// The radio's own keyer behind the CW keyer's queue: the text and speed go to the radio, "+"
// and "-" stay with the logger, Esc stops the radio's keyer.
#include "rig/rig_keyer.h"

#include <gtest/gtest.h>

#include <memory>

#include "cw/keyer.h"
#include "daemon_process.h"
#include "rig/fake_radio.h"

namespace vk::testing {
namespace {

using namespace std::chrono_literals;

TEST(RigKeyer, SendsThroughTheRadioAndAbortStopsIt) {
  auto radio = std::make_unique<FakeRadio>();
  FakeRadio* fake = radio.get();
  RigControl rig(std::move(radio), 100ms);
  rig.Start();
  KeyerSettings s;
  s.speed = 60;  // WPM
  Keyer keyer(s, std::make_unique<RigKeyer>(&rig));
  ASSERT_TRUE(keyer.PortOpen());
  keyer.SendText("+TU", false);
  ASSERT_TRUE(keyer.WaitUntilIdle(3s));
  ASSERT_TRUE(WaitFor([&] { return fake->Morse().size() == 2; }));
  EXPECT_EQ(fake->Morse(), (std::vector<std::string>{"<wpm 60>", "TU"}));

  keyer.SendText("CQ CQ CQ TEST UA1ABC UA1ABC TEST", false);
  ASSERT_TRUE(WaitFor([&] { return fake->Morse().size() == 3; }));
  keyer.Abort();
  ASSERT_TRUE(keyer.WaitUntilIdle(500ms));
  ASSERT_TRUE(WaitFor([&] { return fake->Morse().size() == 4; }));
  EXPECT_EQ(fake->Morse().back(), "<stop>");
}

TEST(RigKeyer, WithoutRadioTheKeyerDoesNotOpen) {
  Keyer keyer(KeyerSettings{}, std::make_unique<RigKeyer>(nullptr));
  EXPECT_FALSE(keyer.PortOpen());
  EXPECT_NE(keyer.PortError(), KeyerPortError::kNone);
}

}  // namespace
}  // namespace vk::testing
