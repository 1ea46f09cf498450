#include "util/strings.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace vk {
namespace {

// Widths beyond the longest text the program carries would only build useless padding.
int ClampWidth(int width) { return std::clamp(width, 0, static_cast<int>(kMaxText)); }

}  // namespace

std::string TrimLeft(std::string_view s) {
  auto first = s.find_first_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(s.substr(first));
}

std::string TrimRight(std::string_view s) {
  auto last = s.find_last_not_of(' ');
  return last == std::string_view::npos ? std::string() : std::string(s.substr(0, last + 1));
}

std::string Trim(std::string_view s) {
  auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  auto last = s.find_last_not_of(' ');
  return std::string(s.substr(first, last - first + 1));
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string LowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string IntToStr(long long n) { return std::to_string(n); }

std::string IntToStrPad(long long n, int width) { return PadLeft(IntToStr(n), width); }

std::string IntToStrZero(long long n, int width) {
  std::string digits = IntToStr(n);
  int w = ClampWidth(width);
  if (static_cast<int>(digits.size()) >= w) return digits;
  // The zeros go between the sign and the digits: -7 at width 3 is "-07", not "0-7".
  std::size_t signLen = n < 0 ? 1 : 0;
  digits.insert(signLen, static_cast<std::size_t>(w) - digits.size(), '0');
  return digits;
}

std::string PadLeft(std::string_view s, int width) {
  int w = ClampWidth(width);
  if (static_cast<int>(s.size()) >= w) return std::string(s);
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + std::string(s);
}

std::string FixedWidth(std::string_view s, int width) {
  auto w = static_cast<std::size_t>(ClampWidth(width));
  std::string out(s.substr(0, std::min(w, s.size())));
  out.resize(w, ' ');
  return out;
}

std::string Rightmost(std::string_view s, int n) {
  if (n < 0 || s.size() < static_cast<std::size_t>(n)) return std::string(s);
  return std::string(s.substr(s.size() - static_cast<std::size_t>(n)));
}

std::string RepeatChar(char c, int n) {
  return std::string(static_cast<std::size_t>(ClampWidth(n)), c);
}

bool TryStrToInt(std::string_view s, long long& out, std::size_t* errorPos) {
  std::size_t i = 0;
  auto fail = [&](std::size_t pos) {
    if (errorPos) *errorPos = pos + 1;  // 1-based, as the operator-facing messages count
    return false;
  };
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i >= s.size()) return fail(i);
  // Accumulate as a negative number so that the most negative value fits.
  long long value = 0;
  const long long lo = std::numeric_limits<long long>::min();
  for (; i < s.size(); ++i) {
    char c = s[i];
    if (c < '0' || c > '9') return fail(i);
    int digit = c - '0';
    if (value < lo / 10 || value * 10 < lo + digit) return fail(i);
    value = value * 10 - digit;
  }
  if (!negative) {
    if (value == lo) return fail(s.size() - 1);
    value = -value;
  }
  out = value;
  if (errorPos) *errorPos = 0;
  return true;
}

namespace {

bool TryStrToInt32(std::string_view s, int& out, std::size_t& errorPos) {
  long long v = 0;
  if (!TryStrToInt(s, v, &errorPos)) return false;
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) {
    errorPos = s.size();
    return false;
  }
  out = static_cast<int>(v);
  return true;
}

}  // namespace

int StrToIntDef0(std::string_view s) {
  int v = 0;
  std::size_t pos = 0;
  return TryStrToInt32(s, v, pos) ? v : 0;
}

int StrToIntDefM1(std::string_view s) {
  return StrToInt(s).value_or(-1);
}

std::optional<int> StrToInt(std::string_view s, std::size_t* errorPos) {
  int v = 0;
  std::size_t pos = 0;
  const bool ok = TryStrToInt32(s, v, pos);
  if (errorPos != nullptr) *errorPos = pos;
  if (!ok) return std::nullopt;
  return v;
}

std::string RealToStr(double x, int decimals) {
  int d = std::clamp(decimals, 0, 30);
  int len = std::snprintf(nullptr, 0, "%.*f", d, x);
  if (len <= 0) return {};
  std::string out(static_cast<std::size_t>(len) + 1, '\0');
  std::snprintf(out.data(), out.size(), "%.*f", d, x);
  out.resize(static_cast<std::size_t>(len));
  return TrimLeft(out);
}

std::string ReplaceAll(std::string_view s, std::string_view what, std::string_view with) {
  std::string out(s);
  if (what.empty() || with.find(what) != std::string_view::npos) return out;
  // Restarting from the beginning after each replacement finds the same occurrences as
  // restarting just before the replacement: the untouched text in front of it held none.
  // Whether a replacement that does not contain `what` can still feed itself for ever through
  // the text around it is not something to bet on, so a runaway ends the loop.
  const std::size_t limit = 16 * (s.size() + kMaxText);
  std::size_t from = 0;
  for (std::size_t count = 0;; ++count) {
    auto pos = out.find(what, from);
    if (pos == std::string::npos || out.size() > limit || count > limit) return out;
    out.replace(pos, what.size(), with);
    from = pos >= what.size() - 1 ? pos - (what.size() - 1) : 0;
  }
}

std::string FromCStr(const char* p) { return p ? std::string(p) : std::string(); }

bool FileExists(const std::string& path) {
  // The search looked for ordinary files (read-only and archive attributes), not folders.
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string AddPathDelimiter(std::string_view s) {
  std::string out(s);
  if (!out.empty() && out.back() != '/') out.push_back('/');
  return out;
}

std::vector<std::string_view> SplitView(std::string_view text, char sep) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t at; (at = text.find(sep, start)) != std::string_view::npos; start = at + 1) {
    out.push_back(text.substr(start, at - start));
  }
  out.push_back(text.substr(start));
  return out;
}

std::size_t ReportPrefixLength(std::string_view exchange) {
  std::size_t n = 0;
  while (n < exchange.size() && n < 4 && exchange[n] >= '0' && exchange[n] <= '9') ++n;
  if ((n != 2 && n != 3) || exchange[0] < '1' || exchange[0] > '5' || n >= exchange.size()) {
    return 0;
  }
  return exchange[n] == ' ' || exchange[n] == '/' ? n + 1 : 0;
}

}  // namespace vk
