#include "util/key_codes.h"

#include <array>
#include <string_view>

namespace vk {
namespace {

// Scan codes of the US keyboard, by key row; each entry is (unshifted, shifted, scan code).
struct KeyCap {
  char plain;
  char shifted;
  std::uint8_t scan;
};

constexpr std::array<KeyCap, 47> kKeyCaps{{
    {'1', '!', 0x02}, {'2', '@', 0x03},  {'3', '#', 0x04}, {'4', '$', 0x05}, {'5', '%', 0x06},
    {'6', '^', 0x07}, {'7', '&', 0x08},  {'8', '*', 0x09}, {'9', '(', 0x0A}, {'0', ')', 0x0B},
    {'-', '_', 0x0C}, {'=', '+', 0x0D},  {'q', 'Q', 0x10}, {'w', 'W', 0x11}, {'e', 'E', 0x12},
    {'r', 'R', 0x13}, {'t', 'T', 0x14},  {'y', 'Y', 0x15}, {'u', 'U', 0x16}, {'i', 'I', 0x17},
    {'o', 'O', 0x18}, {'p', 'P', 0x19},  {'[', '{', 0x1A}, {']', '}', 0x1B}, {'a', 'A', 0x1E},
    {'s', 'S', 0x1F}, {'d', 'D', 0x20},  {'f', 'F', 0x21}, {'g', 'G', 0x22}, {'h', 'H', 0x23},
    {'j', 'J', 0x24}, {'k', 'K', 0x25},  {'l', 'L', 0x26}, {';', ':', 0x27}, {'\'', '"', 0x28},
    {'`', '~', 0x29}, {'\\', '|', 0x2B}, {'z', 'Z', 0x2C}, {'x', 'X', 0x2D}, {'c', 'C', 0x2E},
    {'v', 'V', 0x2F}, {'b', 'B', 0x30},  {'n', 'N', 0x31}, {'m', 'M', 0x32}, {',', '<', 0x33},
    {'.', '>', 0x34}, {'/', '?', 0x35},
}};

const KeyCap* FindCap(unsigned char c) {
  for (const KeyCap& k : kKeyCaps) {
    if (static_cast<unsigned char>(k.plain) == c || static_cast<unsigned char>(k.shifted) == c) {
      return &k;
    }
  }
  return nullptr;
}

KeyCode Make(std::uint8_t scan, unsigned char c) {
  return static_cast<KeyCode>(scan << 8 | c);
}

}  // namespace

KeyCode KeyCodeForChar(unsigned char c) {
  switch (c) {
    case ' ':
      return kb::kSpace;
    case '\r':
      return kb::kEnter;
    case '\t':
      return kb::kTab;
    case '\b':
      return kb::kBackspace;
    case 0x1B:
      return kb::kEsc;
    default:
      break;
  }
  if (c >= 1 && c <= 26) {  // Ctrl+A .. Ctrl+Z: the letter's key, the control character
    const KeyCap* cap = FindCap(static_cast<unsigned char>('a' + c - 1));
    return Make(cap->scan, c);
  }
  if (const KeyCap* cap = FindCap(c)) return Make(cap->scan, c);
  return Make(0, c);
}

KeyCode AltKeyCodeForChar(unsigned char c) {
  if (c >= '1' && c <= '9') return static_cast<KeyCode>(kb::kAlt1 + ((c - '1') << 8));
  if (c == '0') return kb::kAlt0;
  if (c == '-') return 0x8200;
  if (c == '=') return 0x8300;
  if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
  if (c < 'a' || c > 'z') return 0;
  return Make(FindCap(c)->scan, 0);
}

}  // namespace vk
