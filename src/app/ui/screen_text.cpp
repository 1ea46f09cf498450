#include "app/ui/screen_text.h"

#include <cctype>
#include <string>

#include "util/strings.h"

namespace vk::ui {

finalcut::FString ScreenText(std::string_view cp866) {
  return finalcut::FString{Cp866ToWide(cp866)};
}

finalcut::FString MenuLabel(std::string_view cp866) {
  std::string out;
  bool marked = false;
  bool open = false;
  for (char c : cp866) {
    if (c == '~') {
      if (!open && !marked) {
        out += '&';
        marked = true;
      }
      open = !open;
      continue;
    }
    out += c;
  }
  if (!marked && out.find('&') != std::string::npos) {
    for (std::size_t i = 0; i < out.size(); ++i) {
      if (std::isalnum(static_cast<unsigned char>(out[i]))) {
        out.insert(i, 1, '&');
        break;
      }
    }
  }
  return ScreenText(out);
}

}  // namespace vk::ui
