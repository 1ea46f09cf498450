// String routines shared by every subsystem.  Texts are byte strings in the console code page
// (CP866); nothing here knows about Unicode except the terminal-boundary conversions at the end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vk {

// Longest text a field or line of the program carries; longer texts are cut, never refused.
inline constexpr std::size_t kMaxText = 255;

std::string Trim(std::string_view s);       // spaces only, both ends; tabs are kept
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// A signal report at the front of an exchange ("599 16", "59/001"): its length with the
// separator after it, else 0.  Reports are two or three digits, readability 1-5 first.
std::size_t ReportPrefixLength(std::string_view exchange);
std::string UpperCase(std::string_view s);  // a-z only; Cyrillic bytes are left alone
std::string LowerCase(std::string_view s);  // A-Z only

std::string IntToStr(long long n);
std::string IntToStrPad(long long n, int width);   // spaces on the left, never cut
std::string IntToStrZero(long long n, int width);  // zeros on the left, never cut
std::string PadLeft(std::string_view s, int width);
std::string FixedWidth(std::string_view s, int width);  // pad right or cut to exactly width
std::string Rightmost(std::string_view s, int n);
std::string RepeatChar(char c, int n);  // n <= 0 gives "", n > 255 gives 255 copies

// Decimal conversion in the manner of the classic Val: optional leading spaces, an optional
// sign, digits, nothing after them.  Out-of-range values are errors.
bool TryStrToInt(std::string_view s, long long& out, std::size_t* errorPos = nullptr);
int StrToIntDef0(std::string_view s);
int StrToIntDefM1(std::string_view s);  // any error gives -1
// Nothing on any error; `errorPos` then gets its 1-based position (0 when the text converted).
std::optional<int> StrToInt(std::string_view s, std::size_t* errorPos = nullptr);

std::string RealToStr(double x, int decimals);  // fixed point, leading spaces removed
// Replaces every occurrence of `what`; the search restarts from the beginning after each
// replacement.  A replacement that contains `what` would never end, so it is refused
// (the text comes back unchanged).
std::string ReplaceAll(std::string_view s, std::string_view what, std::string_view with);
inline long long Larger(long long a, long long b) { return a > b ? a : b; }
inline long long Smaller(long long a, long long b) { return a < b ? a : b; }
std::string FromCStr(const char* p);  // null gives ""
bool FileExists(const std::string& path);
std::string AddPathDelimiter(std::string_view s);  // appends '/' unless empty or already there

// Code pages.  Rules files carry Windows-1251, the program works in CP866.
std::string Win1251ToCp866(std::string_view s);
std::string Cp866ToWin1251(std::string_view s);
// The terminal boundary: every one of the 256 CP866 bytes maps to one Unicode character and
// back, so a round trip is exact.  Characters with no CP866 form become '?'.
std::u32string Cp866ToUnicode(std::string_view s);
std::string UnicodeToCp866(std::u32string_view s);
std::string Cp866ToUtf8(std::string_view s);
std::string Utf8ToCp866(std::string_view s);  // malformed UTF-8 sequences become '?'
std::wstring Cp866ToWide(std::string_view s);
std::string WideToCp866(std::wstring_view s);
char32_t Cp866CharToUnicode(unsigned char c);
int UnicodeToCp866Char(char32_t u);  // -1 when the character has no CP866 form

// The pieces of `text` between the separators, empty ones included ("a^^b" gives three); the
// views point into `text`.
std::vector<std::string_view> SplitView(std::string_view text, char sep);

}  // namespace vk
