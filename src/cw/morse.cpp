#include "cw/morse.h"

#include <algorithm>
#include <array>

namespace vk {

namespace {

// International Morse Code (ITU-R M.1677) for A-Z in alphabet order.
constexpr std::array<std::string_view, 26> kLetters = {
    ".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
    ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
    "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};

constexpr std::array<std::string_view, 10> kDigits = {"-----", ".----", "..---", "...--", "....-",
                                                      ".....", "-....", "--...", "---..", "----."};

}  // namespace

int DotMs(int wpm) {
  const int w = std::clamp(wpm, kMinSpeed, kMaxSpeed);
  return (1200 + w / 2) / w;
}

std::string_view MorseCode(char c) {
  if (c >= 'A' && c <= 'Z') return kLetters[static_cast<std::size_t>(c - 'A')];
  if (c >= '0' && c <= '9') return kDigits[static_cast<std::size_t>(c - '0')];
  if (c == '?') return "..--..";
  if (c == '/') return "-..-.";
  return {};
}

std::string ApplyCutNumbers(std::string_view number, std::uint8_t flags) {
  std::string out(number);
  auto swap = [&out](char from, char to) { std::replace(out.begin(), out.end(), from, to); };
  if (flags & cut::kZeroAsO) swap('0', 'O');
  if (flags & cut::kZeroAsT) swap('0', 'T');
  if (flags & cut::kOneAsA) swap('1', 'A');
  if (flags & cut::kNineAsN) swap('9', 'N');
  return out;
}

std::uint8_t CycleZeroFlags(std::uint8_t flags) {
  const std::uint8_t zero = flags & 3;
  const std::uint8_t next = zero == 0 ? cut::kZeroAsO : zero == cut::kZeroAsO ? cut::kZeroAsT : 0;
  return static_cast<std::uint8_t>((flags & ~3) | next);
}

std::uint8_t ToggleOneFlag(std::uint8_t flags) {
  return static_cast<std::uint8_t>(flags ^ cut::kOneAsA);
}

std::uint8_t ToggleNineFlag(std::uint8_t flags) {
  return static_cast<std::uint8_t>(flags ^ cut::kNineAsN);
}

int MorseLengthMs(std::string_view text, int dotMs) {
  int dots = 0;
  for (char c : text) {
    if (c == ' ') dots += 4;
    for (char e : MorseCode(c)) dots += e == '-' ? 4 : 2;
    dots += 2;
  }
  return dots * dotMs;
}

}  // namespace vk
