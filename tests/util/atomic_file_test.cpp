#include "util/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "scratch_mount.h"

namespace vk {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_atomicXXXXXX";
    dir_ = ::mkdtemp(tmpl);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  fs::path dir_;
};

TEST_F(AtomicFileTest, WritesNewFileAndReplacesOldOneLeavingNoTemporaries) {
  auto path = (dir_ / "vorkan.adi").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, "first\r\n").ok());
  ASSERT_TRUE(ReplaceFileAtomically(path, "second\r\n").ok());
  EXPECT_EQ(Slurp(path), "second\r\n");
  int files = 0;
  for (auto& e : fs::directory_iterator(dir_)) (void)e, ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(AtomicFileTest, FailureKeepsOldFileAndReportsIo) {
  auto path = (dir_ / "vorkan.cfg").string();
  ASSERT_TRUE(ReplaceFileAtomically(path, "kept").ok());
  ASSERT_TRUE(testing::MakeReadOnly(dir_.string()));
  const int refused = testing::AsOperator([&] {
    const Status st = ReplaceFileAtomically(path, "lost");
    return st.code == ErrCode::kIo && !st.message.empty() ? 1 : 0;
  });
  testing::Unmount(dir_.string());
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(Slurp(path), "kept");
}

TEST_F(AtomicFileTest, MissingDirectoryIsAnIoError) {
  Status st = ReplaceFileAtomically((dir_ / "nope" / "x").string(), "x");
  EXPECT_EQ(st.code, ErrCode::kIo);
}

}  // namespace
}  // namespace vk
