// The global keys.  While no modal dialog runs, the shell looks at every key before any window
// does: the CW message keys and the keyer's hot keys become keyer commands, so an input line
// never sees F1 or "[", and the toolkit never zooms on F5, switches on F6 or opens the menu on
// F10.  Alt+F10 stands in for the F10 that the keyer took.
#pragma once

#include "app/commands.h"
#include "util/key_codes.h"

namespace vk {

struct KeyTranslation {
  enum class Kind {
    kPass,     // the key goes on unchanged
    kKeyer,    // consumed: send keyer command `command` with the key code as info
    kReplace,  // the key goes on as `key` (Alt+F10 -> F10)
  };
  Kind kind = Kind::kPass;
  CommandId command = 0;
  KeyCode key = 0;
  friend bool operator==(const KeyTranslation&, const KeyTranslation&) = default;
};

KeyTranslation TranslateKey(KeyCode key);

// The hot keys of menu items that are not opened through the menu: Alt+O writes the Cabrillo
// report, Alt+M opens the CW message editor, Alt+B, Alt+K and Alt+P show the band map, show the
// cluster console and spot the call to the cluster, Alt+S and Alt+R show or hide the
// check-partial list and the rate line, Alt+C takes the next call of the check-partial list.  0 for any other key.  (Alt+X belongs to the
// status line.)
CommandId MenuHotKeyCommand(KeyCode key);

}  // namespace vk
