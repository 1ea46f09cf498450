#include "config/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/config_test_util.h"

namespace vk {
namespace {

using IniFileTest = testing::ConfigDirTest;

// Everything a hand-edited file may hold, already in the form a write produces (one blank line
// between sections, none at the end), so an untouched write must give it back byte for byte.
const std::string kHandFile =
    "; written by hand before any header\r\n"
    "Orphan=1\r\n"
    "\r\n"
    "[Main] ; contest settings\r\n"
    "contest=RDXC\r\n"
    "Txnr=599 ; note\r\n"
    "Call= 'UA3AAA'   \r\n"
    "Quoted='A;B' ; keep\r\n"
    "  Indented =  odd  spacing  \r\n"
    "a line without a key\r\n"
    ";Speed=30\r\n"
    "\r\n"
    "[Morze]\r\n"
    "Port=/dev/ttyS0\r\n"
    "\r\n"
    "[main]\r\n"
    "Call=SECOND\r\n"
    "Extra=only here\r\n";

TEST_F(IniFileTest, HandWrittenFileSurvivesReadModifyWrite) {
  WriteFile(path_, kHandFile);
  {
    IniFile ini(path_);
    EXPECT_EQ(ini.GetEntry("Main", "Contest", "?"), "RDXC");  // case-insensitive key
    EXPECT_EQ(ini.GetEntry("MAIN", "txnr", "?"), "599");
    EXPECT_EQ(ini.GetEntry("Main", "Call", "?"), "'UA3AAA'");  // first Main wins
    EXPECT_EQ(ini.GetEntry("Main", "Quoted", "?"), "A;B");
    EXPECT_EQ(ini.GetEntry("Main", "  Indented ", "?"), "odd  spacing");
    EXPECT_EQ(ini.GetEntry("Main", "Speed", "?"), "?");  // commented out
    EXPECT_EQ(ini.GetEntry("Main", "Extra", "?"), "?");  // lives in the second [main]
    EXPECT_EQ(ini.GetEntry("MainSection", "Orphan", "?"), "1");
    ini.SetEntry("Main", "Quoted", "A;B");  // same value: the quoted line stays
    EXPECT_FALSE(ini.IsModified());
    ASSERT_TRUE(ini.Update());
  }
  EXPECT_EQ(Slurp(path_), kHandFile);

  {
    IniFile ini(path_);
    ini.SetEntry("Main", "Txnr", "001");
    ini.SetEntry("Morze", "Port", "/dev/ttyUSB0");
    EXPECT_TRUE(ini.IsModified());
  }  // closing writes the changes
  std::string expected = kHandFile;
  expected.replace(expected.find("Txnr=599 ; note"), 15, "Txnr=001 ;  note");
  expected.replace(expected.find("Port=/dev/ttyS0"), 15, "Port=/dev/ttyUSB0");
  EXPECT_EQ(Slurp(path_), expected);
}

TEST(IniHashTest, MultipliesBy496OverAsciiUpperCase) {
  EXPECT_EQ(IniHash(""), 0u);
  EXPECT_EQ(IniHash("Main"), 821935806u);  // wraps modulo 2^32
  EXPECT_EQ(IniHash("main"), IniHash("MAIN"));
  // CP866 lower-case a (0xA0) is not folded onto upper-case A (0x80).
  EXPECT_EQ(IniHash("\xA0"), 0xA0u);
  EXPECT_NE(IniHash("\xA0"), IniHash("\x80"));
}

struct LineCase {
  const char* line;
  bool hasTag;
  const char* tag;
  const char* value;
  const char* comment;
};

TEST(ParseIniLineTest, SplitsTagValueAndComment) {
  const std::vector<LineCase> cases = {
      {"Txnr=599 ; note", true, "Txnr", "599", " note"},
      {"Txnr='A;B'", true, "Txnr", "A;B", ""},
      {"Txnr= 'AB'", true, "Txnr", "'AB'", ""},  // a quote not right after "=" is plain
      {"Txnr=\"A'B;C\" ;c", true, "Txnr", "A'B;C", "c"},
      {"Txnr='A'B'C'", true, "Txnr", "ABC", ""},  // the opening quote toggles
      {"Txnr='open;to end", true, "Txnr", "open;to end", ""},
      {"Contest =ABC", true, "Contest ", "ABC", ""},
      {"K=a=b", true, "K", "a=b", ""},
      {"K=\t x \t", true, "K", "\t x \t", ""},  // only spaces are trimmed
      {"K=", true, "K", "", ""},
      {"=v", true, "", "v", ""},
      {";Key=val", false, "", "", ";Key=val"},
      {"a;b=c", false, "", "", "a;b=c"},
      {"  just words  ", false, "", "", "  just words  "},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.line);
    IniEntry e = ParseIniLine(c.line);
    EXPECT_EQ(e.hasTag, c.hasTag);
    EXPECT_EQ(e.tag, c.tag);
    EXPECT_EQ(e.value, c.value);
    EXPECT_EQ(e.comment, c.comment);
    EXPECT_EQ(IniEntryLine(e), c.line);  // unchanged lines go back as read
  }
}

struct RebuildCase {
  const char* before;
  const char* value;
  const char* written;
  const char* readBack;
};

TEST_F(IniFileTest, ChangedLinesAreRebuiltAndReadBack) {
  const std::vector<RebuildCase> cases = {
      {"Txnr=599 ; note", "001", "Txnr=001 ;  note", "001"},
      {"Txnr=599", "", "Txnr=", ""},
      {"Txnr='A;B'", "A;Z", "Txnr=\"A;Z\"", "A;Z"},
      {"Txnr=x", "'AB", "Txnr= 'AB", "'AB"},  // the space keeps the quote an ordinary one
      {"Txnr=x", "'it\"s", "Txnr= 'it\"s", "'it\"s"},
      {"Txnr=x", "'A;B", "Txnr=\"'A;B\"", "'A;B"},
      {"Txnr=x", "say \"hi\";", "Txnr='say \"hi\";'", "say \"hi\";"},
      {"Txnr=x", "two\r\nlines", "Txnr=two  lines", "two  lines"},
  };
  for (const RebuildCase& c : cases) {
    SCOPED_TRACE(c.before);
    WriteFile(path_, std::string("[Main]\r\n") + c.before + "\r\n");
    {
      IniFile ini(path_);
      ini.SetEntry("Main", "Txnr", c.value);
      ASSERT_TRUE(ini.Update());
    }
    EXPECT_EQ(Slurp(path_), std::string("[Main]\r\n") + c.written + "\r\n");
    EXPECT_EQ(IniFile(path_).GetEntry("Main", "Txnr", "?"), c.readBack);
  }
}

TEST_F(IniFileTest, KeyWithSpaceBeforeEqualsIsNotFound) {
  WriteFile(path_, "[Main]\r\nContest =ABC\r\n");
  IniFile ini(path_);
  EXPECT_EQ(ini.GetEntry("Main", "Contest", "none"), "none");
  EXPECT_EQ(ini.SearchEntry("Main", "Contest"), nullptr);
}

TEST_F(IniFileTest, HeaderWithoutBracketAndDuplicateSections) {
  WriteFile(path_, "[Main\r\nCall=UA1A\r\n\r\n[MAIN]\r\nCall=UA2B\r\nTxnr=5\r\n");
  IniFile ini(path_);
  ASSERT_NE(ini.SearchSection("main"), nullptr);
  EXPECT_EQ(ini.SearchSection("main")->name, "Main");
  EXPECT_EQ(ini.GetEntry("Main", "Call", "?"), "UA1A");
  // A key only the second section holds is added to the first one.
  ini.SetEntry("Main", "Txnr", "7");
  ASSERT_TRUE(ini.Update());
  EXPECT_EQ(Slurp(path_), "[Main\r\nCall=UA1A\r\nTxnr=7\r\n\r\n[MAIN]\r\nCall=UA2B\r\nTxnr=5\r\n");
}

TEST_F(IniFileTest, EmptyValueCreatesNothing) {
  WriteFile(path_, "[Main]\r\nCall=UA1A\r\n");
  IniFile ini(path_);
  ini.SetEntry("Main", "Txnr", "");
  ini.SetEntry("Other", "Key", "");
  EXPECT_FALSE(ini.IsModified());
  EXPECT_EQ(ini.SearchSection("Other"), nullptr);
}

TEST_F(IniFileTest, BlankLinesAreDroppedAndSectionsSpacedByOne) {
  WriteFile(path_, "\r\n   \r\n[A]\r\n\r\n\r\nk=1\r\n\r\n[Empty]\r\n[B]\r\nk=2\r\n\r\n\r\n");
  IniFile ini(path_);
  ini.SetEntry("New", "k", "3");
  ASSERT_TRUE(ini.Update());
  EXPECT_EQ(Slurp(path_), "[A]\r\nk=1\r\n\r\n[Empty]\r\n\r\n[B]\r\nk=2\r\n\r\n[New]\r\nk=3\r\n");
}

TEST_F(IniFileTest, LineEndsAndLongLines) {
  std::string longValue(300, 'x');
  WriteFile(path_, "[A]\nlf=1\rcr=2\r\ncrlf=3\nlong=" + longValue + "\nafter=4");
  IniFile ini(path_);
  EXPECT_EQ(ini.GetEntry("A", "lf", ""), "1");
  EXPECT_EQ(ini.GetEntry("A", "cr", ""), "2");
  EXPECT_EQ(ini.GetEntry("A", "crlf", ""), "3");
  EXPECT_EQ(ini.GetEntry("A", "long", ""), longValue);  // long lines are kept whole
  EXPECT_EQ(ini.GetEntry("A", "after", ""), "4");       // last line without a line end
  ini.SetEntry("A", "set", std::string(400, 'y'));
  ASSERT_TRUE(ini.Update());
  EXPECT_EQ(Slurp(path_), "[A]\r\nlf=1\r\ncr=2\r\ncrlf=3\r\nlong=" + longValue +
                              "\r\nafter=4\r\nset=" + std::string(400, 'y') + "\r\n");
}

TEST_F(IniFileTest, Cp866BytesAreKeptAndNotCaseFolded) {
  const std::string file = "[\xAC\xA0\xE0\xAA]\r\n\x8A\xAE\xAC=\x8F\xE0\xA8\xA2\xA5\xE2\xFF\r\n";
  WriteFile(path_, file);
  IniFile ini(path_);
  EXPECT_EQ(ini.GetEntry("\xAC\xA0\xE0\xAA", "\x8A\xAE\xAC", "?"), "\x8F\xE0\xA8\xA2\xA5\xE2\xFF");
  EXPECT_EQ(ini.SearchSection("\x8C\x80\x90\x8A"), nullptr);  // upper-case Cyrillic differs
  ASSERT_TRUE(ini.Update());
  EXPECT_EQ(Slurp(path_), file);
}

TEST_F(IniFileTest, IntegerEntries) {
  WriteFile(path_,
            "[M]\r\nabc=abc\r\nbig=300\r\nneg= -5\r\nhuge=99999999999\r\n"
            "tail=12x\r\nempty=\r\n");
  IniFile ini(path_);
  EXPECT_EQ(ini.GetIntEntry("M", "abc", 20), 20);
  EXPECT_EQ(ini.GetIntEntry("M", "big", 0), 300);
  EXPECT_EQ(ini.GetIntEntry("M", "neg", 0), -5);
  EXPECT_EQ(ini.GetIntEntry("M", "huge", 7), 7);
  EXPECT_EQ(ini.GetIntEntry("M", "tail", 7), 7);
  EXPECT_EQ(ini.GetIntEntry("M", "empty", 7), 7);
  EXPECT_EQ(ini.GetIntEntry("M", "missing", -1), -1);
  ini.SetIntEntry("M", "big", -2147483647 - 1);
  EXPECT_EQ(ini.GetEntry("M", "big", ""), "-2147483648");
}

TEST_F(IniFileTest, FailedWriteKeepsFlagsUntilAWriteSucceeds) {
  std::string path = Unwritable();
  IniFile ini(path);
  EXPECT_FALSE(ini.FileFound());
  ini.SetEntry("Main", "Call", "UA1A");
  EXPECT_FALSE(ini.Update());
  EXPECT_TRUE(ini.IsModified());
  EXPECT_EQ(ini.LastError().code, ErrCode::kIo);
  std::filesystem::create_directory(dir_ / "missing");
  EXPECT_TRUE(ini.Update());
  EXPECT_FALSE(ini.IsModified());
  EXPECT_EQ(Slurp(path), "[Main]\r\nCall=UA1A\r\n");
}

TEST_F(IniFileTest, ClosingWritesChangesAndRetriesAFailedWrite) {
  std::string path = Unwritable();
  {
    IniFile ini(path);
    ini.SetEntry("Main", "Call", "UA1A");
    EXPECT_FALSE(ini.Update());
    std::filesystem::create_directory(dir_ / "missing");
  }  // the second try, on closing, finds the directory
  EXPECT_EQ(Slurp(path), "[Main]\r\nCall=UA1A\r\n");
  { IniFile untouched(path_); }
  EXPECT_FALSE(std::filesystem::exists(path_));  // nothing changed, nothing written
}

TEST_F(IniFileTest, FileThatCannotBeReadIsNeverOverwritten) {
  std::filesystem::create_directory(dir_ / "cfgdir");
  IniFile ini((dir_ / "cfgdir").string());
  EXPECT_TRUE(ini.FileFound());
  EXPECT_EQ(ini.Sections().size(), 1u);
  ini.SetEntry("Main", "Call", "UA1A");
  EXPECT_FALSE(ini.Update());
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "cfgdir"));
}

TEST_F(IniFileTest, DeleteAndVisitSections) {
  WriteFile(path_, "top=0\r\n\r\n[A]\r\nk=1\r\n\r\n[B]\r\nk=2\r\nl=3\r\n");
  IniFile ini(path_);
  std::vector<std::string> names;
  ini.ForEachSection([&](const IniSection& s) { names.push_back(s.name); });
  EXPECT_EQ(names, (std::vector<std::string>{"MainSection", "A", "B"}));
  int entries = 0;
  ini.ForEachEntry("b", [&](const IniEntry&) { ++entries; });
  EXPECT_EQ(entries, 2);

  ini.DeleteSection("A");
  EXPECT_TRUE(ini.IsModified());     // no entry changed, yet the file must be written
  ini.DeleteSection("MainSection");  // its lines go, the headerless section stays first
  ASSERT_TRUE(ini.Update());
  EXPECT_EQ(Slurp(path_), "[B]\r\nk=2\r\nl=3\r\n");
}

}  // namespace
}  // namespace vk
