// The operator's language.  The program's own texts are kept in the Russian and English of the
// classic screen; a GNU gettext catalogue (a compiled .mo file, its msgids the Russian texts in
// UTF-8) gives the English for each Russian text.  Translation happens where text goes to the
// screen: every Russian msgid inside a text is replaced by its English, so texts composed of a
// fixed phrase and figures ("QSO БЫЛО !!!", "Новый множитель: DL") are translated too.
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

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;  // CP866, longest msgid first
};

// "ru" or "en": the configured `Language=` when it is one of them, else the environment's
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, in gettext's order): Russian for ru*, else English.
std::string ChooseLanguage(std::string_view configured);

}  // namespace vk
