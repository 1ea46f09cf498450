#include "tui/key_sequences.h"

#include <final/final.h>

#include <array>
#include <cstring>
#include <string_view>

namespace vk::ui {

using finalcut::FKey;

namespace {

struct Sequence {
  FKey key;
  std::string_view text;
};

// xterm (normal and application cursor keys), tmux and screen, rxvt and the Linux console.
constexpr std::array kSequences{
    Sequence{FKey::Home, "\033[1~"},         Sequence{FKey::Home, "\033[7~"},
    Sequence{FKey::Home, "\033OH"},          Sequence{FKey::Home, "\033[H"},
    Sequence{FKey::End, "\033[4~"},          Sequence{FKey::End, "\033[8~"},
    Sequence{FKey::End, "\033OF"},           Sequence{FKey::End, "\033[F"},
    Sequence{FKey::Insert, "\033[2~"},       Sequence{FKey::Del_char, "\033[3~"},
    Sequence{FKey::Page_up, "\033[5~"},      Sequence{FKey::Page_down, "\033[6~"},
    Sequence{FKey::Up, "\033[A"},            Sequence{FKey::Up, "\033OA"},
    Sequence{FKey::Down, "\033[B"},          Sequence{FKey::Down, "\033OB"},
    Sequence{FKey::Right, "\033[C"},         Sequence{FKey::Right, "\033OC"},
    Sequence{FKey::Left, "\033[D"},          Sequence{FKey::Left, "\033OD"},
    Sequence{FKey::Back_tab, "\033[Z"},      Sequence{FKey::F1, "\033OP"},
    Sequence{FKey::F2, "\033OQ"},            Sequence{FKey::F3, "\033OR"},
    Sequence{FKey::F4, "\033OS"},            Sequence{FKey::F1, "\033[11~"},
    Sequence{FKey::F2, "\033[12~"},          Sequence{FKey::F3, "\033[13~"},
    Sequence{FKey::F4, "\033[14~"},          Sequence{FKey::F1, "\033[[A"},
    Sequence{FKey::F2, "\033[[B"},           Sequence{FKey::F3, "\033[[C"},
    Sequence{FKey::F4, "\033[[D"},           Sequence{FKey::F5, "\033[[E"},
    Sequence{FKey::F5, "\033[15~"},          Sequence{FKey::F6, "\033[17~"},
    Sequence{FKey::F7, "\033[18~"},          Sequence{FKey::F8, "\033[19~"},
    Sequence{FKey::F9, "\033[20~"},          Sequence{FKey::F10, "\033[21~"},
    Sequence{FKey::F11, "\033[23~"},         Sequence{FKey::F12, "\033[24~"},
    Sequence{FKey::Ctrl_page_up, "\033[5;5~"}, Sequence{FKey::Ctrl_page_down, "\033[6;5~"},
    Sequence{FKey::Meta_page_up, "\033[5;3~"}, Sequence{FKey::Meta_page_down, "\033[6;3~"},
    Sequence{FKey::Meta_f1, "\033[1;3P"},    Sequence{FKey::Meta_f2, "\033[1;3Q"},
    Sequence{FKey::Meta_f3, "\033[1;3R"},    Sequence{FKey::Meta_f4, "\033[1;3S"},
    Sequence{FKey::Meta_f5, "\033[15;3~"},   Sequence{FKey::Meta_f6, "\033[17;3~"},
    Sequence{FKey::Meta_f7, "\033[18;3~"},   Sequence{FKey::Meta_f8, "\033[19;3~"},
    Sequence{FKey::Meta_f9, "\033[20;3~"},   Sequence{FKey::Meta_f10, "\033[21;3~"},
    Sequence{FKey::Meta_f11, "\033[23;3~"},  Sequence{FKey::Meta_f12, "\033[24;3~"},
};

template <class Table>
bool Known(const Table& table, std::string_view text) {
  for (const auto& e : table) {
    if (e.length == text.size() && std::memcmp(e.string, text.data(), text.size()) == 0) {
      return true;
    }
  }
  return false;
}

}  // namespace

int AddCommonKeySequences() {
  // The table the terminal's entries filled in; its unused places (no string) take the rest.
  auto table = finalcut::FKeyMap::getKeyCapMap();
  const auto& builtIn = finalcut::FKeyMap::getKeyMap();
  std::size_t free = 0;
  int added = 0;
  for (const Sequence& s : kSequences) {
    if (Known(table, s.text) || Known(builtIn, s.text)) continue;
    while (free < table.size() && table[free].length != 0) ++free;
    if (free == table.size()) break;  // the table is full: the terminal's own keys still work
    // The sequences are static text, as the table's own strings are.
    table[free] = {s.key, s.text.data(), s.text.size(), {'v', 'k', '\0', '\0'}};
    ++added;
  }
  finalcut::FKeyboard::getInstance().setTermcapMap(table);
  return added;
}

}  // namespace vk::ui
