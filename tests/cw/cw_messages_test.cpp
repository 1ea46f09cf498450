// The stored CW messages and the macros they carry.
#include "cw/cw_messages.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cw/morse.h"

namespace vk {
namespace {

MacroValues Station(std::string_view call = "", std::string_view lastCall = "") {
  return MacroValues{"UA3ABC", "001", call, lastCall};
}

TEST(CwExpand, OwnCallNumberAndCall) {
  EXPECT_EQ(Expand("CQ $ $ TEST", 0, Station()), "CQ UA3ABC UA3ABC TEST");
  EXPECT_EQ(Expand("@ 5NN #", 0, Station("DL1AAA")), "DL1AAA 5NN 001");
  EXPECT_EQ(Expand("TU $", 0, Station()), "TU UA3ABC");
  EXPECT_EQ(Expand("", 0, Station("DL1AAA")), "");
  EXPECT_EQ(Expand("QRZ?", 0, Station()), "QRZ?");
}

TEST(CwExpand, CutNumbersShortenOnlyTheSentNumber) {
  const MacroValues v{"UA3ABC", "001", "", ""};
  EXPECT_EQ(Expand("5NN #", cut::kZeroAsT | cut::kNineAsN, v), "5NN TT1");
  EXPECT_EQ(Expand("5NN #", cut::kZeroAsT | cut::kNineAsN | cut::kOneAsA, v), "5NN TTA");
  EXPECT_EQ(Expand("5NN #", cut::kZeroAsO, v), "5NN OO1");
  // The digits of the message itself and of the own call stay as they are.
  const MacroValues r{"R9A", "190", "", ""};
  EXPECT_EQ(Expand("599 100 # $", cut::kZeroAsT | cut::kNineAsN | cut::kOneAsA, r),
            "599 100 ANT R9A");
}

TEST(CwExpand, AnEmptyCallLineSendsTheLastLoggedCall) {
  EXPECT_EQ(Expand("@ TU", 0, Station("", "OK1XYZ")), "OK1XYZ TU");
  EXPECT_EQ(Expand("@ TU", 0, Station("G4ABC", "OK1XYZ")), "G4ABC TU");
  // An empty log: nothing at all stands in for the call.
  EXPECT_EQ(Expand("@ TU", 0, Station("", "")), " TU");
}

TEST(CwExpand, TextPutInByOneMacroIsNotExpandedAgain) {
  // "$" is filled in before "@", so a "$" in the Call line is keyed as it stands.
  EXPECT_EQ(Expand("@ DE $", 0, Station("A$B")), "A$B DE UA3ABC");
  // A macro character inside its own value must neither loop nor grow the text.
  EXPECT_EQ(Expand("@@", 0, Station("X@")), "X@X@");
  EXPECT_EQ(Expand("#", 0, MacroValues{"", "1#", "", ""}), "1#");
  EXPECT_EQ(Expand("$", 0, MacroValues{"$$", "", "", ""}), "$$");
}

TEST(CwExpand, MacrosInBraces) {
  const MacroValues v{"UA3ABC", "599 016", "DL1ABC", "OK1XYZ"};
  const std::pair<const char*, const char*> cases[] = {
      {"CQ TEST {MYCALL} {MYCALL} TEST", "CQ TEST UA3ABC UA3ABC TEST"},
      {"{HISCALL} 5NN {NR}", "DL1ABC 5NN 016"},
      {"{CALL} {EXCH}", "DL1ABC 5NN 016"},
      {"TU {MYCALL}", "TU UA3ABC"},
      {"{NOSUCH} {MYCALL", "{NOSUCH} {MYCALL"},  // not a macro: sent as written
      {"{}", "{}"},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(Expand(text, 0, v), want) << text;
  // The number alone for each form of the sent exchange; cut numbers apply to it.
  const std::pair<const char*, const char*> numbers[] = {
      {"599 016", "016"}, {"59 16", "16"}, {"599/16", "16"}, {"016", "016"}, {"16", "16"},
      {"5NN 1", "5NN 1"}, {"", ""}};
  for (const auto& [tx, nr] : numbers) {
    EXPECT_EQ(Expand("{NR}", 0, MacroValues{"", tx, "", ""}), nr) << tx;
  }
  EXPECT_EQ(Expand("{NR} {EXCH}", cut::kZeroAsT, v), "T16 5NN T16");
  // An empty Call line: the call just logged.
  EXPECT_EQ(Expand("{HISCALL} TU", 0, MacroValues{"", "", "", "OK1XYZ"}), "OK1XYZ TU");
}

TEST(CwExpand, ResultIsUpperCaseAndFitsTheKeyer) {
  EXPECT_EQ(Expand("tu $", 0, MacroValues{"ua3abc", "", "", ""}), "TU UA3ABC");
  const std::string many(100, '$');
  const std::string out = Expand(many, 0, Station());
  EXPECT_EQ(out.size(), kCwMessageMaxLength);
  EXPECT_EQ(out.substr(0, 12), "UA3ABCUA3ABC");
}

TEST(CwMessageList, OneMessagePerKeyInTheFixedOrder) {
  CwMessages stored;
  for (std::size_t i = 0; i < kCwMessageCount; ++i) stored.text[i] = "M" + std::to_string(i);
  CwMessageList list(stored);
  ASSERT_EQ(list.Messages().size(), kCwMessageCount);
  EXPECT_EQ(list.TextOf(0x3B00), "M0");   // F1
  EXPECT_EQ(list.TextOf(0x4400), "M9");   // F10
  EXPECT_EQ(list.TextOf(0x8600), "M11");  // F12
  EXPECT_EQ(list.TextOf(0x5200), "M12");  // Ins
  EXPECT_EQ(list.TextOf(0x0D3D), "M14");  // "=", stored as Key+
  EXPECT_EQ(list.TextOf(0x332C), "M17");  // ",", stored as Key<
  EXPECT_EQ(list.TextOf(0x342E), "M18");  // ".", stored as Key>
  EXPECT_EQ(list.TextOf(0x1E61), "");     // "a" carries no message
  EXPECT_TRUE(IsCwMessageKey(0x1A5B));
  EXPECT_FALSE(IsCwMessageKey(0x2B5C));  // "\" toggles the focus instead

  list.Replace(0x3C00, "QRL?");
  list.Replace(0x1E61, "LOST");
  EXPECT_EQ(list.TextOf(0x3C00), "QRL?");
  EXPECT_EQ(list.Stored().text[1], "QRL?");
  EXPECT_EQ(list.Messages().size(), kCwMessageCount);
  list.Replace(0x3C00, std::string(300, 'E'));
  EXPECT_EQ(list.TextOf(0x3C00).size(), kCwMessageMaxLength);
}

class CwMessageFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_cwmsgXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = (dir_ / "vorkan.cfg").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Slurp() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  std::filesystem::path dir_;
  std::string path_;
};

TEST_F(CwMessageFile, AMissingFileIsCreatedWithTheCommentOnlyAndTheShippedSetIsTaken) {
  CwMessageList list;
  ASSERT_TRUE(list.Load(path_).ok());
  EXPECT_EQ(list.TextOf(0x3B00), "CQ TEST {MYCALL} {MYCALL} TEST");
  EXPECT_EQ(list.TextOf(0x3C00), "5NN {NR}");
  EXPECT_EQ(list.TextOf(0x4400), "");  // F10 is the operator's
  EXPECT_EQ(Slurp(), "[CWMESSAGE]\r\nComment=<<- CW Message text ->>\r\n");
  // Once a key is stored, even empty, the operator's set is what counts.
  std::ofstream(path_, std::ios::binary) << "[CWMESSAGE]\r\nKeyF1=\r\n";
  ASSERT_TRUE(list.Load(path_).ok());
  EXPECT_EQ(list.TextOf(0x3B00), "");
  EXPECT_EQ(list.TextOf(0x3C00), "");
}

TEST_F(CwMessageFile, SavingRewritesEveryKeyThatHasOrHadAMessage) {
  std::ofstream(path_, std::ios::binary)
      << "[Main]\r\nCall=UA3ABC\r\n\r\n[CWMESSAGE]\r\nKeyF1=CQ $ TEST\r\nKey+=OLD\r\n";
  CwMessageList list;
  ASSERT_TRUE(list.Load(path_).ok());
  EXPECT_EQ(list.TextOf(0x3B00), "CQ $ TEST");
  EXPECT_EQ(list.TextOf(0x0D3D), "OLD");
  list.Replace(0x3C00, "5NN #");
  list.Replace(0x0D3D, "");
  ASSERT_TRUE(list.Save(path_));
  // Key+ stays as an empty line; the keys that never had a message get none.
  EXPECT_EQ(Slurp(),
            "[Main]\r\nCall=UA3ABC\r\n\r\n[CWMESSAGE]\r\nKeyF1=CQ $ TEST\r\nKey+=\r\n"
            "KeyF2=5NN #\r\n");
  CwMessageList again;
  ASSERT_TRUE(again.Load(path_).ok());
  EXPECT_EQ(again.TextOf(0x3C00), "5NN #");
  EXPECT_EQ(again.TextOf(0x0D3D), "");
}

}  // namespace
}  // namespace vk
