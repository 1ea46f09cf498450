#include "app/key_table.h"

#include <algorithm>
#include <array>

namespace vk {

namespace {

using A = KeyAction;
using S = KeyScope;

constexpr KeyCode F(int n) {  // F1..F12
  return n <= 10 ? static_cast<KeyCode>(kb::kF1 + ((n - 1) << 8))
                 : static_cast<KeyCode>(kb::kF11 + ((n - 11) << 8));
}

constexpr std::string_view kMessage = "send the CW message stored under the key";
constexpr std::string_view kTypingLine = "CW window: into its typing line and back";
constexpr std::string_view kClear = "clear the entry, TxNr back to the rules";

// clang-format off
constexpr KeyBinding kBindings[] = {
    // While no dialog or menu is open, these reach the keyer before any window sees them.
    {S::kAnywhere, F(1),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(2),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(3),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(4),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(5),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(6),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(7),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(8),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(9),  A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(10), A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(11), A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, F(12), A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, kb::kIns, A::kKeyer, cm::kKeyerMessageKey, kMessage},
    {S::kAnywhere, 0x0C2D, A::kKeyer, cm::kKeyerMessageKey, kMessage},  // -
    {S::kAnywhere, 0x0D3D, A::kKeyer, cm::kKeyerMessageKey, kMessage},  // =
    {S::kAnywhere, 0x1A5B, A::kKeyer, cm::kKeyerMessageKey, kMessage},  // [
    {S::kAnywhere, 0x1B5D, A::kKeyer, cm::kKeyerMessageKey, kMessage},  // ]
    {S::kAnywhere, 0x332C, A::kKeyer, cm::kKeyerMessageKey, kMessage},  // ,
    {S::kAnywhere, 0x342E, A::kKeyer, cm::kKeyerMessageKey, kMessage},  // .
    // "\" and "|" share the key; a message stored under it is sent while no CW window is
    // open, and the open CW window takes it as its focus toggle.
    {S::kAnywhere, 0x2B5C, A::kKeyer, cm::kKeyerMessageKey, kTypingLine},
    {S::kAnywhere, 0x2B7C, A::kKeyer, cm::kKeyerMessageKey, kTypingLine},
    {S::kAnywhere, kb::kEsc,    A::kKeyer, cm::kKeyerAbort,       "stop sending"},
    {S::kAnywhere, kb::kAltF11, A::kKeyer, cm::kKeyerSpeedDown,   "CW speed -1 / +1 WPM"},
    {S::kAnywhere, kb::kAltF12, A::kKeyer, cm::kKeyerSpeedUp,     "CW speed -1 / +1 WPM"},
    {S::kAnywhere, kb::kAltF7,  A::kKeyer, cm::kKeyerStandbyDown, "keyer standby time down / up"},
    {S::kAnywhere, kb::kAltF8,  A::kKeyer, cm::kKeyerStandbyUp,   "keyer standby time down / up"},
    {S::kAnywhere, kb::kAlt0,   A::kKeyer, cm::kKeyerCycleZero,   "cut zero: none, O, T"},
    {S::kAnywhere, kb::kAlt1,   A::kKeyer, cm::kKeyerToggleOne,   "cut one as A, on / off"},
    {S::kAnywhere, kb::kAlt9,   A::kKeyer, cm::kKeyerToggleNine,  "cut nine as N, on / off"},
    {S::kAnywhere, kb::kAltF10, A::kMenuBar, 0, "the menu bar"},

    {S::kDesktop, kb::kAltF3,   A::kCloseWindow,    0, "close the active window"},
    {S::kDesktop, kb::kCtrlF5,  A::kMoveWindow,     0, "move it with the arrows, Enter ends"},
    {S::kDesktop, kb::kShiftF6, A::kPreviousWindow, 0, "the previous window"},

    {S::kEntry, kb::kEnter,    A::kLogQso,      0, "Call: repeat check; RxNr: score, log, save"},
    {S::kEntry, kb::kTab,      A::kNextField,   0, "the next field"},
    {S::kEntry, kb::kShiftTab, A::kCallOrRxNr,  0, "Call <-> RxNr"},
    {S::kEntry, kb::kDown,     A::kToRxNr,      0, "into RxNr"},
    {S::kEntry, kb::kAltN,         A::kToTxNr,      0, "into TxNr, the number sent"},
    {S::kEntry, kb::kAltA,         A::kClearEntry,  0, kClear},
    {S::kEntry, 0x2960,        A::kClearEntry,  0, kClear},  // `
    {S::kEntry, kb::kAltU,         A::kRunOrSp,     0, "Enter sends messages: Run / S&P"},
    {S::kEntry, kb::kUp,       A::kToLogWindow, 0, "into the log window"},
    {S::kEntry, kb::kCtrlTab,      A::kToLogWindow, 0, "into the log window"},
    {S::kEntry, kb::kAltF1,    A::kBandDown,    0, "band down / up"},
    {S::kEntry, kb::kAltF2,        A::kBandUp,      0, "band down / up"},
    {S::kEntry, kb::kAltF3,        A::kNextMode,    0, "the next mode"},
    {S::kEntry, kb::kPgDn,     A::kKeyer, cm::kKeyerSpeedDown, "CW speed -1 / +1 WPM"},
    {S::kEntry, kb::kPgUp,     A::kKeyer, cm::kKeyerSpeedUp,   "CW speed -1 / +1 WPM"},
    {S::kEntry, kb::kCtrlPgUp, A::kClockForward, 0, "log clock +1 minute"},
    {S::kEntry, kb::kAltPgUp,  A::kClockForward, 0, "log clock +1 minute"},
    {S::kEntry, kb::kCtrlPgDn, A::kClockBack,    0, "log clock -1 minute"},
    {S::kEntry, kb::kAltPgDn,  A::kClockBack,    0, "log clock -1 minute"},
    {S::kEntry, kb::kSpace,    A::kClearField,   0, "clear the field"},
    {S::kEntry, kb::kBackspace, A::kBackspace,   0, "edit the field"},
    {S::kEntry, kb::kDel,      A::kDeleteChar,   0, "edit the field"},
    {S::kEntry, kb::kLeft,     A::kCursorLeft,   0, "edit the field"},
    {S::kEntry, kb::kRight,    A::kCursorRight,  0, "edit the field"},
    {S::kEntry, kb::kHome,     A::kLineStart,    0, "edit the field"},
    {S::kEntry, kb::kEnd,      A::kLineEnd,      0, "edit the field"},

    {S::kLog, kb::kDown, A::kNextQso,        0, "the next / previous QSO"},
    {S::kLog, kb::kUp,   A::kPreviousQso,    0, "the next / previous QSO"},
    {S::kLog, kb::kCtrlTab,  A::kToEntryWindow,  0, "back to the entry window"},

    {S::kCw, 0x2B5C, A::kTypingLine, 0, "into the typing line, whose text is sent, and back"},
    {S::kCw, 0x2B7C, A::kTypingLine, 0, "into the typing line, whose text is sent, and back"},

    {S::kBandMap, kb::kUp,    A::kSpotUp,    0, "the spot above / below"},
    {S::kBandMap, kb::kDown,  A::kSpotDown,  0, "the spot above / below"},
    {S::kBandMap, kb::kPgUp,  A::kPageUp,    0, "a page up / down"},
    {S::kBandMap, kb::kPgDn,  A::kPageDown,  0, "a page up / down"},
    {S::kBandMap, kb::kHome,  A::kFirstSpot, 0, "the lowest / highest spot"},
    {S::kBandMap, kb::kEnd,   A::kLastSpot,  0, "the lowest / highest spot"},
    {S::kBandMap, kb::kEnter, A::kTakeSpot,  0, "tune to the spot, its call into the entry"},

    {S::kCluster, kb::kEnter, A::kSendLine, 0, "send the typed line to the node"},
};
// clang-format on

constexpr struct {
  KeyCode key;
  std::string_view name;
} kNamedKeys[] = {
    {kb::kEsc, "Esc"},       {kb::kBackspace, "Backspace"}, {kb::kTab, "Tab"},
    {kb::kShiftTab, "Shift+Tab"}, {kb::kCtrlTab, "Ctrl+Tab"},   {kb::kEnter, "Enter"},
    {kb::kSpace, "Space"},   {kb::kHome, "Home"},           {kb::kUp, "Up"},
    {kb::kPgUp, "PgUp"},     {kb::kLeft, "Left"},           {kb::kRight, "Right"},
    {kb::kEnd, "End"},       {kb::kDown, "Down"},           {kb::kPgDn, "PgDn"},
    {kb::kIns, "Ins"},       {kb::kDel, "Del"},             {kb::kCtrlPgUp, "Ctrl+PgUp"},
    {kb::kCtrlPgDn, "Ctrl+PgDn"}, {kb::kAltPgUp, "Alt+PgUp"}, {kb::kAltPgDn, "Alt+PgDn"},
};

// The letters of the PC keyboard's three letter rows by scan code, for Alt+letter (which
// carries no character).
constexpr std::string_view kTopRow = "QWERTYUIOP";    // scan codes 0x10..0x19
constexpr std::string_view kHomeRow = "ASDFGHJKL";    // 0x1E..0x26
constexpr std::string_view kBottomRow = "ZXCVBNM";    // 0x2C..0x32

char AltLetter(std::uint8_t scan) {
  if (scan >= 0x10 && scan < 0x10 + kTopRow.size()) return kTopRow[scan - 0x10];
  if (scan >= 0x1E && scan < 0x1E + kHomeRow.size()) return kHomeRow[scan - 0x1E];
  if (scan >= 0x2C && scan < 0x2C + kBottomRow.size()) return kBottomRow[scan - 0x2C];
  return 0;
}

// F1..F10 have consecutive scan codes in each modifier block, F11 and F12 a pair elsewhere.
std::string FunctionKeyName(std::uint8_t scan) {
  constexpr struct {
    std::uint8_t first, eleventh;
    std::string_view prefix;
  } kBlocks[] = {{0x3B, 0x85, ""}, {0x54, 0x87, "Shift+"}, {0x5E, 0x89, "Ctrl+"},
                 {0x68, 0x8B, "Alt+"}};
  for (const auto& b : kBlocks) {
    int n = 0;
    if (scan >= b.first && scan < b.first + 10) n = scan - b.first + 1;
    if (scan == b.eleventh || scan == b.eleventh + 1) n = scan - b.eleventh + 11;
    if (n != 0) return std::string(b.prefix) + "F" + std::to_string(n);
  }
  return {};
}

}  // namespace

std::span<const KeyBinding> KeyBindings() {
  return kBindings;
}

const KeyBinding* FindKey(KeyScope scope, KeyCode key) {
  const auto it = std::find_if(std::begin(kBindings), std::end(kBindings),
                               [&](const KeyBinding& b) { return b.scope == scope && b.key == key; });
  return it == std::end(kBindings) ? nullptr : &*it;
}

std::string KeyName(KeyCode key) {
  for (const auto& n : kNamedKeys) {
    if (n.key == key) return std::string(n.name);
  }
  const std::uint8_t ch = KeyChar(key);
  const std::uint8_t scan = ScanCode(key);
  if (ch > 0x20 && ch < 0x7F) return std::string(1, static_cast<char>(ch));
  if (ch != 0 || key == 0) return {};
  if (std::string f = FunctionKeyName(scan); !f.empty()) return f;
  if (scan >= ScanCode(kb::kAlt1) && scan <= ScanCode(kb::kAlt9)) {
    return "Alt+" + std::to_string(scan - ScanCode(kb::kAlt1) + 1);
  }
  if (key == kb::kAlt0) return "Alt+0";
  if (const char letter = AltLetter(scan); letter != 0) return std::string("Alt+") + letter;
  return {};
}

std::string_view ScopeTitle(KeyScope scope) {
  switch (scope) {
    case KeyScope::kAnywhere:
      return "Anywhere (no box or menu open)";
    case KeyScope::kDesktop:
      return "Windows";
    case KeyScope::kEntry:
      return "Entry window";
    case KeyScope::kLog:
      return "Log window";
    case KeyScope::kCw:
      return "CW window";
    case KeyScope::kBandMap:
      return "Band map";
    case KeyScope::kCluster:
      return "Cluster console";
  }
  return {};
}

}  // namespace vk
