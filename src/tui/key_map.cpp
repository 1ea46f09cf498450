#include "tui/key_map.h"

#include "util/strings.h"

namespace vk::ui {

using finalcut::FKey;

namespace {

constexpr std::uint32_t Raw(FKey k) {
  return static_cast<std::uint32_t>(k);
}

// Function key n (1..12) of the F1.. block, with the PC codes of F1..F10 and F11, F12 for
// one modifier state.
KeyCode FunctionKey(std::uint32_t n, KeyCode first, KeyCode eleventh) {
  if (n < 10) return static_cast<KeyCode>(first + (n << 8));
  return static_cast<KeyCode>(eleventh + ((n - 10) << 8));
}

KeyCode EditingKey(FKey key) {
  switch (key) {
    case FKey::Backspace:
      return kb::kBackspace;
    case FKey::Del_char:
      return kb::kDel;
    case FKey::Insert:
      return kb::kIns;
    case FKey::Home:
      return kb::kHome;
    case FKey::End:
      return kb::kEnd;
    case FKey::Page_up:
      return kb::kPgUp;
    case FKey::Page_down:
      return kb::kPgDn;
    case FKey::Ctrl_page_up:
      return kb::kCtrlPgUp;
    case FKey::Ctrl_page_down:
      return kb::kCtrlPgDn;
    case FKey::Meta_page_up:
      return kb::kAltPgUp;
    case FKey::Meta_page_down:
      return kb::kAltPgDn;
    case FKey::Up:
      return kb::kUp;
    case FKey::Down:
      return kb::kDown;
    case FKey::Left:
      return kb::kLeft;
    case FKey::Right:
      return kb::kRight;
    case FKey::Back_tab:
      return kb::kShiftTab;
    case FKey::Enter:
      return kb::kEnter;
    case FKey::Escape_mintty:
      return kb::kEsc;
    default:
      return 0;
  }
}

}  // namespace

FKey NormalizeKey(FKey key) {
  if (key >= FKey::F49 && key <= FKey::F60) {
    return static_cast<FKey>(Raw(FKey::Meta_f1) + (Raw(key) - Raw(FKey::F49)));
  }
  return key;
}

KeyCode PcKeyCode(FKey key, const std::function<int(char32_t)>& typed) {
  key = NormalizeKey(key);
  const std::uint32_t k = Raw(key);
  if (k < 0x80) return KeyCodeForChar(static_cast<unsigned char>(k));
  if (k < 0x01000000) {  // a Unicode character: its CP866 byte, no scan code
    const auto c = static_cast<char32_t>(k);
    const int b = typed ? typed(c) : UnicodeToCp866Char(c);
    return b < 0 ? 0 : static_cast<KeyCode>(b);
  }
  if (key >= FKey::F1 && key <= FKey::F10) return FunctionKey(k - Raw(FKey::F1), kb::kF1, 0);
  if (key >= FKey::F11 && key <= FKey::F24) {  // F11, F12, then Shift+F1..F12
    const std::uint32_t n = k - Raw(FKey::F11);
    if (n < 2) return FunctionKey(n + 10, 0, kb::kF11);
    return FunctionKey(n - 2, kb::kShiftF1, kb::kShiftF11);
  }
  if (key >= FKey::F25 && key <= FKey::F36) {
    return FunctionKey(k - Raw(FKey::F25), kb::kCtrlF1, kb::kCtrlF11);
  }
  if (key >= FKey::Meta_f1 && key <= FKey::Meta_f12) {
    return FunctionKey(k - Raw(FKey::Meta_f1), kb::kAltF1, kb::kAltF11);
  }
  if (key >= FKey::Meta_space && key <= FKey::Meta_tilde) {
    return AltKeyCodeForChar(static_cast<unsigned char>(k - Raw(FKey::Meta_offset)));
  }
  return EditingKey(key);
}

FKey ToolkitKey(KeyCode code) {
  if (code >= kb::kF1 && code <= kb::kF10) {
    return static_cast<FKey>(Raw(FKey::F1) + ((code - kb::kF1) >> 8));
  }
  return FKey::None;
}

}  // namespace vk::ui
