// The terminal's keys as PC keyboard codes.
#pragma once

#include <final/final.h>

#include <functional>

#include "util/key_codes.h"

namespace vk::ui {

// Alt+F1..F12 arrive as F49..F60 under the xterm family of terminfo entries and as
// Meta_f1..Meta_f12 under "screen"; the program sees only the second form.
finalcut::FKey NormalizeKey(finalcut::FKey key);

// The PC code of a key, 0 when it has none (mouse reports, keys a PC keyboard lacks).
// `typed` converts a typed character to its CP866 byte (-1: none); unset: from Unicode.
KeyCode PcKeyCode(finalcut::FKey key, const std::function<int(char32_t)>& typed = {});

// The toolkit key for a PC code the shell substituted (Alt+F10 -> F10).
finalcut::FKey ToolkitKey(KeyCode code);

}  // namespace vk::ui
