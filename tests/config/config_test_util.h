// A scratch directory per test and whole-file helpers, shared by the configuration tests.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vk::testing {

class ConfigDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vk_configXXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    path_ = (dir_ / "vorkan.cfg").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  // A file in a directory that does not exist: every write fails, even for root.
  std::string Unwritable() const { return (dir_ / "missing" / "vorkan.cfg").string(); }

  std::filesystem::path dir_;
  std::string path_;
};

}  // namespace vk::testing
