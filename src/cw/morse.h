// The Morse side of the keyer with no threads and no port: the code of each character, the
// dot length of each speed, and the cut numbers that shorten digits in a sent number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vk {

// The speed in words per minute of the word PARIS (50 dots long), as every keyer and cwdaemon
// count it: the number shown is the number keyed.
inline constexpr int kMinSpeed = 5;
inline constexpr int kMaxSpeed = 60;
inline constexpr int kDefaultSpeed = 20;
// The pause between repetitions of a called message, in tenths of a second.
inline constexpr int kMinStandby = 10;
inline constexpr int kMaxStandby = 50;
inline constexpr int kDefaultStandby = 15;

// Dot length in milliseconds, 1200 / wpm rounded: 240 ms at 5 WPM, 40 ms at 30, 20 ms at 60.
// Speeds outside 5..60 (a word with several "+" or "-") are held at the nearest end, so the
// dot never drops below what whole-millisecond sleeps can key cleanly.
int DotMs(int wpm);

// The elements of a character as "." and "-"; empty for anything without a code, lower-case
// letters included (texts reach the keyer already upper-cased).
std::string_view MorseCode(char c);

// How long `text` takes to key with a dot of `dotMs`: each element and the one-dot gap after
// it, two more dots after each character, four more for a space (no PTT lead).
int MorseLengthMs(std::string_view text, int dotMs);

// Cut numbers: flags of Num019, applied to the number sent in place of "#".
namespace cut {
inline constexpr std::uint8_t kZeroAsO = 1;
inline constexpr std::uint8_t kZeroAsT = 2;
inline constexpr std::uint8_t kOneAsA = 4;
inline constexpr std::uint8_t kNineAsN = 8;
}  // namespace cut

// Applies the flags in their fixed order: 0->O, 0->T, 1->A, 9->N.  With both zero flags set
// the first wins, since no "0" is left for the second.
std::string ApplyCutNumbers(std::string_view number, std::uint8_t flags);

// The operator's three cut-number keys.  CycleZero steps the two zero flags through none,
// "O", "T" and back; an impossible 3 from a hand-edited file steps to none as well.
std::uint8_t CycleZeroFlags(std::uint8_t flags);
std::uint8_t ToggleOneFlag(std::uint8_t flags);
std::uint8_t ToggleNineFlag(std::uint8_t flags);

}  // namespace vk
