// The list of rules files and the mapping between contest names and display names.
#include "rules_fixture.h"

namespace vk::test {
namespace {

class ContestListTest : public ::testing::Test {
 protected:
  TempDir data_;
};

TEST_F(ContestListTest, WorldFileFirstAndOnlyOnce) {
  data_.Write("contest.xml", "<contest_rules title=\"Own title\"/>");
  data_.Write("b.xml", "<contest_rules title=\"Second\"/>");
  data_.Write("a.XML", "<contest_rules title=\"First\"/>");
  data_.Write("notes.txt", "<contest_rules title=\"Not a rules file\"/>");
  ContestList list = ContestList::Build(data_.Path());
  ASSERT_EQ(list.Size(), 3u);
  EXPECT_EQ(list.Title(0), "The World contest");
  EXPECT_EQ(list.FileName(0), "contest.xml");
  EXPECT_EQ(list.FileName(1), "a.XML");
  EXPECT_EQ(list.Title(1), "First");
  EXPECT_EQ(list.FileName(2), "b.xml");
  EXPECT_EQ(list.Title(7), "");
}

TEST_F(ContestListTest, MissingDirectoryGivesTheDefaultEntry) {
  ContestList list = ContestList::Build(data_.Path() + "/nowhere");
  ASSERT_EQ(list.Size(), 1u);
  EXPECT_EQ(list.FileName(0), "contest.xml");
}

TEST_F(ContestListTest, TitlesOfOddFiles) {
  data_.Write("other.xml", "<rules title=\"Wrong root\"/>");
  data_.Write("long.xml",
              "<contest_rules title=\"\xD0\xF3\xF1\xF1\xEA\xE8\xE9 a title much too long\"/>");
  data_.Write("broken.xml", "<contest_rules title=\"Broken\"><c name=\"A\">");
  ContestList list = ContestList::Build(data_.Path());
  ASSERT_EQ(list.Size(), 4u);
  EXPECT_EQ(list.Title(1), "Broken");  // the root was read before the fault
  EXPECT_EQ(list.Title(2), "\x90\xE3\xE1\xE1\xAA\xA8\xA9 a title much");  // CP866, 20
  EXPECT_EQ(list.Title(3), "");
}

TEST_F(ContestListTest, DisplayNamesAndContestNames) {
  // The second contest's display name is "Кубок" in Windows-1251; the last of two equal
  // display names wins.
  data_.Write("x.xml",
              "<contest_rules title=\"X\">"
              "<c name=\"A-CW\" display=\"Contest A\"/>"
              "<c name=\"CUP\" display=\"\xCA\xF3\xE1\xEE\xEA\"/>"
              "<c name=\"NODISPLAY\"/>"
              "<c name=\"A-SSB\" display=\"Contest A\"/></contest_rules>");
  ContestList list = ContestList::Build(data_.Path());
  EXPECT_EQ(list.DisplayNames(1), (std::vector<std::string>{"Contest A", "\x8A\xE3\xA1\xAE\xAA",
                                                            "", "Contest A"}));
  EXPECT_EQ(list.ContestNameOfDisplayName(1, "\x8A\xE3\xA1\xAE\xAA"), "CUP");
  EXPECT_EQ(list.ContestNameOfDisplayName(1, "Contest A"), "A-SSB");
  EXPECT_EQ(list.ContestNameOfDisplayName(1, "Contest B"), "");
  EXPECT_EQ(list.ContestNameOfDisplayName(9, "Contest A"), "");
  EXPECT_EQ(list.DisplayNameOfContestName("CUP"), "\x8A\xE3\xA1\xAE\xAA");
  EXPECT_EQ(list.DisplayNameOfContestName("NONE"), "");
}

TEST_F(ContestListTest, LaterFileOverridesDisplayName) {
  data_.Write("a.xml", "<contest_rules t=\"A\"><c name=\"X\" display=\"From A\"/>"
                       "<c name=\"X\" display=\"Second in A\"/></contest_rules>");
  data_.Write("b.xml", "<contest_rules t=\"B\"><c name=\"X\" display=\"From B\"/></contest_rules>");
  ContestList list = ContestList::Build(data_.Path());
  EXPECT_EQ(list.DisplayNameOfContestName("X"), "From B");
}

TEST_F(ContestListTest, ShippedFilesAreListed) {
  ContestList list = ContestList::Build(std::string(VORKAN_SOURCE_DIR) + "/data");
  ASSERT_GT(list.Size(), 1u);
  EXPECT_EQ(list.FileName(0), "contest.xml");
  for (std::size_t i = 1; i < list.Size(); ++i) {
    EXPECT_FALSE(list.Title(i).empty()) << list.FileName(i);
    EXPECT_FALSE(list.DisplayNames(i).empty()) << list.FileName(i);
  }
}

}  // namespace
}  // namespace vk::test
