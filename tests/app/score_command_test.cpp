// `vorkan score`: a log file scored through a shipped contest without a terminal, and its
// refusals.  The scratch data directory holds the shipped rules and the system's world file.
#include "app/score_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "log/adif.h"
#include "station_fixture.h"

namespace vk::test {
namespace {

class ScoreCommand : public StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("cqww.xml");
    std::filesystem::create_symlink(VORKAN_SYSTEM_CTY, dir_ / "data" / "cty_wt.dat");
  }

  void WriteLog(const std::vector<QsoRecord>& qsos) {
    TLogCollection log;
    for (const QsoRecord& q : qsos) log.Append(q);
    ASSERT_TRUE(WriteAdifLog(log, LogPath()));
  }

  static QsoRecord Qso(const char* call, const char* rx, Freq freq, int minute) {
    QsoRecord q;
    q.Stamp = {2026,
               11,
               28,
               static_cast<std::uint16_t>(minute / 60),
               static_cast<std::uint16_t>(minute % 60),
               0};
    q.Freq = freq;
    q.Mode = Mode::kCw;
    q.Call = call;
    q.Sent = "599 14";
    q.Rcvd = rx;
    q.Score = 99;  // whatever the writing program stored: the command scores again
    return q;
  }

  int Run(std::vector<std::string> extra) {
    std::vector<std::string> words = {
        "--data", (dir_ / "data").string(), "--contest", "CQ-WW-CW", "--call", "dl1abc"};
    words.insert(words.end(), extra.begin(), extra.end());
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());
    out_.str({});
    err_.str({});
    return RunScoreCommand(argv, out_, err_);
  }

  std::ostringstream out_, err_;
};

TEST_F(ScoreCommand, PrintsBandRowsQsoLinesAndTheTotalLast) {
  WriteLog({Qso("K1AA", "599 5", 140250, 0), Qso("K1AA", "599 5", 140250, 1),
            Qso("DL2AA", "599 14", 140250, 2), Qso("JA1AA", "599 25", 70200, 3)});
  const std::string cbr = (dir_ / "out.cbr").string();
  ASSERT_EQ(Run({"--qsos", "--cabrillo", cbr, LogPath()}), 0) << err_.str();
  // K1AA 3 points, zone 5 + USA; its repeat 0 and marked; DL2AA own country 0 points today's
  // file gives 1 (see the rules file), JA1AA on 40 m 3 points, zone 25 + Japan.
  const std::string text = out_.str();
  EXPECT_NE(text.find("1\tK1AA\t20M\t3\t2\t0\t0\n2\tK1AA\t20M\t0\t0\t0\t1\n"), std::string::npos)
      << text;
  EXPECT_NE(text.find("20M qsos=3 points="), std::string::npos) << text;
  EXPECT_NE(text.find("40M qsos=1 points=3 multipliers=2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("DUPES 1\n"), std::string::npos) << text;
  const auto total = text.rfind("TOTAL qsos=4 points=");
  ASSERT_NE(total, std::string::npos) << text;
  EXPECT_EQ(text.find('\n', total), text.size() - 1);  // the last line
  const std::string report = ReadWholeFile(cbr);
  const auto score = text.substr(text.rfind("score=") + 6);
  EXPECT_NE(report.find("CLAIMED-SCORE: " + score.substr(0, score.size() - 1) + "\r\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("K1AA"), std::string::npos);  // the dupe stays in the report
}

// The SSB weekend's rules take no CW QSO: each is refused with its reason and nothing scores,
// as the import refuses them; the phone QSO of the same log counts.
TEST_F(ScoreCommand, RefusesQsosInAModeTheContestDoesNotHave) {
  QsoRecord phone = Qso("JA1AA", "59 25", 142000, 3);
  phone.Mode = Mode::kPhone;
  WriteLog({Qso("K1AA", "599 5", 140250, 0), Qso("DL2AA", "599 14", 70200, 1), phone});
  ASSERT_EQ(Run({"--contest", "CQ-WW-SSB", LogPath()}), 0) << err_.str();
  EXPECT_EQ(err_.str(),
            "not scored: K1AA 2026-11-28 00:00: mode CW not in the contest\n"
            "not scored: DL2AA 2026-11-28 00:01: mode CW not in the contest\n");
  EXPECT_NE(out_.str().find("TOTAL qsos=1 points=3 "), std::string::npos) << out_.str();
}

TEST_F(ScoreCommand, RefusesWithOneLineAndStatusTwo) {
  WriteLog({Qso("K1AA", "599 5", 140250, 0)});
  EXPECT_EQ(Run({"--bogus", LogPath()}), kScoreUsageError);
  EXPECT_EQ(Run({(dir_ / "missing.adi").string()}), kScoreUsageError);
  EXPECT_NE(err_.str().find("cannot read"), std::string::npos);
  std::vector<const char*> unknown = {"--data", nullptr,  "--contest", "NO-SUCH",
                                      "--call", "DL1ABC", nullptr};
  const std::string data = (dir_ / "data").string(), log = LogPath();
  unknown[1] = data.c_str();
  unknown[6] = log.c_str();
  err_.str({});
  EXPECT_EQ(RunScoreCommand(unknown, out_, err_), kScoreUsageError);
  EXPECT_NE(err_.str().find("NO-SUCH"), std::string::npos);
  unknown[5] = "Q0QQQ";  // no country has Q
  unknown[3] = "CQ-WW-CW";
  err_.str({});
  EXPECT_EQ(RunScoreCommand(unknown, out_, err_), kScoreUsageError);
  const std::string why = err_.str();
  EXPECT_EQ(std::count(why.begin(), why.end(), '\n'), 1);
}

}  // namespace
}  // namespace vk::test
