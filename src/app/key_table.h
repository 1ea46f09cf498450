// Every key the program binds, with the place it counts in and what it does.  The shell and the
// window models look their keys up here and nowhere else, and Help > Keys is written from the
// same rows, so the list the operator reads is the list the program obeys.  The keys of menu
// commands sit with their menu items in the command table (app/command_table.h).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/commands.h"
#include "util/key_codes.h"

namespace vk {

// Where a key counts, in the order Help > Keys lists them.
enum class KeyScope : std::uint8_t {
  kAnywhere,  // in front of every window, while no dialog or menu is open
  kDesktop,   // the active window's frame
  kEntry,     // the entry window
  kLog,       // the log window
  kCw,        // the CW window
  kBandMap,   // the band map
  kCluster,   // the cluster console
};

enum class KeyAction : std::uint8_t {
  kKeyer,     // keyer command `command`, the key code as its info
  kMenuBar,   // the menu bar, as the toolkit's F10 (which the keyer took)
  // The desktop.
  kCloseWindow,
  kMoveWindow,
  kPreviousWindow,
  // The entry window.
  kNextField,
  kCallOrRxNr,
  kToTxNr,
  kToRxNr,
  kLogQso,
  kClearEntry,
  kRunOrSp,
  kToLogWindow,
  kBandDown,
  kBandUp,
  kNextMode,
  kClockForward,
  kClockBack,
  kClearField,
  kBackspace,
  kDeleteChar,
  kCursorLeft,
  kCursorRight,
  kLineStart,
  kLineEnd,
  // The log window.
  kNextQso,
  kPreviousQso,
  kToEntryWindow,
  // The CW window.
  kTypingLine,
  // The band map.
  kSpotUp,
  kSpotDown,
  kPageUp,
  kPageDown,
  kFirstSpot,
  kLastSpot,
  kTakeSpot,
  // The cluster console.
  kSendLine,
};

struct KeyBinding {
  KeyScope scope;
  KeyCode key;
  KeyAction action;
  CommandId command;      // for kKeyer
  std::string_view what;  // Help > Keys; rows in a run with the same text share one line
};

std::span<const KeyBinding> KeyBindings();

// The binding of `key` in `scope`; nullptr when the key is not bound there.
const KeyBinding* FindKey(KeyScope scope, KeyCode key);

// The key as the operator reads it on the keyboard: "Alt+F1", "Ctrl+PgUp", "F5", "[".
// Empty for a code the program never binds.
std::string KeyName(KeyCode key);

// The heading of a scope's part of Help > Keys.
std::string_view ScopeTitle(KeyScope scope);

}  // namespace vk
