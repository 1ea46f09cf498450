// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/terminal_charset.h"

#include <iconv.h>

#include <cstddef>

#include "util/strings.h"

namespace vk {

namespace {

constexpr wchar_t kByteOffset = 0x100;

// One byte converted by iconv; -1 when the target set has no single byte for it.
int ConvertByte(iconv_t cd, unsigned char byte) {
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPtr = in;
  char* outPtr = out;
  std::size_t inLeft = 1;
  std::size_t outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state for each byte
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return -1;
  if (sizeof out - outLeft != 1) return -1;
  return static_cast<unsigned char>(out[0]);
}

// An ASCII stand-in for a CP866 character the terminal cannot show: the frame characters keep
// their shape, blocks become '#', anything else '?'.
char StandIn(char32_t u) {
  if (u == 0x2500 || u == 0x2550) return '-';
  if (u == 0x2502 || u == 0x2551) return '|';
  if (u >= 0x2500 && u <= 0x257F) return '+';
  if (u >= 0x2580 && u <= 0x25A0) return '#';
  if (u == 0x00A0) return ' ';
  return '?';
}

}  // namespace

TerminalCharset TerminalCharset::ForCodeset(std::string_view codeset) {
  TerminalCharset t;
  const std::string name(codeset);
  if (name == "UTF-8" || name == "utf8") return t;
  t.unicode_ = false;
  t.name_ = name;
  iconv_t out = iconv_open(name.c_str(), "CP866");
  iconv_t in = iconv_open("CP866", name.c_str());
  for (int i = 0; i < 128; ++i) {
    const auto byte = static_cast<unsigned char>(0x80 + i);
    const int b = out != reinterpret_cast<iconv_t>(-1) ? ConvertByte(out, byte) : -1;
    // A byte below 0x80 would be ASCII for a character that is not: the stand-in says more.
    t.toScreen_[static_cast<std::size_t>(i)] =
        b >= 0x80 ? kByteOffset + static_cast<wchar_t>(b)
                  : static_cast<wchar_t>(StandIn(Cp866CharToUnicode(byte)));
    const int c = in != reinterpret_cast<iconv_t>(-1) ? ConvertByte(in, byte) : -1;
    t.fromTerminal_[static_cast<std::size_t>(i)] = c >= 0x80 ? static_cast<unsigned char>(c) : 0;
  }
  if (out != reinterpret_cast<iconv_t>(-1)) iconv_close(out);
  if (in != reinterpret_cast<iconv_t>(-1)) iconv_close(in);
  return t;
}

std::wstring TerminalCharset::ToScreen(std::string_view cp866) const {
  if (unicode_) return Cp866ToWide(cp866);
  std::wstring screen;
  screen.reserve(cp866.size());
  for (const char ch : cp866) {
    const auto c = static_cast<unsigned char>(ch);
    screen.push_back(c < 0x80 ? static_cast<wchar_t>(c) : toScreen_[c - 0x80u]);
  }
  return screen;
}

int TerminalCharset::TypedToCp866(char32_t c) const {
  if (unicode_ || c < 0x80) return UnicodeToCp866Char(c);
  // A byte of the terminal's set: as typed (0x80..0xFF) or as shown (U+0100 + byte).
  if (c >= 0x80 && c < 0x200) {
    const unsigned char cp = fromTerminal_[(c & 0xFF) - 0x80u];
    return (c & 0xFF) >= 0x80 && cp != 0 ? cp : -1;
  }
  return UnicodeToCp866Char(c);
}

std::string TerminalCharset::FromScreen(std::wstring_view screen) const {
  if (unicode_) return WideToCp866(screen);
  std::string cp866;
  cp866.reserve(screen.size());
  for (const wchar_t w : screen) {
    const int b = TypedToCp866(static_cast<char32_t>(w));
    cp866.push_back(b < 0 ? '?' : static_cast<char>(b));
  }
  return cp866;
}

}  // namespace vk
