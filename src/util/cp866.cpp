// CP866 (the DOS Cyrillic code page) against Windows-1251 and against Unicode.  The program
// keeps its texts as CP866 bytes; Unicode appears only at the terminal.
#include <algorithm>
#include <array>
#include <utility>

#include "util/strings.h"

namespace vk {
namespace {

// The upper half of CP866: Cyrillic capitals, lower a-p, the pseudo-graphics block that DOS
// programs drew their frames with, lower r-ya, then Yo/yo, the Ukrainian and Belarusian
// letters and a few signs.
constexpr std::array<char16_t, 128> kCp866High = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 80
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 88
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 90
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 98
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // A0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // E0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // E8
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // F8
};

// Unicode -> CP866 for the upper half, sorted by code point once.
const std::array<std::pair<char16_t, unsigned char>, 128>& ReverseTable() {
  static const auto table = [] {
    std::array<std::pair<char16_t, unsigned char>, 128> t{};
    for (int i = 0; i < 128; ++i)
      t[static_cast<std::size_t>(i)] = {kCp866High[static_cast<std::size_t>(i)],
                                        static_cast<unsigned char>(0x80 + i)};
    std::sort(t.begin(), t.end());
    return t;
  }();
  return table;
}

unsigned char Win1251ToCp866Byte(unsigned char c) {
  if (c >= 0xC0 && c <= 0xEF) return static_cast<unsigned char>(c - 0x40);  // A-YA, a-p
  if (c >= 0xF0) return static_cast<unsigned char>(c - 0x10);               // r-ya
  if (c == 0xA8) return 0xF0;                                              // YO
  if (c == 0xB8) return 0xF1;                                              // yo
  return c;
}

unsigned char Cp866ToWin1251Byte(unsigned char c) {
  if (c >= 0x80 && c <= 0xAF) return static_cast<unsigned char>(c + 0x40);
  if (c >= 0xE0 && c <= 0xEF) return static_cast<unsigned char>(c + 0x10);
  if (c == 0xF0) return 0xA8;
  if (c == 0xF1) return 0xB8;
  return c;
}

template <typename F>
std::string MapBytes(std::string_view s, F f) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(f(static_cast<unsigned char>(c)));
  return out;
}

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out.push_back(static_cast<char>(u));
  } else if (u < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (u >> 6)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  } else {  // the CP866 table reaches no further than the Basic Multilingual Plane
    out.push_back(static_cast<char>(0xE0 | (u >> 12)));
    out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
  }
}

// Decodes one UTF-8 character at s[i] and advances i.  A malformed sequence (stray
// continuation byte, truncated sequence, overlong form, surrogate, beyond U+10FFFF) yields
// U+FFFD and consumes the lead byte plus the continuation bytes that were valid so far, so
// each bad sequence costs one replacement character.
char32_t DecodeUtf8(std::string_view s, std::size_t& i) {
  constexpr char32_t kBad = 0xFFFD;
  auto b0 = static_cast<unsigned char>(s[i++]);
  if (b0 < 0x80) return b0;
  int extra = 0;
  char32_t u = 0;
  char32_t min = 0;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1, u = b0 & 0x1F, min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2, u = b0 & 0x0F, min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3, u = b0 & 0x07, min = 0x10000;
  } else {
    return kBad;
  }
  for (int k = 0; k < extra; ++k) {
    if (i >= s.size()) return kBad;
    auto b = static_cast<unsigned char>(s[i]);
    if ((b & 0xC0) != 0x80) return kBad;
    char32_t next = (u << 6) | (b & 0x3F);
    // A second byte that makes the form overlong, a surrogate or out of range is not part of
    // the bad sequence: it is looked at again on its own.
    if (k == 0 && extra == 2 && (next < 0x20 || (next >= 0x360 && next <= 0x37F))) return kBad;
    if (k == 0 && extra == 3 && (next < 0x10 || next > 0x10F)) return kBad;
    u = next;
    ++i;
  }
  return u >= min ? u : kBad;
}

}  // namespace

std::string Win1251ToCp866(std::string_view s) { return MapBytes(s, Win1251ToCp866Byte); }
std::string Cp866ToWin1251(std::string_view s) { return MapBytes(s, Cp866ToWin1251Byte); }

char32_t Cp866CharToUnicode(unsigned char c) {
  return c < 0x80 ? char32_t{c} : char32_t{kCp866High[c - 0x80u]};
}

int UnicodeToCp866Char(char32_t u) {
  if (u < 0x80) return static_cast<int>(u);
  if (u > 0xFFFF) return -1;
  const auto& t = ReverseTable();
  auto it = std::lower_bound(t.begin(), t.end(), std::pair<char16_t, unsigned char>{
                                                     static_cast<char16_t>(u), 0});
  return it != t.end() && it->first == u ? it->second : -1;
}

std::u32string Cp866ToUnicode(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (char c : s) out.push_back(Cp866CharToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string UnicodeToCp866(std::u32string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t u : s) {
    int c = UnicodeToCp866Char(u);
    out.push_back(c < 0 ? '?' : static_cast<char>(c));
  }
  return out;
}

std::string Cp866ToUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size() * 2);
  for (char c : s) AppendUtf8(out, Cp866CharToUnicode(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp866(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    int c = UnicodeToCp866Char(DecodeUtf8(s, i));
    out.push_back(c < 0 ? '?' : static_cast<char>(c));
  }
  return out;
}

std::wstring Cp866ToWide(std::string_view s) {
  std::wstring out;
  out.reserve(s.size());
  for (char c : s)
    out.push_back(static_cast<wchar_t>(Cp866CharToUnicode(static_cast<unsigned char>(c))));
  return out;
}

std::string WideToCp866(std::wstring_view s) {
  std::string out;
  out.reserve(s.size());
  for (wchar_t w : s) {
    int c = w < 0 ? -1 : UnicodeToCp866Char(static_cast<char32_t>(w));
    out.push_back(c < 0 ? '?' : static_cast<char>(c));
  }
  return out;
}

}  // namespace vk
