// The English catalogue as the build compiles it (run from the build directory), and the choice
// of language.
#include "util/catalog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "util/strings.h"

namespace vk {
namespace {

TEST(Catalog, RussianTextsBecomeEnglishWhereverTheyStand) {
  MessageCatalog c;
  ASSERT_TRUE(c.Load("locale/en/LC_MESSAGES/vorkan.mo").ok());
  EXPECT_EQ(c.Translate(Utf8ToCp866("QSO БЫЛО !!!")), "WORKED BEFORE !!!");
  EXPECT_EQ(c.Translate(Utf8ToCp866("Новый множитель: zone 14, DL  worked 20")),
            "New multiplier: zone 14, DL  worked 20");
  EXPECT_EQ(c.Translate("DL : Fed. Rep. of Germany : EU"), "DL : Fed. Rep. of Germany : EU");
  // A text the catalogue does not know stays as it is.
  EXPECT_EQ(c.Translate(Utf8ToCp866("Москва")), Utf8ToCp866("Москва"));
}

// English texts become Russian as a whole, and phrases inside composed texts as whole words; a
// single word inside a sentence, a call or a figure stays as it is.
TEST(Catalog, EnglishTextsBecomeRussian) {
  MessageCatalog c;
  ASSERT_TRUE(c.Load("locale/ru/LC_MESSAGES/vorkan.mo").ok());
  const struct {
    const char* english;
    const char* russian;  // UTF-8
  } cases[] = {
      {"&File", "&Файл"},
      {"  Cancel ", "  Отмена "},                              // blanks around it kept
      {"Log: saved", "Журнал: сохранён"},
      {"Rig: 14025.0  CW 24 WPM", "Трансивер: 14025.0  CW 24 WPM"},  // a phrase and figures
      {"Rate", "Темп"},                                        // a single word as a whole text
      {"Rate 42/h", "Rate 42/h"},                              // ... but not inside one
      {"Callsign: DL1ABC", "Callsign: DL1ABC"},                // "Call" not inside a word
      {"DL1ABC", "DL1ABC"},
  };
  for (const auto& t : cases) {
    EXPECT_EQ(Cp866ToUtf8(c.Translate(t.english)), t.russian) << t.english;
  }
}

// Every text the windows, dialogs and menus are built with has its Russian: the string literals
// of the terminal layer that read as screen texts (a capital, '&' or '[' first, a lower-case
// letter inside), apart from the debug journal's lines and the key names of the hints.
TEST(Catalog, EveryScreenTextHasItsRussian) {
  MessageCatalog c;
  ASSERT_TRUE(c.Load("locale/ru/LC_MESSAGES/vorkan.mo").ok());
  const std::regex literal(R"re("((?:[^"\\\n]|\\.)*)")re");
  const std::regex text(R"re(^[&\[A-Z].*[a-z])re");
  const std::regex notText(R"re(^(Alt\+|Vorkan )|\\x)re");
  std::vector<std::string> missing;
  for (const char* dir : {"/src/ui", "/src/tui"}) {
    for (const auto& e :
         std::filesystem::recursive_directory_iterator(std::string(VORKAN_SOURCE_DIR) + dir)) {
      if (e.path().filename() == "main.cpp") continue;  // before the screen: the journal's
      std::ifstream in(e.path());
      std::string line, previous;
      for (; std::getline(in, line); previous = line) {
        const std::string code = line.substr(0, line.find("//"));
        if (line.find("Journal") != std::string::npos ||
            previous.find("Journal") != std::string::npos) {
          continue;
        }
        for (std::sregex_iterator m(code.begin(), code.end(), literal), end; m != end; ++m) {
          const std::string t = (*m)[1];
          if (!std::regex_search(t, text) || std::regex_search(t, notText)) continue;
          if (!c.Knows(t)) missing.push_back(e.path().filename().string() + ": " + t);
        }
      }
    }
  }
  std::string list;
  for (const std::string& m : missing) list += "\n  " + m;
  EXPECT_TRUE(missing.empty()) << missing.size() << " texts without Russian:" << list;
}

TEST(Catalog, AFileThatIsNoCatalogueLeavesItEmpty) {
  const char* path = "not_a_catalogue.mo";
  std::ofstream(path, std::ios::binary) << "\xDE\x12\x04\x95 short";
  MessageCatalog c;
  EXPECT_FALSE(c.Load(path).ok());
  EXPECT_FALSE(c.Load("missing/vorkan.mo").ok());
  EXPECT_EQ(c.Size(), 0u);
  std::remove(path);
}

TEST(Catalog, ConfigurationFirstThenTheEnvironment) {
  EXPECT_EQ(ChooseLanguage("EN"), "en");
  EXPECT_EQ(ChooseLanguage("", "ru"), "ru");  // the environment as it was at the start
  EXPECT_EQ(ChooseLanguage("en", "ru"), "en");
  EXPECT_EQ(ChooseLanguage("ru"), "ru");
  ::setenv("LANGUAGE", "ru:en", 1);
  EXPECT_EQ(ChooseLanguage("de"), "ru");
  ::unsetenv("LANGUAGE");
  ::setenv("LC_ALL", "C.UTF-8", 1);
  EXPECT_EQ(ChooseLanguage(""), "en");
  ::setenv("LC_ALL", "ru_RU.UTF-8", 1);
  EXPECT_EQ(ChooseLanguage(""), "ru");
  ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace vk
