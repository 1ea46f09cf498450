// Replacing a file the operator cannot afford to lose (the log, the configuration): the new
// contents go to a temporary file in the same directory, are flushed to disk, and the
// temporary file is then renamed over the old one.  A crash or power loss at any moment leaves
// either the complete old file or the complete new one, never a mix.  A symbolic link is
// followed (the file it names is replaced, the link stays) and the file keeps its permissions.
#pragma once

#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

Status ReplaceFileAtomically(const std::string& path, std::string_view contents);

}  // namespace vk
