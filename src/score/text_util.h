// Small allocation-free text helpers of the scoring nodes.
#pragma once

#include <cstddef>
#include <string_view>

namespace vk::score_text {

inline char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

inline bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Spaces, tabs and line ends around an element's text are layout of the rules file.
inline std::string_view TrimBlank(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The part after the first `c`, or empty when `c` is absent.
inline std::string_view After(std::string_view s, char c) {
  auto p = s.find(c);
  return p == std::string_view::npos ? std::string_view{} : s.substr(p + 1);
}

// Where the received exchange splits into fields: its first "/", or its first space when it
// has no "/".  The log stores the exchange as the rules corrected it ("599/15" becomes
// "599 15"), and a QSO must score the same from the log as it did when it was typed.
inline std::size_t FieldSeparator(std::string_view rx) {
  auto p = rx.find('/');
  return p != std::string_view::npos ? p : rx.find(' ');
}

}  // namespace vk::score_text
