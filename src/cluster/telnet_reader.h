// Bytes from a cluster node into text lines.  Nodes speak telnet: option requests (IAC DO,
// WILL ...) are refused once each, which every server accepts, and sub-negotiations are
// skipped.  Lines end at LF; CR and the NUL after a bare CR are dropped.  A line holding other
// control bytes or bytes above 0x7E is binary and skipped whole; a line longer than
// kMaxClusterLine is cut there.  The unfinished line is kept, because login prompts end without
// a line end.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

class TelnetReader {
 public:
  // Complete text lines go to `lines`; the bytes to send back (refusals) are appended to
  // `reply`.
  void Feed(std::string_view bytes, std::vector<std::string>& lines, std::string& reply);
  // The text of the line not yet ended (a prompt such as "login: "), empty when binary.
  std::string_view Partial() const { return binary_ ? std::string_view{} : partial_; }
  void ClearPartial();
  std::size_t SkippedLines() const { return skipped_; }

 private:
  enum class State : std::uint8_t { kData, kIac, kOption, kSub, kSubIac };
  void Data(unsigned char c, std::vector<std::string>& lines);
  void Option(unsigned char c, std::string& reply);
  void EndLine(std::vector<std::string>& lines);

  State state_ = State::kData;
  unsigned char command_ = 0;
  std::string partial_;
  bool binary_ = false;
  std::size_t skipped_ = 0;
  std::array<bool, 256> refused_{};  // an option refused once is not refused again
};

}  // namespace vk
