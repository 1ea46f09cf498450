// Replacing a file the operator cannot afford to lose (the log, the configuration): the new
// contents go to a temporary file in the same directory, are flushed to disk, and the
// temporary file is then renamed over the old one.  A crash or power loss at any moment leaves
// either the complete old file or the complete new one, never a mix.  A symbolic link is
// followed (the file it names is replaced, the link stays) and the file keeps its permissions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

// What a writer knows of a file it wrote: which file it is and how long.  An append checks it
// first, so a file replaced or changed behind the program's back is never appended to.
struct FileMark {
  bool valid = false;
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::uint64_t size = 0;
};

// The mark of the file as it is now; invalid when it cannot be looked at.
FileMark MarkOfFile(const std::string& path);

// `mark`, when given, describes the new file afterwards (invalid on failure).
Status ReplaceFileAtomically(const std::string& path, std::string_view contents,
                             FileMark* mark = nullptr);

// Appends `bytes` to an existing file and flushes them (fdatasync) before returning.  The file
// must match `mark` (same file, same size), else nothing is written and kNotFound comes back.
// A failed write is cut back off, so the file never keeps half of `bytes`; if that cut fails
// too the mark is made invalid.  On success the mark grows by the bytes.
Status AppendDurably(const std::string& path, std::string_view bytes, FileMark& mark);

// Keeps a copy of `from` under the new name `to` (which must not exist): a second name for the
// same file where the file system allows it (nothing copied, nothing to lose), else a flushed
// copy of its bytes.
Status PreserveFileAs(const std::string& from, const std::string& to);

}  // namespace vk
