#include "config/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "config/config_test_util.h"
#include "log/journal.h"

namespace vk {
namespace {

using SettingsTest = testing::ConfigDirTest;

const std::string kFreshMain = "[Main]\r\nComment=<<- VORKAN Contest program ->>\r\n";

TEST_F(SettingsTest, ConfigPathIsInTheCurrentDirectory) {
  auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir_);
  std::string path = ConfigPath();
  std::filesystem::current_path(old);
  EXPECT_EQ(path, std::filesystem::canonical(dir_).string() + "/vorkan.cfg");
}

TEST_F(SettingsTest, NetworkDefaultsDependOnWhetherTheFileExists) {
  NetworkSettings none = ReadNetworkSettings(path_);
  EXPECT_EQ(none.ip, "192.168.1.1");
  EXPECT_EQ(none.port, "12345");
  EXPECT_EQ(none.enable, 0);
  EXPECT_FALSE(std::filesystem::exists(path_));  // reading creates nothing

  WriteFile(path_, "[NETWORK]\r\nENABLE=abc\r\n");
  NetworkSettings bare = ReadNetworkSettings(path_);
  EXPECT_EQ(bare.ip, "192.168.1.1");
  EXPECT_EQ(bare.port, "23456");
  EXPECT_EQ(bare.enable, 0);

  ASSERT_TRUE(WriteNetworkSettings({"10.0.0.7", "5000", 1}, path_));
  EXPECT_EQ(Slurp(path_), "[NETWORK]\r\nENABLE=1\r\nIP=10.0.0.7\r\nPORT=5000\r\n");
  NetworkSettings back = ReadNetworkSettings(path_);
  EXPECT_EQ(back.ip, "10.0.0.7");
  EXPECT_EQ(back.port, "5000");
  EXPECT_EQ(back.enable, 1);
}

TEST_F(SettingsTest, MainSettingsCreateTheFileAndSaveInOrder) {
  MainSettings main;
  main.port = "stale";
  ASSERT_TRUE(ReadMainSettings(main, path_).ok());
  EXPECT_EQ(Slurp(path_), kFreshMain);
  EXPECT_EQ(main.port, "Null");
  EXPECT_EQ(main.contest, "");

  main.contest = "RDXC";
  ASSERT_TRUE(WriteMainSettings(main, path_));
  // Keys with empty values that were never set stay absent.
  EXPECT_EQ(Slurp(path_),
            kFreshMain + "Contest=RDXC\r\nWork=0\r\nMode=0\r\n\r\n[Morze]\r\nPort=Null\r\n");

  main.call = "UA3AAA";
  main.work = 1;
  main.mode = 2;
  main.txnr = "001";
  main.date = "01-03-2024";
  main.time = "12:00";
  ASSERT_TRUE(WriteMainSettings(main, path_));
  EXPECT_EQ(Slurp(path_), kFreshMain +
                              "Contest=RDXC\r\nWork=1\r\nMode=2\r\nCall=UA3AAA\r\nTxnr=001\r\n"
                              "Date=01-03-2024\r\nTime=12:00\r\n\r\n[Morze]\r\nPort=Null\r\n");
}

TEST_F(SettingsTest, MainSettingsCutWidthsAndKeepLowByte) {
  WriteFile(path_,
            "[Main]\r\nContest=ABCDEFGHIJKLMNOPQRST\r\nCall=UA3AAA/P/QRP/PORTABLE\r\nWork=257\r\n"
            "Date=01-03-2024 extra\r\nTime=12:00:59\r\nMode=300\r\nTxnr=0123456789\r\n");
  MainSettings main;
  ASSERT_TRUE(ReadMainSettings(main, path_).ok());
  EXPECT_EQ(main.contest, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(main.call, "UA3AAA/P/QRP/POR");
  EXPECT_EQ(main.work, 1);  // 257 keeps its low 8 bits
  EXPECT_EQ(main.date, "01-03-2024 e");
  EXPECT_EQ(main.time, "12:00:");
  EXPECT_EQ(main.mode, 44);
  EXPECT_EQ(main.txnr, "01234567");
  EXPECT_EQ(main.port, "Null");

  WriteFile(path_, "[Main]\r\nWork=0\r\nDate=01-03-2024\r\nTime=12:00\r\n[Morze]\r\nPort=COM2\r\n");
  main.date = main.time = "stale";
  ASSERT_TRUE(ReadMainSettings(main, path_).ok());
  EXPECT_EQ(main.date, "");  // only WriteLog mode keeps a fixed date and time
  EXPECT_EQ(main.time, "");
  EXPECT_EQ(main.port, "COM2");
}

TEST_F(SettingsTest, StartUpCreatorsReportTheirExactMessages) {
  MainSettings main;
  Status st = ReadMainSettings(main, Unwritable());
  EXPECT_FALSE(st.ok());
  EXPECT_EQ(st.message, "Error:-> not update VorkConfigFile.");
  EXPECT_EQ(main.port, "Null");  // still filled in

  CwMessages cw;
  st = ReadCwMessages(cw, Unwritable());
  EXPECT_FALSE(st.ok());
  EXPECT_EQ(st.message, "Error:-> not update CwConfigFile.");
}

TEST_F(SettingsTest, KeyerTakesOrGivesThePort) {
  std::string programPort = "/dev/ttyUSB0-long-device-name";
  KeyerSettings k = ReadKeyerSettings(programPort, path_);
  EXPECT_EQ(k.port, "/dev/ttyUSB0-lon");  // cut to 16
  EXPECT_EQ(programPort, "/dev/ttyUSB0-long-device-name");
  EXPECT_EQ(k.speed, 20);
  EXPECT_EQ(k.standby, 15);
  EXPECT_EQ(k.num019, 0);
  EXPECT_FALSE(std::filesystem::exists(path_));

  WriteFile(path_, "[Morze]\r\nPort=/dev/ttyS1\r\nSpeed=abc\r\nStandby=40\r\nNum019=9\r\n");
  k = ReadKeyerSettings(programPort, path_);
  EXPECT_EQ(k.port, "/dev/ttyS1");
  EXPECT_EQ(programPort, "/dev/ttyS1");
  EXPECT_EQ(k.speed, 20);
  EXPECT_EQ(k.standby, 40);
  EXPECT_EQ(k.num019, 9);

  std::string none;
  std::filesystem::remove(path_);
  EXPECT_EQ(ReadKeyerSettings(none, path_).port, "");
}

TEST_F(SettingsTest, KeyerWritesItsPortElseTheProgramPortElseNone) {
  KeyerSettings k;
  k.speed = 28;
  ASSERT_TRUE(WriteKeyerSettings(k, "", path_));
  EXPECT_EQ(Slurp(path_), "[Morze]\r\nSpeed=28\r\nStandby=15\r\nNum019=0\r\n");
  ASSERT_TRUE(WriteKeyerSettings(k, "COM4", path_));
  EXPECT_EQ(Slurp(path_), "[Morze]\r\nSpeed=28\r\nStandby=15\r\nNum019=0\r\nPort=COM4\r\n");
  k.port = "COM5";
  ASSERT_TRUE(WriteKeyerSettings(k, "COM4", path_));
  EXPECT_EQ(Slurp(path_), "[Morze]\r\nSpeed=28\r\nStandby=15\r\nNum019=0\r\nPort=COM5\r\n");
}

TEST_F(SettingsTest, PortChangeIsJournalledAndSaved) {
  std::string journal = (dir_ / "debug.txt").string();
  Journal debug(journal);
  WriteFile(path_, "[Main]\r\nCall=UA3AAA\r\n\r\n[Morze]\r\nPort=Null\r\nSpeed=22\r\n");
  EXPECT_TRUE(SaveKeyerPort("/dev/ttyS0", path_, &debug));
  EXPECT_EQ(Slurp(journal), "SaveCWPort:/dev/ttyS0\r\n");
  EXPECT_EQ(Slurp(path_),
            "[Main]\r\nCall=UA3AAA\r\n\r\n[Morze]\r\nPort=/dev/ttyS0\r\nSpeed=22\r\n");
}

TEST_F(SettingsTest, CwMessagesUseTheFixedKeyOrder) {
  CwMessages cw;
  ASSERT_TRUE(ReadCwMessages(cw, path_).ok());
  EXPECT_EQ(Slurp(path_), "[CWMESSAGE]\r\nComment=<<- CW Message text ->>\r\n");
  // No key stored: the CW contest set on F1-F8, the other keys empty.
  for (std::size_t i = 0; i < kCwMessageCount; ++i) {
    EXPECT_EQ(cw.text[i], i < kDefaultCwMessages.size() ? kDefaultCwMessages[i] : "") << i;
  }

  std::string expected = Slurp(path_);
  for (std::size_t i = 0; i < kCwMessageCount; ++i) {
    cw.text[i] = "M" + std::to_string(i);
    expected += "Key" + std::string(kCwMessageLabels[i]) + "=M" + std::to_string(i) + "\r\n";
  }
  cw.text[1] = "TU 73; QRZ?";  // a ";" inside a message must survive the file
  expected.replace(expected.find("KeyF2=M1"), 8, "KeyF2=\"TU 73; QRZ?\"");
  ASSERT_TRUE(WriteCwMessages(cw, path_));
  EXPECT_EQ(Slurp(path_), expected);
  EXPECT_NE(expected.find("KeyINS=M12\r\nKey-=M13\r\nKey+=M14\r\nKey[=M15\r\nKey]=M16\r\n"
                          "Key<=M17\r\nKey>=M18\r\n"),
            std::string::npos);

  CwMessages back;
  ASSERT_TRUE(ReadCwMessages(back, path_).ok());
  EXPECT_EQ(back.text, cw.text);
}

TEST_F(SettingsTest, GroupsShareTheFileWithoutDisturbingEachOther) {
  MainSettings main;
  ASSERT_TRUE(ReadMainSettings(main, path_).ok());
  main.contest = "CQWW";
  ASSERT_TRUE(WriteMainSettings(main, path_));
  std::string afterMain = Slurp(path_);

  CwMessages cw;
  ASSERT_TRUE(ReadCwMessages(cw, path_).ok());
  EXPECT_EQ(Slurp(path_), afterMain);  // the file exists, so no CW comment is added
  cw.text[0] = "CQ TEST";
  ASSERT_TRUE(WriteCwMessages(cw, path_));
  ASSERT_TRUE(WriteNetworkSettings({}, path_));

  MainSettings again;
  ASSERT_TRUE(ReadMainSettings(again, path_).ok());
  EXPECT_EQ(again.contest, "CQWW");
  EXPECT_EQ(Slurp(path_).substr(0, afterMain.size()), afterMain);
  EXPECT_EQ(ReadNetworkSettings(path_).port, "12345");
}

}  // namespace
}  // namespace vk
