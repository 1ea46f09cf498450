// Texts on their way to the screen.  The program keeps CP866 bytes; the toolkit wants Unicode.
#pragma once

#include <final/final.h>

#include <string_view>

namespace vk::ui {

// CP866 bytes as the toolkit's string.
finalcut::FString ScreenText(std::string_view cp866);

// A CP866 label with a "~X~" hot-key marker in the toolkit's form (see ToolkitLabel).
finalcut::FString MenuLabel(std::string_view cp866);

}  // namespace vk::ui
