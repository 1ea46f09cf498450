#include "tui/screen_text.h"

#include "util/menu_text.h"
#include "util/strings.h"

namespace vk::ui {

namespace {

const ScreenLanguage* LanguageOf(const finalcut::FWidget* widget) {
  const finalcut::FWidget* root = widget;
  for (const finalcut::FWidget* w = widget; w != nullptr; w = w->getParentWidget()) root = w;
  // While the application object is being torn down it is no longer the one that offered the
  // language, and the cast finds nothing.
  return dynamic_cast<const ScreenLanguage*>(root);
}

const MessageCatalog* CatalogOf(const finalcut::FWidget* widget) {
  const ScreenLanguage* language = LanguageOf(widget);
  return language != nullptr ? language->Catalog() : nullptr;
}

const TerminalCharset& CharsetOf(const finalcut::FWidget* widget) {
  static const TerminalCharset kUtf8;  // const: no state to share
  const ScreenLanguage* language = LanguageOf(widget);
  const TerminalCharset* c = language != nullptr ? language->Charset() : nullptr;
  return c != nullptr ? *c : kUtf8;
}

}  // namespace

std::string TranslatedText(const finalcut::FWidget* widget, std::string_view cp866) {
  // The program keeps its texts as they are everywhere else (log, reports, network); only the
  // screen shows them in the operator's language.
  if (const MessageCatalog* c = CatalogOf(widget); c != nullptr) return c->Translate(cp866);
  return std::string(cp866);
}

finalcut::FString UntranslatedText(const finalcut::FWidget* widget, std::string_view cp866) {
  return finalcut::FString{CharsetOf(widget).ToScreen(cp866)};
}

std::string Cp866FromScreen(const finalcut::FWidget* widget, const finalcut::FString& text) {
  return CharsetOf(widget).FromScreen(text.toWString());
}

int TypedCp866(const finalcut::FWidget* widget, char32_t c) {
  return CharsetOf(widget).TypedToCp866(c);
}

finalcut::FString ScreenText(const finalcut::FWidget* widget, std::string_view cp866) {
  return UntranslatedText(widget, TranslatedText(widget, cp866));
}

namespace {

template <typename W>
bool TranslateText(finalcut::FObject* object) {
  auto* w = dynamic_cast<W*>(object);
  if (w == nullptr) return false;
  const std::string text = Cp866FromScreen(w, w->getText());
  const std::string translated = TranslatedText(w, text);
  if (translated != text) w->setText(UntranslatedText(w, translated));
  return true;
}

}  // namespace

void TranslateLabels(finalcut::FWidget* widget) {
  if (widget == nullptr || CatalogOf(widget) == nullptr) return;
  for (finalcut::FObject* child : widget->getChildren()) {
    // Typed texts (input lines, lists) are the operator's and stay as they are.
    (void)(TranslateText<finalcut::FLabel>(child) || TranslateText<finalcut::FButton>(child) ||
           TranslateText<finalcut::FToggleButton>(child) ||
           TranslateText<finalcut::FButtonGroup>(child));
    if (auto* w = dynamic_cast<finalcut::FWidget*>(child); w != nullptr) TranslateLabels(w);
  }
}

finalcut::FString MenuLabel(const finalcut::FWidget* widget, std::string_view cp866) {
  return ScreenText(widget, ToolkitLabel(cp866));
}

}  // namespace vk::ui
