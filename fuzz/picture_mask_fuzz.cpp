// Picture masks from rules files on any bytes, checked against any text: never a crash or a
// hang, and the answer depends only on the text (a second check of the result gives the same).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "util/picture_mask.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\n');
  if (split == std::string::npos) return 0;
  const vk::PictureMask mask(input.substr(0, split));
  std::string text = input.substr(split + 1);
  const vk::PictureMask::Result first = mask.Check(text, true);
  if (first == vk::PictureMask::Result::kError || first == vk::PictureMask::Result::kSyntax) {
    return 0;
  }
  std::string again = text;
  if (mask.Check(again, true) != first || again != text) std::abort();
  return 0;
}
