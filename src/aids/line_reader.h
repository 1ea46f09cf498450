// Reading the operator's text files line by line with bounded memory: a file is read in
// chunks, and a line longer than the reader's limit is dropped whole (counted, never kept), so
// a file of random bytes or of any size costs at most one chunk and one line of memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "util/result.h"

namespace vk {

// Gets each line without its line end (LF, CR LF or CR); returns false to stop reading.
using LineSink = std::function<bool(std::string_view line)>;

struct LineCounts {
  std::size_t lines = 0;     // lines seen, the overlong ones included
  std::size_t overlong = 0;  // lines longer than the limit, not handed on
};

// Splits a text held in memory.
LineCounts ForEachLine(std::string_view text, std::size_t maxLine, const LineSink& sink);
// The same for a file; a missing file is kNotFound, a read error kIo.
Status ForEachFileLine(const std::string& path, std::size_t maxLine, const LineSink& sink,
                       LineCounts& counts);

// Upper case, spaces and tabs trimmed at both ends.
std::string CleanCall(std::string_view text);
// A call as the aids keep it: 3 to 16 characters of A-Z, 0-9 and "/".
bool IsPlainCall(std::string_view call);

}  // namespace vk
