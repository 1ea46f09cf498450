// A keyer on a fake line and a fake clock: the keyer thread runs for real, but every wait only
// moves the fake clock, so a test sees exact line timings without waiting for them.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "cw/fake_key_line.h"
#include "cw/keyer.h"

namespace vk::testing {

class KeyerFixture : public ::testing::Test {
 protected:
  void SetUp() override { Make("FAKE1"); }
  void TearDown() override { keyer_.reset(); }

  void Make(const std::string& port, std::uint8_t speed = 30, std::uint8_t standby = 15) {
    keyer_.reset();
    KeyerSettings s;
    s.port = port;
    s.speed = speed;
    s.standby = standby;
    auto line = std::make_unique<FakeKeyLine>(clock_);
    line_ = line.get();
    keyer_ = std::make_unique<Keyer>(s, std::move(line), &clock_);
  }

  void Idle() { ASSERT_TRUE(keyer_->WaitUntilIdle(std::chrono::seconds(10))); }
  void Send(const std::string& text) {
    keyer_->SendText(text, false);
    Idle();
  }

  // Line changes as "R1@0 D1@30 D0@70 R0@190": R is RTS (PTT), D is DTR (key).
  std::string Timeline() const {
    std::string out;
    for (const LineChange& c : line_->Changes()) {
      if (!out.empty()) out += ' ';
      out += c.line == LineChange::Line::kDtr ? 'D' : 'R';
      out += c.on ? '1' : '0';
      out += '@' + std::to_string(c.ms);
    }
    return out;
  }

  // Length of every key-down, in order.
  std::vector<std::int64_t> KeyDowns() const { return Spans(LineChange::Line::kDtr); }
  // Length of every PTT period, in order: one per transmission.
  std::vector<std::int64_t> Transmissions() const { return Spans(LineChange::Line::kRts); }
  // Start times of the PTT periods.
  std::vector<std::int64_t> PttStarts() const {
    std::vector<std::int64_t> out;
    for (const LineChange& c : line_->Changes()) {
      if (c.line == LineChange::Line::kRts && c.on) out.push_back(c.ms);
    }
    return out;
  }
  // Key-downs inside each PTT period.
  std::vector<int> KeyDownsPerTransmission() const {
    std::vector<int> out;
    for (const LineChange& c : line_->Changes()) {
      if (c.line == LineChange::Line::kRts && c.on) out.push_back(0);
      if (c.line == LineChange::Line::kDtr && c.on && !out.empty()) ++out.back();
    }
    return out;
  }

  FakeKeyerClock clock_;
  FakeKeyLine* line_ = nullptr;  // owned by keyer_
  std::unique_ptr<Keyer> keyer_;

 private:
  std::vector<std::int64_t> Spans(LineChange::Line which) const {
    std::vector<std::int64_t> out;
    std::int64_t start = 0;
    for (const LineChange& c : line_->Changes()) {
      if (c.line != which) continue;
      if (c.on)
        start = c.ms;
      else
        out.push_back(c.ms - start);
    }
    return out;
  }
};

}  // namespace vk::testing
