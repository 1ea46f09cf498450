// The English catalogue as the build compiles it (run from the build directory), and the choice
// of language.
#include "util/catalog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

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
