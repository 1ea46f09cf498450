#include "app/key_translation.h"

#include "app/command_table.h"
#include "app/key_table.h"

namespace vk {

KeyTranslation TranslateKey(KeyCode key) {
  const KeyBinding* b = FindKey(KeyScope::kAnywhere, key);
  if (b == nullptr) return {KeyTranslation::Kind::kPass, 0, key};
  if (b->action == KeyAction::kMenuBar) return {KeyTranslation::Kind::kReplace, 0, kb::kF10};
  return {KeyTranslation::Kind::kKeyer, b->command, key};
}

CommandId MenuHotKeyCommand(KeyCode key) {
  return CommandForKey(key);
}

}  // namespace vk
