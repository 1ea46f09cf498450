// The global keys, as the key table (app/key_table.h) binds them.  While no modal dialog runs,
// the shell looks at every key before any window does: the CW message keys and the keyer's hot
// keys become keyer commands, so an input line never sees F1 or "[", and the toolkit never
// zooms on F5, switches on F6 or opens the menu on F10.  Alt+F10 stands in for the F10 that
// the keyer took.
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

// The command whose key this is (the command table's keys: Alt+O the Cabrillo report, Alt+X
// exit, Alt+B the band map, ...); 0 for any other key.
CommandId MenuHotKeyCommand(KeyCode key);

}  // namespace vk
