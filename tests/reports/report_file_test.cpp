// Where a report goes and what happens when it cannot go there.
#include "reports/report_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "log/journal.h"
#include "report_fixture.h"
#include "scratch_mount.h"

namespace vk {
namespace {

using test::ReadWhole;
using test::ScratchDir;

// Failures are journalled; the journal goes to a directory of its own, out of the way of the
// reports being counted.
class ReportFileTest : public ::testing::Test {
 protected:
  ScratchDir journal_;
  Journal debug_{journal_.File("debug.txt")};
};

TEST(ReportFile, NamedAfterTheCall) {
  EXPECT_EQ(ReportFileName("N0CALL"), "N0CALL.cbr");
  EXPECT_EQ(ReportFileName("  RA3ABC "), "RA3ABC.cbr");
  // A portable or mobile call names no directory.
  EXPECT_EQ(ReportFileName("UA9QQQ/P"), "UA9QQQ-P.cbr");
  EXPECT_EQ(ReportFileName("F/RA3ABC/MM"), "F-RA3ABC-MM.cbr");
  EXPECT_EQ(ReportFileName("   "), "");
  EXPECT_EQ(ReportPath("", "N0CALL"), "N0CALL.cbr");
  EXPECT_EQ(ReportPath("/tmp/x", "N0CALL"), "/tmp/x/N0CALL.cbr");
  EXPECT_EQ(ReportPath("/tmp/x/", "UA9QQQ/P"), "/tmp/x/UA9QQQ-P.cbr");
}

TEST_F(ReportFileTest, ReplacesTheOldReport) {
  ScratchDir dir;
  std::ofstream(dir.File("UA9QQQ-P.cbr")) << "old report, much longer than the new one";
  ASSERT_TRUE(WriteReportFile(dir.Path(), "UA9QQQ/P", "new\r\n"));
  EXPECT_EQ(ReadWhole(dir.File("UA9QQQ-P.cbr")), "new\r\n");
  // Nothing else is left in the directory: no temporary file, no directory "UA9QQQ".
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(ReportFileTest, EmptyCallWritesNothing) {
  ScratchDir dir;
  Status st = WriteReportFile(dir.Path(), "  ", "text");
  EXPECT_EQ(st.code, ErrCode::kBadInput);
  EXPECT_FALSE(st.message.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.File(".cbr")));
}

TEST_F(ReportFileTest, MissingDirectoryIsAnIoError) {
  ScratchDir dir;
  Status st = WriteReportFile(dir.File("no/such/dir"), "N0CALL", "text", &debug_);
  EXPECT_EQ(st.code, ErrCode::kIo);
  EXPECT_NE(st.message.find("Report not written"), std::string::npos) << st.message;
  EXPECT_NE(st.message.find("N0CALL.cbr"), std::string::npos) << st.message;
  EXPECT_NE(ReadWhole(journal_.File("debug.txt")).find(st.message), std::string::npos);
}

// Even root cannot put a file where a directory of that name stands.
TEST_F(ReportFileTest, DirectoryInTheWayIsAnIoError) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.File("N0CALL.cbr"));
  std::ofstream(dir.File("N0CALL.cbr/keep")) << "kept";
  Status st = WriteReportFile(dir.Path(), "N0CALL", "text");
  EXPECT_EQ(st.code, ErrCode::kIo);
  EXPECT_EQ(ReadWhole(dir.File("N0CALL.cbr/keep")), "kept");
  int files = 0;  // the temporary file went away with the failure
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 1);
}

// A directory the program may not write into: the error comes back and the report already
// there stays whole.
TEST_F(ReportFileTest, ReadOnlyDirectoryKeepsTheOldReport) {
  ScratchDir dir;
  std::ofstream(dir.File("N0CALL.cbr")) << "old report";
  ASSERT_TRUE(vk::testing::MakeReadOnly(dir.Path()));
  const int refused = vk::testing::AsOperator([&] {
    return WriteReportFile(dir.Path(), "N0CALL", "new report").code == ErrCode::kIo ? 1 : 0;
  });
  vk::testing::Unmount(dir.Path());
  EXPECT_EQ(refused, 1);
  EXPECT_EQ(ReadWhole(dir.File("N0CALL.cbr")), "old report");
}

}  // namespace
}  // namespace vk
