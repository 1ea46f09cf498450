#include "util/picture_mask.h"

#include <gtest/gtest.h>

#include <string>

namespace vk {
namespace {

using R = PictureMask::Result;

struct Case {
  const char* picture;
  const char* typed;
  bool fill;
  R result;
  const char* text;  // the text after the check; on kError it must be the typed text
};

void RunCases(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    const PictureMask mask(c->picture);
    std::string text = c->typed;
    EXPECT_EQ(mask.Check(text, c->fill), c->result) << c->picture << " / " << c->typed;
    EXPECT_EQ(text, c->text) << c->picture << " / " << c->typed;
    // Checking the rewritten text again must change nothing: the entry line re-checks the
    // whole line after every keystroke.
    const R again = mask.Check(text, c->fill);
    EXPECT_EQ(text, c->text) << "second pass: " << c->picture << " / " << c->typed;
    if (c->result != R::kError) {
      EXPECT_EQ(again, c->result) << "second pass: " << c->picture;
    }
  }
}

TEST(PictureMaskTest, DialogMasks) {
  const Case cases[] = {
      {"##-##-####", "0", true, R::kIncomplete, "0"},
      {"##-##-####", "05", true, R::kIncomplete, "05-"},
      {"##-##-####", "0503", true, R::kIncomplete, "05-03-"},
      {"##-##-####", "05032024", true, R::kComplete, "05-03-2024"},
      {"##-##-####", "05-03-2024", false, R::kComplete, "05-03-2024"},
      {"##-##-####", "05", false, R::kIncomplete, "05"},
      {"##-##-####", "0503", false, R::kError, "0503"},
      {"##-##-####", "05-03-20245", true, R::kError, "05-03-20245"},
      {"##-##-####", "05/", true, R::kError, "05/"},
      {"##-##-####", "a", true, R::kError, "a"},
      {"##:##", "09", true, R::kIncomplete, "09:"},
      {"##:##", "0907", true, R::kComplete, "09:07"},
      {"##:##", "9:07", true, R::kError, "9:07"},
      {"####", "20", true, R::kIncomplete, "20"},
      {"####", "2024", true, R::kComplete, "2024"},
      {"####", "20a", true, R::kError, "20a"},
      {"*!", "ua3abc/p", true, R::kAmbiguous, "UA3ABC/P"},
      {"*!", "r", false, R::kAmbiguous, "R"},
      {"##-##-####", "", true, R::kEmpty, ""},  // an emptied line is not filled again
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(PictureMaskTest, ExchangeMasks) {
  const Case cases[] = {
      {"###", "599", true, R::kComplete, "599"},
      {"###", "59a", true, R::kError, "59a"},
      {"##&&", "16ma", true, R::kComplete, "16MA"},
      {"##&&", "16m", true, R::kIncomplete, "16M"},
      {"##&&", "1m", true, R::kError, "1m"},
      {"[#][#][#]", "5", true, R::kAmbiguous, "5"},
      {"[#][#][#]", "599", true, R::kComplete, "599"},
      {"[#][#][#]", "5999", true, R::kError, "5999"},
      {"599 ###", "5", true, R::kIncomplete, "599 "},
      {"599 ###", "1", true, R::kIncomplete, "599 1"},  // typed straight into the number
      {"599 ###", "599001", true, R::kComplete, "599 001"},
      // The 8 cannot be the last 9 of the literal, so the literal is completed before it.
      {"599 ###", "598", true, R::kIncomplete, "599 8"},
      {"599 ###", "599 0a", true, R::kError, "599 0a"},
      {"599 ###", "598", false, R::kError, "598"},
      {"{59,599} ##", "59", true, R::kIncomplete, "59"},  // ' ' or '9' may follow: no fill
      {"{59,599} ##", "5916", true, R::kComplete, "59 16"},
      {"{59,599} ##", "599", true, R::kIncomplete, "599 "},
      {"{59,599} ##", "59916", true, R::kComplete, "599 16"},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(PictureMaskTest, LiteralsGroupsAndRepetition) {
  const Case cases[] = {
      {"R#", "r5", true, R::kComplete, "R5"},
      {"ab", "AB", false, R::kComplete, "ab"},  // literals are written as the picture has them
      {"{CW,PH,FM}", "c", true, R::kComplete, "CW"},
      {"{CW,PH,FM}", "p", false, R::kIncomplete, "P"},
      {"{CW,PH,FM}", "x", true, R::kError, "x"},
      {"#,?", "5", true, R::kComplete, "5"},
      {"#,?", "a", true, R::kComplete, "a"},
      {"#,?", "5a", true, R::kError, "5a"},
      {"{&,@}", "a", true, R::kComplete, "A"},  // the first alternative wins the rewrite
      {"*3#", "12", true, R::kIncomplete, "12"},
      {"*3#", "123", true, R::kComplete, "123"},
      {"*3#", "1234", true, R::kError, "1234"},
      {"*0#", "1", true, R::kError, "1"},
      {"*&", "abc", true, R::kAmbiguous, "ABC"},
      {"*&", "ab1", true, R::kError, "ab1"},
      {"*{#-}", "1", true, R::kAmbiguous, "1-"},
      {"*{#-}", "12", true, R::kAmbiguous, "1-2-"},
      {"[-]##", "5", true, R::kIncomplete, "5"},  // an optional literal is never filled in
      {"[-]##", "-5", true, R::kIncomplete, "-5"},
      {"#[/&]", "5", true, R::kAmbiguous, "5"},
      {"#[/&]", "5p", true, R::kComplete, "5/P"},
      {";#", "#", true, R::kComplete, "#"},
      {";#", "5", true, R::kError, "5"},
      {";*#", "5", true, R::kComplete, "*5"},
      {"*{}#", "1", true, R::kComplete, "1"},
      {"*[#]", "123", true, R::kAmbiguous, "123"},
      {"\x8f#",
       "\x8f"
       "1",
       true, R::kComplete,
       "\x8f"
       "1"},  // CP866 letter as a literal
      {"?", "\x8f", true, R::kError, "\x8f"},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(PictureMaskTest, ValidOnLeavingTheLine) {
  const PictureMask date("##-##-####");
  EXPECT_TRUE(date.IsValid("05-03-2024"));
  EXPECT_FALSE(date.IsValid("05-03-202"));
  EXPECT_FALSE(date.IsValid("05032024"));  // no filling here: the line has done that already
  EXPECT_TRUE(date.IsValid(""));
  EXPECT_TRUE(PictureMask("*#").IsValid("12"));
  EXPECT_TRUE(PictureMask("[#][#][#]").IsValid("59"));

  std::string typed = "0503";
  EXPECT_TRUE(date.IsValidInput(typed, true));
  EXPECT_EQ(typed, "05-03-");
  typed = "05-03-x";
  EXPECT_FALSE(date.IsValidInput(typed, true));
  EXPECT_EQ(typed, "05-03-x");
  // After Backspace the line asks without filling, so the erased '-' stays away.
  typed = "05";
  EXPECT_TRUE(date.IsValidInput(typed, false));
  EXPECT_EQ(typed, "05");
}

TEST(PictureMaskTest, UnusablePictureAcceptsEverything) {
  const std::string longCount = "*99*99*99#";  // spelled out, far beyond the program limit
  const std::string deep = std::string(1000, '{') + "#" + std::string(1000, '}');
  const std::string stars = std::string(100000, '*') + "#";
  for (const std::string& picture :
       {std::string(), std::string("{##"), std::string("##}"), std::string("[#"), std::string("#]"),
        std::string("{#]"), std::string("*"), std::string("#*"), std::string("#;"),
        std::string("*}"), std::string("{*,#}"), longCount, deep, stars}) {
    const PictureMask mask(picture);
    EXPECT_FALSE(mask.IsSyntaxValid()) << picture.substr(0, 20);
    EXPECT_FALSE(mask.SyntaxError().empty()) << picture.substr(0, 20);
    std::string text = "anything at all";
    EXPECT_EQ(mask.Check(text, true), R::kSyntax);
    EXPECT_TRUE(mask.IsValidInput(text, true));
    EXPECT_EQ(text, "anything at all");
    EXPECT_TRUE(mask.IsValid(text));
  }
  EXPECT_TRUE(PictureMask("##-##-####").SyntaxError().empty());
}

// Pictures a hostile rules file could carry.  A backtracking matcher would take exponential
// time on these; here each must finish at once (the suite would hang otherwise).
TEST(PictureMaskTest, PathologicalPicturesStayCheap) {
  const std::string digits(250, '1');
  struct Hostile {
    const char* picture;
    std::string text;
    R result;
  } cases[] = {
      {"*{*{*{*{*{*{*#}}}}}}", digits + "a", R::kError},
      {"*{*#,*#,*{#,*#}}*#", digits, R::kAmbiguous},
      {"*{*{#,##,###},*[#]}", digits + "x", R::kError},
      {"*[*[*[*[#]]]]", digits, R::kAmbiguous},
      {"*9999*9999*9999{}#", "1", R::kComplete},
      {"*{*-}#", "5", R::kComplete},
      {"*{[-]*[-]}", "--------x", R::kError},
  };
  for (auto& c : cases) {
    const PictureMask mask(c.picture);
    ASSERT_TRUE(mask.IsSyntaxValid()) << c.picture << ": " << mask.SyntaxError();
    std::string text = c.text;
    EXPECT_EQ(mask.Check(text, true), c.result) << c.picture;
  }
  // The largest program a picture may compile to still checks a long line.
  const PictureMask big("*{" + std::string(PictureMask::kMaxProgram / 8, '@') + ",*#}*!");
  ASSERT_TRUE(big.IsSyntaxValid()) << big.SyntaxError();
  std::string text(255, 'z');
  EXPECT_EQ(big.Check(text, true), R::kAmbiguous);
}

// Filling picks one alternative; the answer is that of the filled text, as a second check gives.
TEST(PictureMaskTest, ResultDependsOnlyOnTheText) {
  const PictureMask mask("X9,599");
  std::string text = "9";
  EXPECT_EQ(mask.Check(text, true), PictureMask::Result::kComplete);
  EXPECT_EQ(text, "X9");
  EXPECT_EQ(mask.Check(text, true), PictureMask::Result::kComplete);
  // Found by fuzzing: the chosen alternative asks for a literal after the typed digit too.
  const PictureMask tail("=X9%,5599");
  text = "9";
  EXPECT_EQ(tail.Check(text, true), PictureMask::Result::kComplete);
  EXPECT_EQ(text, "=X9%");
}

}  // namespace
}  // namespace vk
