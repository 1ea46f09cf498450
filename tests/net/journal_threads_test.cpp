// The network thread and the UI thread write one journal at the same time: every line arrives
// whole, on a line of its own, and none is lost.  Run under ThreadSanitizer with the other
// network tests.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

#include "net_test_util.h"

namespace vk {
namespace {

TEST(JournalThreads, TwoWritersNeitherTearNorLoseLines) {
  nettest::JournalCapture capture("threads");
  Journal& journal = *capture.journal();
  constexpr int kLines = 2000;
  auto writer = [&journal](char side) {
    for (int i = 0; i < kLines; ++i) {
      journal.Append(std::string(1, side) + ":" + std::to_string(i) + std::string(40, side));
    }
  };
  std::thread network(writer, 'N');
  writer('U');
  network.join();

  const std::vector<std::string> lines = capture.Lines();
  ASSERT_EQ(lines.size(), 2u * kLines);
  std::set<std::string> expected;
  for (char side : {'N', 'U'}) {
    for (int i = 0; i < kLines; ++i) {
      expected.insert(std::string(1, side) + ":" + std::to_string(i) + std::string(40, side));
    }
  }
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
}

}  // namespace
}  // namespace vk
