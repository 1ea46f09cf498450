#include "tui/screen_text.h"

#include "util/catalog.h"
#include "util/menu_text.h"
#include "util/strings.h"

namespace vk::ui {

finalcut::FString ScreenText(std::string_view cp866) {
  // The operator's language is chosen here, on the way to the screen: the program keeps its
  // texts as they are everywhere else (log, reports, network).
  if (const MessageCatalog* c = CurrentCatalog(); c != nullptr) {
    return finalcut::FString{Cp866ToWide(c->Translate(cp866))};
  }
  return finalcut::FString{Cp866ToWide(cp866)};
}

finalcut::FString MenuLabel(std::string_view cp866) {
  return ScreenText(ToolkitLabel(cp866));
}

}  // namespace vk::ui
