// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a whole data or configuration file with a ceiling on its size.  The files a station
// reads (contest rules, their lists, vorkan.cfg, an ADIF file to import) are small; a file
// many times the size any real one has is a mistake or a hostile file, and reading it whole
// would take the memory of the station.  Such a file is refused before it is read, with a
// message that names it, its size and the ceiling.
#pragma once

#include <cstddef>
#include <string>

#include "util/result.h"

namespace vk {

inline constexpr std::size_t kMiB = std::size_t{1} << 20;

// Reads the file at `path` into `out` when it holds at most `maxBytes` bytes.  kNotFound: no
// such file; kBadInput: larger than `maxBytes` (a regular file is refused by its size without
// reading it, a pipe or device after maxBytes + 1 bytes); kIo: the system refused the read.
// `out` is empty unless the status is ok.
Status ReadFileBounded(const std::string& path, std::size_t maxBytes, std::string& out);

// "12.5 MB", "800 KB": a size for a message.
std::string SizeText(unsigned long long bytes);

}  // namespace vk
