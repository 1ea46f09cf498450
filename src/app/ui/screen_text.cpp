#include "app/ui/screen_text.h"

#include "app/menu_text.h"
#include "util/strings.h"

namespace vk::ui {

finalcut::FString ScreenText(std::string_view cp866) {
  return finalcut::FString{Cp866ToWide(cp866)};
}

finalcut::FString MenuLabel(std::string_view cp866) {
  return ScreenText(ToolkitLabel(cp866));
}

}  // namespace vk::ui
