// Matching rules shared by the plain scan and the index, so that both give the same answers
// by construction: how a key is found in an entry's prefix text and how the matching token
// fills a CountryInfo.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "country/country.h"

namespace vk::country_detail {

inline constexpr std::size_t kMaxPrefixKey = 4;  // longest prefix tried, in characters

inline bool IsDigitOrCapital(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

// Characters that end the call of a token: the separators and the opening marks of the
// per-token overrides.  An exact call may only match up to one of these (or the end of the
// text); otherwise ",=EA" would hit "=EA/FT5YK" and put every EA/... portable in Antarctica.
inline bool IsTokenEnd(char c) {
  return c == ',' || c == ';' || c == '(' || c == '[' || c == '<' || c == '{' || c == '~';
}
bool HasTokenEnd(std::string_view s);

// Offset of the first occurrence of `key` ("," + prefix) in `text`, provided the character
// after it is no digit or capital letter (so ",UA" matches "UA" and "UA(17)" but not "UA9");
// npos otherwise.  Only the first occurrence counts.
std::size_t FindPrefixKey(const std::string& text, std::string_view key);

// Offset of the first occurrence of `key` (",=" + call) in `text` that is a whole token:
// followed by a token end or the end of the text.  npos when there is none, and always when
// the call itself holds a token end (it could never be one whole token).
std::size_t FindExactKey(const std::string& text, std::string_view key);

// Fills `out` from `entry` and the token whose ',' is at `commaPos`: the entry's fields,
// overridden by the token's (cq) [itu] <lat/lon> ~offset~ marks, every text cut to width.
void FillInfo(const CountryEntry& entry, std::size_t commaPos, CountryInfo& out);

// True when the token at `commaPos` carries any override mark.
bool TokenHasMarks(const std::string& text, std::size_t commaPos);

}  // namespace vk::country_detail
