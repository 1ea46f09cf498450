// The world list counts the entities of the DARC WAE list; a few of them (Sicily, Shetland,
// European Turkey, ...) are no DXCC entities of their own.  The file marks them with a '*' in
// front of the primary prefix.  Contests that count the DXCC list fold them into their parent.
#pragma once

#include <string_view>

namespace vk {

// The primary prefix of the DXCC entity that the world-list entry with `primaryPrefix`
// belongs to: "*IT9" (Sicily) and "*IG9" (African Italy) -> "I", "*GM/s" (Shetland) -> "GM",
// "*JW/b" (Bear Island) -> "JW", "*TA1" (European Turkey) -> "TA", "*4U1V" (Vienna Intl
// Centre) -> "OE".  Case is ignored.  Every other prefix, also a '*' one not known here, comes
// back unchanged, so it keeps counting on its own.
std::string_view DxccParentPrefix(std::string_view primaryPrefix);

}  // namespace vk
