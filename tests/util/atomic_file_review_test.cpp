// What a replacement keeps of the file it replaces: the place a symbolic link points to, and
// the permissions the operator gave the file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "util/atomic_file.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

mode_t ModeOf(const fs::path& p) {
  struct stat st {};
  EXPECT_EQ(::stat(p.c_str(), &st), 0);
  return st.st_mode & 07777;
}

class AtomicFileReviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_atomic_rvXXXXXX";
    dir_ = ::mkdtemp(tmpl);
  }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path dir_;
};

// A log kept on another disk through a link must be saved there, and the link must stay.
TEST_F(AtomicFileReviewTest, SavingThroughASymbolicLinkReplacesTheFileItNames) {
  fs::create_directory(dir_ / "store");
  const fs::path real = dir_ / "store" / "contest.adi";
  const fs::path link = dir_ / "vorkan.adi";
  ASSERT_TRUE(ReplaceFileAtomically(real.string(), "old\r\n").ok());
  fs::create_symlink(fs::path("store") / "contest.adi", link);  // relative, as ln -s makes it

  ASSERT_TRUE(ReplaceFileAtomically(link.string(), "new\r\n").ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Slurp(real), "new\r\n");
  EXPECT_EQ(Slurp(link), "new\r\n");
  int inDir = 0;
  for (auto& e : fs::directory_iterator(dir_)) (void)e, ++inDir;
  EXPECT_EQ(inDir, 2) << "no temporary file may be left beside the link";
}

// A link to a file that is not there yet: the save creates it, as opening the link would.
TEST_F(AtomicFileReviewTest, LinkToAMissingFileGetsTheFile) {
  fs::create_directory(dir_ / "store");
  const fs::path link = dir_ / "vorkan.cfg";
  fs::create_symlink(dir_ / "store" / "vorkan.cfg", link);
  ASSERT_TRUE(ReplaceFileAtomically(link.string(), "[Main]\r\n").ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Slurp(dir_ / "store" / "vorkan.cfg"), "[Main]\r\n");
}

TEST_F(AtomicFileReviewTest, ReplacementKeepsThePermissionsOfTheOldFile) {
  const fs::path path = dir_ / "vorkan.cfg";
  ASSERT_TRUE(ReplaceFileAtomically(path.string(), "a").ok());
  EXPECT_EQ(ModeOf(path), 0644u) << "a new file is an ordinary user file";
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(ReplaceFileAtomically(path.string(), "b").ok());
  EXPECT_EQ(ModeOf(path), 0600u);
  ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  ASSERT_TRUE(ReplaceFileAtomically(path.string(), "c").ok());
  EXPECT_EQ(ModeOf(path), 0664u);
}

}  // namespace
}  // namespace vk
