// The operator's language.  The program's own texts are kept in the Russian and English of the
// classic screen; a GNU gettext catalogue (a compiled .mo file, msgids and msgstrs in UTF-8)
// gives the other language: en.po the English of each Russian text, ru.po the Russian of each
// English one.  Translation happens where text goes to the screen: a text that is a msgid as a
// whole (blanks around it kept) becomes its translation; otherwise every msgid inside the text
// is replaced, so texts composed of a fixed phrase and figures ("QSO БЫЛО !!!", "Новый
// множитель: DL", "Log: saved") are translated too.  An English msgid is replaced only as whole
// words, so "Call" never changes a part of "Callsign".
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "util/result.h"

namespace vk {

class MessageCatalog {
 public:
  // Reads a .mo file of either byte order.  A missing or malformed file is an error and
  // leaves the catalogue empty (texts then stay as they are).
  Status Load(const std::string& moPath);
  // CP866 text with every known msgid replaced.
  std::string Translate(std::string_view cp866) const;
  std::size_t Size() const { return pairs_.size(); }
  // The catalogue has a translation for the whole text or a phrase inside it (one that may read
  // the same in both languages, as "OK").
  bool Knows(std::string_view cp866) const;

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;  // CP866, longest msgid first
  // Every msgid is plain ASCII: an English-to-Russian catalogue.
  bool englishIds_ = false;
};

// The environment's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, in gettext's order):
// "ru" for ru*, else "en".  Read before the program changes its own locale.
std::string EnvironmentLanguage();

// "ru" or "en": the configured `Language=` when it is one of them, else `environment`.
std::string ChooseLanguage(std::string_view configured, std::string_view environment);
// The same with the environment as it is now.
std::string ChooseLanguage(std::string_view configured);

}  // namespace vk
