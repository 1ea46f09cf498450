// Keys as the program knows them: the PC keyboard code, scan code in the high byte and the
// character in the low byte (0 for function keys and Alt combinations).  The terminal layer
// turns whatever the terminal sends into these codes, so the key tables below, the CW message
// keys and the "last key" diagnostic all speak one language.
#pragma once

#include <cstdint>

namespace vk {

using KeyCode = std::uint16_t;

namespace kb {

inline constexpr KeyCode kNone = 0;
inline constexpr KeyCode kEsc = 0x011B;
inline constexpr KeyCode kBackspace = 0x0E08;
inline constexpr KeyCode kTab = 0x0F09;
inline constexpr KeyCode kShiftTab = 0x0F00;
inline constexpr KeyCode kEnter = 0x1C0D;
inline constexpr KeyCode kSpace = 0x3920;

inline constexpr KeyCode kF1 = 0x3B00;  // F1..F10 follow one another
inline constexpr KeyCode kF10 = 0x4400;
inline constexpr KeyCode kF11 = 0x8500;
inline constexpr KeyCode kF12 = 0x8600;
inline constexpr KeyCode kShiftF1 = 0x5400;
inline constexpr KeyCode kShiftF11 = 0x8700;
inline constexpr KeyCode kCtrlF1 = 0x5E00;
inline constexpr KeyCode kCtrlF11 = 0x8900;
inline constexpr KeyCode kAltF1 = 0x6800;
inline constexpr KeyCode kAltF2 = 0x6900;
inline constexpr KeyCode kAltF3 = 0x6A00;
inline constexpr KeyCode kCtrlF5 = 0x6200;
inline constexpr KeyCode kShiftF6 = 0x5900;
inline constexpr KeyCode kAltF7 = 0x6E00;
inline constexpr KeyCode kAltF8 = 0x6F00;
inline constexpr KeyCode kAltF10 = 0x7100;
inline constexpr KeyCode kAltF11 = 0x8B00;
inline constexpr KeyCode kAltF12 = 0x8C00;

inline constexpr KeyCode kHome = 0x4700;
inline constexpr KeyCode kUp = 0x4800;
inline constexpr KeyCode kPgUp = 0x4900;
inline constexpr KeyCode kLeft = 0x4B00;
inline constexpr KeyCode kRight = 0x4D00;
inline constexpr KeyCode kEnd = 0x4F00;
inline constexpr KeyCode kDown = 0x5000;
inline constexpr KeyCode kPgDn = 0x5100;
inline constexpr KeyCode kIns = 0x5200;
inline constexpr KeyCode kDel = 0x5300;
inline constexpr KeyCode kCtrlPgUp = 0x8400;
inline constexpr KeyCode kCtrlPgDn = 0x7600;
inline constexpr KeyCode kAltPgUp = 0x9900;
inline constexpr KeyCode kAltPgDn = 0xA100;

inline constexpr KeyCode kAlt1 = 0x7800;  // Alt+1..Alt+9 follow one another, then Alt+0
inline constexpr KeyCode kAlt9 = 0x8000;
inline constexpr KeyCode kAlt0 = 0x8100;
inline constexpr KeyCode kAltM = 0x3200;
inline constexpr KeyCode kAltB = 0x3000;
inline constexpr KeyCode kAltK = 0x2500;
inline constexpr KeyCode kAltP = 0x1900;
inline constexpr KeyCode kAltO = 0x1800;
inline constexpr KeyCode kAltR = 0x1300;
inline constexpr KeyCode kAltS = 0x1F00;
inline constexpr KeyCode kAltX = 0x2D00;
inline constexpr KeyCode kAltC = 0x2E00;
inline constexpr KeyCode kAltA = 0x1E00;
inline constexpr KeyCode kAltN = 0x3100;
inline constexpr KeyCode kAltU = 0x1600;
inline constexpr KeyCode kCtrlTab = 0x9400;

// The scan code of the "\" key, whatever the shift state.
inline constexpr std::uint8_t kBackslashScan = 0x2B;

}  // namespace kb

inline constexpr std::uint8_t ScanCode(KeyCode k) {
  return static_cast<std::uint8_t>(k >> 8);
}
inline constexpr std::uint8_t KeyChar(KeyCode k) {
  return static_cast<std::uint8_t>(k & 0xFF);
}

// The code a US keyboard gives for a printable ASCII character (its scan code and the
// character); characters outside ASCII get scan code 0 and the byte itself.
KeyCode KeyCodeForChar(unsigned char c);
// Alt with a letter or digit: the scan code of that key and character 0; 0 for anything else.
KeyCode AltKeyCodeForChar(unsigned char c);

}  // namespace vk
