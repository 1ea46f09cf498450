// Menu and button texts for the terminal toolkit, which marks a hot key with "&" where the
// classic desktop used "~X~", and spells hot-key hints in its own way.
#pragma once

#include <string>
#include <string_view>

namespace vk {

// "~F~ile" -> "&File".  The toolkit takes only the first "&" as the marker and shows every
// later one as it stands, so a label without a "~X~" marker that holds an "&" ("R&D Contest")
// gets the marker on its first letter or digit; its "&" then stays visible.
std::string ToolkitLabel(std::string_view label);

// The hot-key hint written into the item text, right-aligned in a column of its own
// (the toolkit would show "Meta+X").  The label may carry an "&" marker.
std::string LabelWithHint(std::string_view label, std::string_view hint);

}  // namespace vk
