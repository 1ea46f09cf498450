// Texts on their way to the screen.  The program keeps CP866 bytes; the toolkit wants Unicode.
// The operator's language is chosen here too: the application at the root of the widget tree
// holds the message catalogue, and a text shown by any widget of the tree is translated with it.
#pragma once

#include <final/final.h>

#include <string>
#include <string_view>

#include "util/catalog.h"
#include "util/terminal_charset.h"

namespace vk::ui {

// What the root of a widget tree (the application object) offers its widgets: the catalogue of
// the operator's language.
class ScreenLanguage {
 public:
  virtual ~ScreenLanguage() = default;
  // nullptr: no catalogue, texts show as they are kept.
  virtual const MessageCatalog* Catalog() const = 0;
  // The terminal's character set; nullptr: UTF-8.
  virtual const TerminalCharset* Charset() const { return nullptr; }
};

// CP866 bytes as the toolkit's string, in the language of the tree `widget` belongs to (as they
// are when the tree's root offers none, or `widget` is null).
finalcut::FString ScreenText(const finalcut::FWidget* widget, std::string_view cp866);

// The same text translated but still CP866, for a widget that cuts or pads a text to its width:
// that must happen after translation, as a translated text may be longer than the kept one.
std::string TranslatedText(const finalcut::FWidget* widget, std::string_view cp866);
// CP866 bytes as the toolkit's string, with no translation (a text already translated, or the
// operator's own), in the terminal's character set of the tree `widget` belongs to.
finalcut::FString UntranslatedText(const finalcut::FWidget* widget, std::string_view cp866);
// What a widget of the tree holds, typed or shown, as CP866 bytes.
std::string Cp866FromScreen(const finalcut::FWidget* widget, const finalcut::FString& text);
// One typed character as a CP866 byte; -1 when it has none.
int TypedCp866(const finalcut::FWidget* widget, char32_t c);

// The labels, buttons, radio buttons, check boxes and group titles under `widget`, given as
// literals when they were made, in the operator's language.  A text already translated, or
// one the catalogue does not know, stays as it is.
void TranslateLabels(finalcut::FWidget* widget);

// A CP866 label with a "~X~" hot-key marker in the toolkit's form (see ToolkitLabel).
finalcut::FString MenuLabel(const finalcut::FWidget* widget, std::string_view cp866);

}  // namespace vk::ui
