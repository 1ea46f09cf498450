#include "util/menu_text.h"

#include <cctype>

namespace vk {

namespace {
constexpr std::size_t kHintColumn = 18;
}

std::string ToolkitLabel(std::string_view label) {
  std::string out;
  bool marked = false;
  bool open = false;
  for (char c : label) {
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
  if (marked || out.find('&') == std::string::npos) return out;
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (std::isalnum(static_cast<unsigned char>(out[i]))) {
      out.insert(i, 1, '&');
      break;
    }
  }
  return out;
}

std::string LabelWithHint(std::string_view label, std::string_view hint) {
  std::string text(label);
  const std::size_t shown = text.size() - (text.find('&') != std::string::npos ? 1 : 0);
  if (shown < kHintColumn) text.append(kHintColumn - shown, ' ');
  text.append(hint);
  return text;
}

}  // namespace vk
