#include "cluster/telnet_reader.h"

#include <gtest/gtest.h>

#include "cluster/spot.h"

namespace vk {
namespace {

TEST(TelnetReader, RefusesOptionsOnceAndKeepsTheText) {
  TelnetReader r;
  std::vector<std::string> lines;
  std::string reply;
  // DO ECHO, WILL SGA, a sub-negotiation, an escaped IAC in a line, DO ECHO again.
  const std::string in =
      "\xFF\xFD\x01\xFF\xFB\x03"
      "login: \xFF\xFA\x18\x01\xFF\xF0"
      "\r\nhello\r\n"
      "\xFF\xFD\x01";
  r.Feed(in, lines, reply);
  EXPECT_EQ(reply, std::string("\xFF\xFC\x01\xFF\xFE\x03"));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "login: ");
  EXPECT_EQ(lines[1], "hello");
}

TEST(TelnetReader, KeepsThePromptCutsLongLinesSkipsBinary) {
  TelnetReader r;
  std::vector<std::string> lines;
  std::string reply;
  r.Feed("Please enter your call: ", lines, reply);
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(r.Partial(), "Please enter your call: ");
  r.ClearPartial();
  r.Feed(std::string(1000, 'A') + "\n", lines, reply);
  r.Feed(
      "bin\x01\x80"
      "ary\nDX de",
      lines, reply);
  r.Feed(" K1ABC: 14025.0 DL1ABC 1234Z\n", lines, reply);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), kMaxClusterLine);
  EXPECT_EQ(lines[1], "DX de K1ABC: 14025.0 DL1ABC 1234Z");
  EXPECT_EQ(r.SkippedLines(), 1u);
  EXPECT_TRUE(reply.empty());
}

}  // namespace
}  // namespace vk
