#include "tui/screen_text.h"

#include "util/menu_text.h"
#include "util/strings.h"

namespace vk::ui {

namespace {

const MessageCatalog* CatalogOf(const finalcut::FWidget* widget) {
  const finalcut::FWidget* root = widget;
  for (const finalcut::FWidget* w = widget; w != nullptr; w = w->getParentWidget()) root = w;
  // While the application object is being torn down it is no longer the one that offered the
  // language, and the cast finds nothing.
  const auto* language = dynamic_cast<const ScreenLanguage*>(root);
  return language != nullptr ? language->Catalog() : nullptr;
}

}  // namespace

std::string TranslatedText(const finalcut::FWidget* widget, std::string_view cp866) {
  // The program keeps its texts as they are everywhere else (log, reports, network); only the
  // screen shows them in the operator's language.
  if (const MessageCatalog* c = CatalogOf(widget); c != nullptr) return c->Translate(cp866);
  return std::string(cp866);
}

finalcut::FString UntranslatedText(std::string_view cp866) {
  return finalcut::FString{Cp866ToWide(cp866)};
}

finalcut::FString ScreenText(const finalcut::FWidget* widget, std::string_view cp866) {
  return UntranslatedText(TranslatedText(widget, cp866));
}

finalcut::FString MenuLabel(const finalcut::FWidget* widget, std::string_view cp866) {
  return ScreenText(widget, ToolkitLabel(cp866));
}

}  // namespace vk::ui
