// Editing one input line of the entry window: the cursor, the length limit and the picture.
#include "util/input_line_model.h"

#include <gtest/gtest.h>

namespace vk {
namespace {

void TypeAll(InputLineModel& line, std::string_view text) {
  for (char c : text) line.Type(c);
}

TEST(InputLine, TypingInsertsAtTheCursorAndUpperCasesLatinLettersOnly) {
  InputLineModel line(12);
  TypeAll(line, "ua9qqq");
  line.Home();
  line.Right();
  line.Right();
  line.Type('/');
  EXPECT_EQ(line.Text(), "UA/9QQQ");
  EXPECT_EQ(line.Cursor(), 3u);
  line.Type('\xA0');  // a CP866 letter stays as it is
  EXPECT_EQ(line.Text(), "UA/\xA0" "9QQQ");
  line.Delete();
  line.Backspace();
  EXPECT_EQ(line.Text(), "UA/QQQ");
  EXPECT_EQ(line.Cursor(), 3u);
  while (line.Left()) {
  }
  EXPECT_EQ(line.Cursor(), 0u);
  EXPECT_FALSE(line.Backspace());
}

TEST(InputLine, ProgramTextIsCutToTheLineAndBypassesThePicture) {
  InputLineModel line(4);
  line.SetPicture("##");
  line.SetText("599/015");
  EXPECT_EQ(line.Text(), "599/");
  EXPECT_EQ(line.Cursor(), 4u);
  line.SetText("59 ", false);
  EXPECT_EQ(line.Cursor(), 0u);
}

TEST(InputLine, PictureFillsItsLiteralsAndTheCursorFollows) {
  InputLineModel line(14);
  line.SetPicture("###-###");
  TypeAll(line, "5991");
  EXPECT_EQ(line.Text(), "599-1");
  EXPECT_EQ(line.Cursor(), 5u);
  EXPECT_FALSE(line.Type('x'));
  TypeAll(line, "2345");
  EXPECT_EQ(line.Text(), "599-123");  // the picture is full
}

TEST(InputLine, EditedTextFromTheTerminalIsTakenAsItStands) {
  InputLineModel line(5);
  line.SetEdited("abcdefg", 9);
  EXPECT_EQ(line.Text(), "abcde");
  EXPECT_EQ(line.Cursor(), 5u);
}

}  // namespace
}  // namespace vk
