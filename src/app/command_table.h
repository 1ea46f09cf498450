// The operator's commands in one table: each row is a command's number, its menu item, its key
// and the shell action that carries it out.  The menu bar is built from these rows in their
// order, the shell dispatches by them, and Help > Keys lists their keys, so a new command is
// one row here plus its action.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/commands.h"
#include "util/key_codes.h"

namespace vk {

class ShellActions;

enum class MenuTitle : std::uint8_t { kNone, kFile, kOptions, kTools, kHelp };

struct CommandRow {
  CommandId command;  // 0 with an empty label: a separator line
  MenuTitle menu;     // kNone: the command has a key but no menu item
  // The menu item, "&" before its hot letter.  The New contest row opens the submenu of the
  // contest list, whose items issue kNewContest + k.
  std::string_view label;
  KeyCode key;            // 0: none; shown as a hint beside the menu item
  std::string_view what;  // Help > Keys, for a row with a key
  // The shell's action; nullptr when the windows take the command (it travels on to them).
  void (*run)(ShellActions&);
  // The hint as the menu spells it, when it is not the key's own name.
  std::string_view hint = {};
};

std::span<const CommandRow> CommandRows();

// The row of a command; nullptr when it has none (a command of the program's own, such as a
// broadcast between windows).
const CommandRow* FindCommand(CommandId command);

// The command whose key this is (Alt+O: the Cabrillo report); 0 for any other key.
CommandId CommandForKey(KeyCode key);

// The hint beside a row's menu item: "Alt+O"; empty for a row without a key.
std::string MenuHint(const CommandRow& row);

}  // namespace vk
