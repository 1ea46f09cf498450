// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: which words make which action, and the commands' defaults taken from the
// station folder.  A folder without a station is given one; shipped data is found from the
// build tree as from an installed tree.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "app/startup.h"
#include "log/adif.h"
#include "station_fixture.h"

namespace vk::test {
namespace {

using Action = CommandLineAction;

CommandLine Parse(std::vector<const char*> words) {
  return ParseCommandLine(words);
}

TEST(CommandLineParse, WordsMakeTheirAction) {
  struct Case {
    std::vector<const char*> words;
    Action action;
    const char* station;
    const char* command;
    std::size_t toolkit;
    const char* error;  // part of the error line
  };
  const Case cases[] = {
      {{}, Action::kRun, "", "", 0, ""},
      {{"--help"}, Action::kHelp, "", "", 0, ""},
      {{"--no-mouse", "-h"}, Action::kHelp, "", "", 0, ""},
      {{"--version"}, Action::kVersion, "", "", 0, ""},
      {{"--station", "/tmp/s", "--dark-theme", "--encoding", "utf8"},
       Action::kRun,
       "/tmp/s",
       "",
       3,
       ""},
      {{"--station=st", "--log-file=x.log"}, Action::kRun, "st", "", 1, ""},
      {{"--station", "st", "score", "--qsos", "a.adi"}, Action::kCommand, "st", "score", 0, ""},
      {{"export", "--help"}, Action::kCommandHelp, "", "export", 0, ""},
      {{"import", "x.adi"}, Action::kCommand, "", "import", 0, ""},
      {{"--bogus"}, Action::kError, "", "", 0, "unknown option --bogus"},
      {{"frobnicate"}, Action::kError, "", "", 0, "unknown command frobnicate"},
      {{"--station"}, Action::kError, "", "", 0, "--station needs a folder"},
      {{"--encoding"}, Action::kError, "", "", 0, "--encoding needs a value"},
      {{"--no-mouse", "score"}, Action::kError, "", "", 0, "unexpected argument score"},
  };
  for (const Case& c : cases) {
    const CommandLine line = Parse(c.words);
    const std::string what = c.words.empty() ? "(none)" : c.words[0];
    EXPECT_EQ(line.action, c.action) << what;
    EXPECT_EQ(line.station, c.station) << what;
    EXPECT_EQ(line.command, c.command) << what;
    EXPECT_EQ(line.toolkitArgs.size(), c.toolkit) << what;
    EXPECT_NE(line.error.find(c.error), std::string::npos) << what << ": " << line.error;
  }
}

TEST(CommandLineParse, HelpNamesEveryCommandAndVersionTheLibraries) {
  const std::string usage = UsageText();
  for (const char* c :
       {"score", "export", "import", "rules", "--station", "--version", "VORKAN_STATION"}) {
    EXPECT_NE(usage.find(c), std::string::npos) << c;
    EXPECT_FALSE(CommandHelpText("score").empty());
  }
  EXPECT_TRUE(CommandHelpText("frobnicate").empty());
  EXPECT_EQ(VersionText("0.8.0", "Hamlib 4.5.4"),
            "vorkan " VORKAN_VERSION "\nFINAL CUT 0.8.0\nHamlib 4.5.4\n");
  EXPECT_EQ(ChooseStationDir("", nullptr), ".");
  EXPECT_EQ(ChooseStationDir("", "/srv/st"), "/srv/st");
  EXPECT_EQ(ChooseStationDir("a", "/srv/st"), "a");
}

class StationCommands : public StationFixture {
 protected:
  int Run(std::vector<const char*> words, const std::string& station) {
    out_.str({});
    err_.str({});
    return RunCommand(Parse(words), station, out_, err_);
  }
  void WriteOneQso() {
    TLogCollection log;
    QsoRecord q;
    q.Stamp = {2026, 11, 28, 12, 0, 0};
    q.Freq = 140250;
    q.Mode = Mode::kCw;
    q.Call = "K1AA";
    q.Sent = "599 14";
    q.Rcvd = "599 5";
    log.Append(q);
    ASSERT_TRUE(WriteAdifLog(log, LogPath()));
  }
  std::ostringstream out_, err_;
};

TEST_F(StationCommands, ScoreTakesContestAndCallFromTheStation) {
  ShipRules("cqww.xml");
  std::filesystem::create_symlink(VORKAN_SYSTEM_CTY, dir_ / "data" / "cty_wt.dat");
  WriteOneQso();
  const std::string log = LogPath();
  // Nothing names the contest yet.
  EXPECT_EQ(Run({"score", log.c_str()}, dir_.string()), kCommandLineError);
  EXPECT_NE(err_.str().find("no vorkan.cfg here"), std::string::npos) << err_.str();
  WriteConfig("Contest=CQ-WW-CW\r\nCall=DL1ABC\r\n");
  ASSERT_EQ(Run({"score", log.c_str()}, dir_.string()), 0) << err_.str();
  EXPECT_NE(out_.str().find("TOTAL qsos=1 points=3"), std::string::npos) << out_.str();
  // A call given on the line wins over the station's.
  EXPECT_EQ(Run({"score", "--call", "Q0QQQ", log.c_str()}, dir_.string()), 2);
  EXPECT_NE(err_.str().find("Q0QQQ"), std::string::npos) << err_.str();
  // Without the world country file the message says so, not that the call is unknown.
  std::filesystem::remove(dir_ / "data" / "cty_wt.dat");
  EXPECT_EQ(Run({"export", "--adif", "out.adi", log.c_str()}, dir_.string()), 2);
  EXPECT_NE(err_.str().find("cty_wt.dat"), std::string::npos) << err_.str();
}

TEST_F(StationCommands, AFolderWithoutStationGetsOneThatUsesTheShippedData) {
  const std::filesystem::path bare = dir_ / "new" / "station";
  EXPECT_NE(StationDataDir(bare.string()), (bare / "data").string());  // the shipped data
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(StationDataDir(bare.string())) /
                                      "contest.xml"));
  std::string notice;
  ASSERT_TRUE(MakeStationIfNone(bare.string(), notice));
  EXPECT_NE(notice.find(std::filesystem::canonical(bare).string()), std::string::npos) << notice;
  EXPECT_NE(ReadWholeFile((bare / "vorkan.cfg").string()).find("Contest=WORLD\r\nCall=N0CALL\r\n"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(bare / "data"));  // nothing copied
  // A station, with or without data/, is left as it is.
  ASSERT_TRUE(MakeStationIfNone(bare.string(), notice));
  EXPECT_TRUE(notice.empty());
  ASSERT_TRUE(MakeStationIfNone(dir_.string(), notice));  // data/ only
  EXPECT_TRUE(notice.empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "vorkan.cfg"));
  EXPECT_EQ(StationDataDir(dir_.string()), (dir_ / "data").string());
  // Outside any station and without shipped data the command names the cause.
  EXPECT_EQ(Run({"score", "--data", (dir_ / "none").string().c_str(), "--contest", "WORLD",
                 "--call", "DL1ABC", "x.adi"},
                bare.string()),
            2);
  EXPECT_NE(err_.str().find("no data folder"), std::string::npos) << err_.str();
  EXPECT_EQ(Run({"import", "x.adi"}, (dir_ / "new").string()), 2);
  EXPECT_NE(err_.str().find("no vorkan.cfg here"), std::string::npos) << err_.str();
  EXPECT_FALSE(std::filesystem::exists(dir_ / "new" / "vorkan.cfg"));
}

}  // namespace
}  // namespace vk::test
