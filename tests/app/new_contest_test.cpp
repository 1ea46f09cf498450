#include "app/new_contest.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "config/ini_file.h"
#include "log/adif.h"
#include "station_fixture.h"
#include "logbook_access.h"

namespace vk {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;

class NewContestTest : public test::StationFixture {
 protected:
  void SetUp() override {
    StationFixture::SetUp();
    ShipRules("contest.xml");
    ShipRules("cqww.xml");
    ShipRules("iaru.xml");
  }

  int EntryOf(const Station& st, const std::string& file) const {
    for (std::size_t k = 0; k < st.Contests().Size(); ++k) {
      if (st.Contests().FileName(k) == file) return static_cast<int>(k);
    }
    ADD_FAILURE() << file << " not in the contest list";
    return -1;
  }

  // Ten QSOs in vorkan.adi, read back as the log window reads them at start.
  void LogTenQsos(Station& st) {
    for (int i = 0; i < 10; ++i) {
      QsoRecord q;
      q.Guid = 100 + i;
      q.Stamp = DateTime{2024, 3, 5, 9, static_cast<std::uint16_t>(i), 0};
      q.Freq = 140250;
      q.Mode = Mode::kCw;
      q.Call = "DL" + std::to_string(i) + "ABC";
      q.Sent = "599 001";
      q.Rcvd = "599 15";
      ASSERT_TRUE(test::MutableLog(st).Append(q));
    }
    ASSERT_TRUE(st.WriteLog());
    test::MutableLog(st).Clear();
    ASSERT_TRUE(st.LoadLog());
  }

  std::vector<fs::path> ArchiveFiles() const {
    std::vector<fs::path> out;
    if (!fs::is_directory(dir_ / "arch")) return out;
    for (const auto& e : fs::directory_iterator(dir_ / "arch")) out.push_back(e.path());
    std::sort(out.begin(), out.end());
    return out;
  }

  std::string ConfigValue(const std::string& key) const {
    IniFile ini((dir_ / "vorkan.cfg").string());
    return ini.GetEntry("Main", key, "<none>");
  }

  ContestOffer CqwwOffer(Station& st, std::string_view call = "UA9XX") {
    return OfferContest(st.Contests(), st.Countries(), EntryOf(st, "cqww.xml"),
                        "CQ World Wide DX Contest CW", call);
  }
};

// --- choosing the contest ---------------------------------------------------------------------

TEST_F(NewContestTest, SelectFormListsTheFilesContestsAndTheCurrentCall) {
  WriteConfig("Contest=WORLD\r\nCall=UA9XX\r\n");
  Station& st = Start();
  const SelectContestForm f =
      MakeSelectContestForm(st.Contests(), EntryOf(st, "cqww.xml"), "UA9XX");
  EXPECT_EQ(f.displayNames, (std::vector<std::string>{"CQ World Wide DX Contest CW",
                                                      "CQ World Wide DX Contest SSB"}));
  EXPECT_EQ(f.call, "UA9XX");
  EXPECT_TRUE(MakeSelectContestForm(st.Contests(), 99, "").displayNames.empty());
}

TEST_F(NewContestTest, OfferNamesTheContestAndTrimsAndUpperCasesTheCall) {
  WriteConfig("Contest=WORLD\r\nCall=UA9XX\r\n");
  Station& st = Start();
  const ContestOffer o = CqwwOffer(st, "  dl1abc ");
  EXPECT_EQ(o.contestName, "CQ-WW-CW");
  EXPECT_EQ(o.displayName, "CQ World Wide DX Contest CW");
  EXPECT_EQ(o.ownCall, "DL1ABC");
  EXPECT_TRUE(o.callKnown);
  EXPECT_TRUE(o.load.ok()) << o.load.message;
  EXPECT_FALSE(o.modeChoice);
  EXPECT_EQ(o.exchangeCaption, "");  // CQ WW sends the zone, which asks for no own exchange
}

TEST_F(NewContestTest, ExchangeCaptionAndModeChoiceComeFromTheRules) {
  WriteRules("<band>20</band>\n<mode>cw/ph</mode>\n<repqso>band</repqso>\n<txnr caption=\"Your oblast:\">constnr</txnr>");
  WriteConfig("Contest=\r\n");
  Station& st = Start();
  const ContestOffer o = OfferContest(st.Contests(), st.Countries(), EntryOf(st, "test.xml"),
                                      "Test contest", "UA3AAA");
  EXPECT_EQ(o.contestName, "TEST");
  EXPECT_TRUE(o.modeChoice);
  EXPECT_EQ(o.exchangeCaption, "Your oblast:");

  const ContestOffer iaru = OfferContest(st.Contests(), st.Countries(), EntryOf(st, "iaru.xml"),
                                         "IARU HF World Championship", "UA3AAA");
  EXPECT_EQ(iaru.exchangeCaption, "Your ITU zone:");
  EXPECT_FALSE(iaru.modeChoice);  // "cw ph" allows both without a choice
}

TEST_F(NewContestTest, TwoContestsOfOneDisplayNameGiveTheLaterContestName) {
  std::ofstream(dir_ / "data" / "twins.xml", std::ios::binary)
      << "<contest_rules title=\"Twins\">\n<contest name=\"FIRST\" display=\"Twin\"><band>20</band>"
         "</contest>\n<contest name=\"SECOND\" display=\"Twin\"><band>40</band></contest>\n"
         "</contest_rules>\n";
  WriteConfig("Contest=\r\n");
  Station& st = Start();
  EXPECT_EQ(OfferContest(st.Contests(), st.Countries(), EntryOf(st, "twins.xml"), "Twin", "UA3AAA")
                .contestName,
            "SECOND");
  EXPECT_EQ(
      OfferContest(st.Contests(), st.Countries(), EntryOf(st, "twins.xml"), "Nobody", "UA3AAA")
          .contestName,
      "");
}

TEST_F(NewContestTest, OfferLeavesTheRunningContestAloneAndRefusesAnUnknownCall) {
  WriteConfig("Contest=WORLD\r\nCall=UA9XX\r\n");
  Station& st = Start();
  const std::size_t nodes = st.Rules().Nodes().size();
  const std::string caption = st.Rules().Settings().caption;
  (void)CqwwOffer(st);
  EXPECT_EQ(st.Rules().Nodes().size(), nodes);
  EXPECT_EQ(st.Rules().Settings().caption, caption);
  EXPECT_EQ(st.Rules().OwnCall(), "UA9XX");

  const ContestOffer bad = CqwwOffer(st, "QQ0QQ");
  EXPECT_FALSE(bad.callKnown);
  EXPECT_FALSE(bad.load.ok());
}

// --- the settings form ------------------------------------------------------------------------

TEST_F(NewContestTest, SettingsFormStartsWithTodayAndChecksOnlyAWriteLogStart) {
  const ContestSettingsForm f = MakeContestSettingsForm(time_);
  EXPECT_EQ(f.work, kWorkContest);
  EXPECT_EQ(f.date, "05-03-2024");  // the fixture's clock
  EXPECT_EQ(f.time, "09:07");
  EXPECT_EQ(f.mode, 0);

  struct Case {
    std::uint8_t work;
    const char* date;
    const char* time;
    SettingsFault fault;
  };
  const Case cases[] = {
      {kWorkContest, "", "", SettingsFault::kNone},
      {kWorkContest, "99-99-9999", "99:99", SettingsFault::kNone},
      {kWorkWriteLog, "05-03-2024", "09:07", SettingsFault::kNone},
      {kWorkWriteLog, "29-02-2024", "23:59", SettingsFault::kNone},
      {kWorkWriteLog, "29-02-2023", "09:07", SettingsFault::kDate},
      {kWorkWriteLog, "05-03-20", "09:07", SettingsFault::kDate},
      {kWorkWriteLog, "", "09:07", SettingsFault::kDate},
      {kWorkWriteLog, "05-03-2024", "24:00", SettingsFault::kTime},
      {kWorkWriteLog, "05-03-2024", "9:07", SettingsFault::kTime},
  };
  for (const Case& c : cases) {
    ContestSettingsForm form;
    form.work = c.work;
    form.date = c.date;
    form.time = c.time;
    EXPECT_EQ(CheckContestSettings(form, time_), c.fault) << c.date << " " << c.time;
  }
}

TEST_F(NewContestTest, SettingsStoredFromTheForm) {
  ContestOffer offer;
  offer.contestName = "CQ-WW-CW";
  offer.ownCall = "UA9XX";
  MainSettings base;
  base.port = "/dev/ttyS0";
  base.date = "01-01-2020";
  base.time = "00:00";
  ContestSettingsForm form;
  form.date = "05-03-2024";
  form.time = "09:07";
  form.mode = 1;
  form.exchange = " 16 ";

  // Contest work: no date or time, no mode without a choice, no exchange without a caption.
  MainSettings m = ApplyContestSettings(base, offer, form);
  EXPECT_EQ(m.contest, "CQ-WW-CW");
  EXPECT_EQ(m.call, "UA9XX");
  EXPECT_EQ(m.work, 0);
  EXPECT_EQ(m.date, "");
  EXPECT_EQ(m.time, "");
  EXPECT_EQ(m.mode, 0);
  EXPECT_EQ(m.txnr, "");
  EXPECT_EQ(m.port, "/dev/ttyS0");

  offer.modeChoice = true;
  offer.exchangeCaption = "Oblast:";
  form.work = kWorkWriteLog;
  form.exchange = "  mo 16 extra text ";
  m = ApplyContestSettings(base, offer, form);
  EXPECT_EQ(m.work, 1);
  EXPECT_EQ(m.date, "05-03-2024");
  EXPECT_EQ(m.time, "09:07");
  EXPECT_EQ(m.mode, 2);  // SSB stores the phone mode code
  EXPECT_EQ(m.txnr, "MO 16 EX");
  form.mode = 0;
  EXPECT_EQ(ApplyContestSettings(base, offer, form).mode, 1);
}

// --- the archive ------------------------------------------------------------------------------

TEST_F(NewContestTest, ArchiveFileNames) {
  const DateTime t{2024, 3, 5, 9, 7, 30};
  EXPECT_EQ(ArchiveFileName("CQ-WW-CW", t), "CQ-WW-CW-20240305-090730.adi");
  EXPECT_EQ(ArchiveFileName("A/B", t), "A_B-20240305-090730.adi");
  EXPECT_EQ(ArchiveFileName("", t), "log-20240305-090730.adi");
}

TEST_F(NewContestTest, ArchiveHoldsTheWholeLogAndNeverOverwritesAnother) {
  WriteConfig("Contest=WORLD\r\nCall=UA9XX\r\n");
  Station& st = Start();
  LogTenQsos(st);
  const ArchiveRequest req{dir_.string(), "WORLD", DateTime{2024, 3, 5, 9, 7, 30}, true};
  const ArchiveOutcome a = ArchiveLog(st.Log(), req);
  ASSERT_TRUE(a.status.ok()) << a.status.message;
  ASSERT_EQ(a.written.size(), 1u);
  EXPECT_EQ(a.written[0], (dir_ / "arch" / "WORLD-20240305-090730.adi").string());
  EXPECT_EQ(ReadWholeFile(a.written[0]), BuildAdifLog(st.Log()));

  // The folder is there now; the same second again gets a name of its own.
  const ArchiveOutcome again = ArchiveLog(st.Log(), req);
  ASSERT_TRUE(again.status.ok());
  EXPECT_EQ(again.written[0], (dir_ / "arch" / "WORLD-20240305-090730-2.adi").string());
  EXPECT_EQ(ArchiveFiles().size(), 2u);

  TLogCollection back;
  ASSERT_TRUE(LoadAdifLog(a.written[0], back));
  EXPECT_EQ(back.Count(), 10);
  EXPECT_EQ(back.LogCrc(), st.Log().LogCrc());
}

TEST_F(NewContestTest, EmptyLogArchivesNothingAndMakesNoFolder) {
  TLogCollection empty;
  const ArchiveOutcome a = ArchiveLog(empty, {dir_.string(), "WORLD", {}, true});
  EXPECT_TRUE(a.status.ok());
  EXPECT_TRUE(a.written.empty());
  EXPECT_FALSE(fs::exists(dir_ / "arch"));
}

// A station started without a contest never read vorkan.adi: the file itself is the log.
TEST_F(NewContestTest, LogFileNotReadIntoMemoryIsArchivedByteForByte) {
  const std::string bytes = "<CALL:6>DL1ABC<EOR>\r\nnot a record, kept anyway\r\n";
  std::ofstream(LogPath(), std::ios::binary) << bytes;
  TLogCollection empty;
  ArchiveOutcome a = ArchiveLog(empty, {dir_.string(), "", DateTime{2024, 3, 5, 9, 7, 30}, false});
  ASSERT_TRUE(a.status.ok());
  ASSERT_EQ(a.written.size(), 1u);
  EXPECT_EQ(a.written[0], (dir_ / "arch" / "log-20240305-090730.adi").string());
  EXPECT_EQ(ReadWholeFile(a.written[0]), bytes);

  // With QSOs in memory as well (a file read only in part), both are kept.
  TLogCollection some;
  QsoRecord q;
  q.Call = "F5XYZ";
  some.Append(q);
  a = ArchiveLog(some, {dir_.string(), "WORLD", DateTime{2024, 3, 5, 9, 8, 0}, false});
  ASSERT_EQ(a.written.size(), 2u);
  EXPECT_NE(ReadWholeFile(a.written[0]).find("F5XYZ"), std::string::npos);
  EXPECT_EQ(a.written[1], (dir_ / "arch" / "WORLD-20240305-090800-file.adi").string());
  EXPECT_EQ(ReadWholeFile(a.written[1]), bytes);
}

TEST_F(NewContestTest, UnreadableLogFileOrFolderInTheWayArchivesNothing) {
  fs::create_directory(LogPath());  // exists, cannot be read as a file
  TLogCollection empty;
  ArchiveOutcome a = ArchiveLog(empty, {dir_.string(), "WORLD", {}, false});
  EXPECT_FALSE(a.status.ok());
  EXPECT_FALSE(a.folderFailed);
  fs::remove(LogPath());

  std::ofstream(dir_ / "arch") << "a file where the folder belongs";
  QsoRecord q;
  q.Call = "F5XYZ";
  TLogCollection some;
  some.Append(q);
  a = ArchiveLog(some, {dir_.string(), "WORLD", {}, true});
  EXPECT_FALSE(a.status.ok());
  EXPECT_TRUE(a.folderFailed);
  EXPECT_TRUE(a.written.empty());
}

// --- the whole command ------------------------------------------------------------------------

ContestSettingsForm ContestWork(const TimeSource& time) {
  ContestSettingsForm f = MakeContestSettingsForm(time);
  f.work = kWorkContest;
  return f;
}

TEST_F(NewContestTest, TenQsosGoToArchiveTheSettingsNameTheNewContestAndTheLogIsGone) {
  WriteConfig(
      "Contest=WORLD\r\nCall=UA9XX\r\nWork=1\r\nDate=01-01-2020\r\nTime=00:00\r\n"
      "[Morze]\r\nPort=/dev/ttyUSB0\r\n");
  Station& st = Start();
  LogTenQsos(st);
  const NewContestResult r =
      CompleteNewContest(st, state_, CqwwOffer(st, "dl1abc"), ContestWork(time_), true);
  EXPECT_EQ(r.end, NewContestEnd::kRestart);
  EXPECT_EQ(r.message, "");

  const auto files = ArchiveFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].filename(), "WORLD-20240305-090730.adi");
  TLogCollection back;
  ASSERT_TRUE(LoadAdifLog(files[0].string(), back));
  EXPECT_EQ(back.Count(), 10);
  EXPECT_FALSE(fs::exists(LogPath()));

  EXPECT_EQ(ConfigValue("Contest"), "CQ-WW-CW");
  EXPECT_EQ(ConfigValue("Call"), "DL1ABC");
  EXPECT_EQ(ConfigValue("Work"), "0");
  EXPECT_EQ(ConfigValue("Mode"), "0");
  EXPECT_EQ(IniFile((dir_ / "vorkan.cfg").string()).GetEntry("Morze", "Port", ""), "/dev/ttyUSB0");
  EXPECT_TRUE(state_.DiscardLog);
  EXPECT_TRUE(state_.NoContest);
  EXPECT_EQ(state_.contestName, "CQ-WW-CW");

  // The way out writes no log, and the next start has the new contest and an empty log.
  EXPECT_TRUE(st.WriteLogOnExit(state_.DiscardLog));
  EXPECT_FALSE(fs::exists(LogPath()));
  Station& next = Start();
  EXPECT_FALSE(state_.NoContest);
  EXPECT_EQ(state_.contestDisplayName, "CQ World Wide DX Contest CW");
  EXPECT_TRUE(next.LoadLog());
  EXPECT_TRUE(next.Log().Empty());
}

TEST_F(NewContestTest, NoFolderForTheArchiveChangesNothingAndSaysSo) {
  WriteConfig("Contest=WORLD\r\nCall=UA9XX\r\n");
  Station& st = Start();
  LogTenQsos(st);
  std::ofstream(dir_ / "arch") << "in the way";
  const std::string config = ReadWholeFile((dir_ / "vorkan.cfg").string());
  const std::string log = ReadWholeFile(LogPath());

  const NewContestResult r =
      CompleteNewContest(st, state_, CqwwOffer(st), ContestWork(time_), true);
  EXPECT_EQ(r.end, NewContestEnd::kArchiveFailed);
  EXPECT_TRUE(recorder_.HeardCommand(cm::kErrMakeDir));
  EXPECT_EQ(ReadWholeFile((dir_ / "vorkan.cfg").string()), config);
  EXPECT_EQ(ReadWholeFile(LogPath()), log);
  EXPECT_FALSE(state_.DiscardLog);
  EXPECT_EQ(st.Log().Count(), 10);
}

TEST_F(NewContestTest, SettingsThatCannotBeWrittenAreReportedAndTheLogStays) {
  WriteConfig("Contest=WORLD\r\nCall=UA9XX\r\n");
  Station& st = Start();
  LogTenQsos(st);
  // The configuration now names a file in a folder that does not exist.
  fs::remove(dir_ / "vorkan.cfg");
  fs::create_symlink(dir_ / "gone" / "vorkan.cfg", dir_ / "vorkan.cfg");

  const NewContestResult r =
      CompleteNewContest(st, state_, CqwwOffer(st), ContestWork(time_), true);
  EXPECT_EQ(r.end, NewContestEnd::kSettingsNotWritten);
  EXPECT_EQ(r.message, "Error:-> not update VorkConfigFile.");
  EXPECT_TRUE(fs::exists(LogPath()));
  EXPECT_FALSE(state_.DiscardLog);
  EXPECT_EQ(state_.contestName, "WORLD");
  EXPECT_EQ(ArchiveFiles().size(), 1u);  // a copy too many does no harm
}

TEST_F(NewContestTest, EmptyLogArchivesNothingButTheOldFileIsStillRemoved) {
  WriteConfig("Contest=WORLD\r\nCall=UA9XX\r\n");
  Station& st = Start();
  ASSERT_TRUE(st.LoadLog());
  const NewContestResult r =
      CompleteNewContest(st, state_, CqwwOffer(st), ContestWork(time_), true);
  EXPECT_EQ(r.end, NewContestEnd::kRestart);
  EXPECT_TRUE(r.archived.empty());
  EXPECT_FALSE(fs::exists(dir_ / "arch"));
}

TEST_F(NewContestTest, StationWithoutAContestKeepsTheLogFileItNeverRead) {
  WriteConfig("Contest=\r\nCall=\r\n");
  std::ofstream(LogPath(), std::ios::binary) << "<CALL:6>DL1ABC<EOR>\r\n";
  Station& st = Start();
  ASSERT_TRUE(state_.NoContest);
  const NewContestResult r =
      CompleteNewContest(st, state_, CqwwOffer(st), ContestWork(time_), false);
  ASSERT_EQ(r.end, NewContestEnd::kRestart);
  ASSERT_EQ(r.archived.size(), 1u);
  EXPECT_EQ(ReadWholeFile(r.archived[0]), "<CALL:6>DL1ABC<EOR>\r\n");
  EXPECT_FALSE(fs::exists(LogPath()));
}

}  // namespace
}  // namespace vk
