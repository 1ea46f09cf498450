// SPDX-License-Identifier: GPL-3.0-or-later
// The terminal's character set, as the locale names it (nl_langinfo(CODESET)).  The program
// keeps CP866 bytes; a UTF-8 terminal gets Unicode, an 8-bit one (KOI8-R, ISO-8859-1, ...) its
// own bytes, and what its set lacks as a plain ASCII stand-in ('+', '-', '|' for the frame
// characters, '?' for the rest).  Typed characters come back the same way.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vk {

class TerminalCharset {
 public:
  // UTF-8.
  TerminalCharset() = default;
  // The set named by a codeset ("UTF-8", "KOI8-R", "ISO-8859-1", "ANSI_X3.4-1968"); a set the
  // system's converter does not know is taken as ASCII.
  static TerminalCharset ForCodeset(std::string_view codeset);

  bool Unicode() const { return unicode_; }
  const std::string& Name() const { return name_; }

  // CP866 text as the characters handed to the toolkit.  On an 8-bit terminal byte b of the
  // set is handed over as U+0100+b: the toolkit writes the low byte of each character there,
  // and the offset keeps the bytes clear of the Latin-1 code points it would draw as line
  // graphics of its own.
  std::wstring ToScreen(std::string_view cp866) const;
  // What the toolkit holds (typed or shown) as CP866; '?' for a character with no CP866 form.
  std::string FromScreen(std::wstring_view screen) const;
  // One typed character as a CP866 byte, -1 when it has none.
  int TypedToCp866(char32_t c) const;

 private:
  bool unicode_ = true;
  std::string name_ = "UTF-8";
  std::array<wchar_t, 128> toScreen_{};               // CP866 0x80 + i -> screen character
  std::array<unsigned char, 128> fromTerminal_{};     // terminal byte 0x80 + i -> CP866, 0: none
};

}  // namespace vk
