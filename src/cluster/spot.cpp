#include "cluster/spot.h"

#include <array>
#include <charconv>
#include <vector>

#include "util/strings.h"

namespace vk {

namespace {

constexpr std::string_view kSpotPrefix = "DX de ";
constexpr std::size_t kMaxCallLength = 16;
constexpr std::size_t kMaxCommentLength = 60;
// Highest frequency read, in kHz: the 10 GHz band is the top of what a cluster spots.
constexpr long kMaxKhz = 11'000'000;

bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsPrintable(char c) {
  return c >= 0x20 && c < 0x7F;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char a = s[i];
    char b = prefix[i];
    if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
    if (b >= 'a' && b <= 'z') b = static_cast<char>(b - 'a' + 'A');
    if (a != b) return false;
  }
  return true;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

// "14025.0" or "14025" kHz into 100 Hz units; only the first decimal counts.
bool ReadKhz(std::string_view text, Freq& out) {
  const std::size_t dot = text.find('.');
  const std::string_view whole = text.substr(0, dot);
  if (whole.empty() || whole.size() > 8) return false;
  long khz = 0;
  for (char c : whole) {
    if (!IsDigit(c)) return false;
    khz = khz * 10 + (c - '0');
  }
  int tenth = 0;
  if (dot != std::string_view::npos) {
    const std::string_view frac = text.substr(dot + 1);
    for (char c : frac) {
      if (!IsDigit(c)) return false;
    }
    if (!frac.empty()) tenth = frac[0] - '0';
  }
  if (khz <= 0 || khz > kMaxKhz) return false;
  out = static_cast<Freq>(khz * 10 + tenth);
  return true;
}

// "1234Z": a valid UTC time of day.
int ReadTime(std::string_view word) {
  if (word.size() != 5 || (word[4] != 'Z' && word[4] != 'z')) return -1;
  int v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    if (!IsDigit(word[i])) return -1;
    v = v * 10 + (word[i] - '0');
  }
  return (v / 100 < 24 && v % 100 < 60) ? v : -1;
}

bool ReadInt(std::string_view text, int& out) {
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty() || text.size() > 4) return false;
  const auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc{} && p == text.data() + text.size();
}

Mode ModeOfWord(std::string_view w) {
  const std::string u = UpperCase(w);
  if (u == "CW") return Mode::kCw;
  if (u == "SSB" || u == "USB" || u == "LSB" || u == "PH" || u == "AM") return Mode::kPhone;
  if (u == "FM") return Mode::kFm;
  if (u == "RTTY") return Mode::kRtty;
  if (u == "PSK" || u == "PSK31" || u == "BPSK" || u == "BPSK31") return Mode::kPsk31;
  return Mode::kUnknown;
}

std::string PrintableOnly(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) out.push_back(IsPrintable(c) ? c : '?');
  return out;
}

}  // namespace

bool LooksLikeCall(std::string_view text) {
  if (text.size() < 3 || text.size() > kMaxCallLength) return false;
  bool digit = false;
  bool letter = false;
  for (char c : text) {
    if (IsDigit(c)) {
      digit = true;
    } else if (IsUpper(c)) {
      letter = true;
    } else if (c != '/') {
      return false;
    }
  }
  return digit && letter && text.front() != '/' && text.back() != '/';
}

void ReadSpotComment(std::string_view comment, Spot& spot) {
  const std::vector<std::string_view> w = Words(comment);
  for (std::size_t i = 0; i < w.size(); ++i) {
    const std::string u = UpperCase(w[i]);
    int n = 0;
    if (spot.mode == Mode::kUnknown) spot.mode = ModeOfWord(w[i]);
    if (u == "DB" && i > 0 && ReadInt(w[i - 1], n)) {
      spot.snr = n;
      spot.hasSnr = true;
    } else if (u.size() > 2 && u.ends_with("DB") && ReadInt(w[i].substr(0, u.size() - 2), n)) {
      spot.snr = n;
      spot.hasSnr = true;
    } else if (u == "WPM" && i > 0 && ReadInt(w[i - 1], n) && n > 0) {
      spot.wpm = n;
    }
  }
}

Mode LikelyModeOfFreq(Freq f) {
  // The top of each band's CW segment (100 Hz units); phone above it.
  static constexpr std::array<Freq, 6> kCwTop{18400, 36000, 70400, 140700, 210700, 280700};
  const BandIndex band = BandOfFreq(f);
  if (band < 1 || band > 6) return Mode::kUnknown;
  return f < kCwTop[band - 1] ? Mode::kCw : Mode::kPhone;
}

bool ParseSpotLine(std::string_view line, Spot& out) {
  if (line.size() > kMaxClusterLine) line = line.substr(0, kMaxClusterLine);
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\a')) {
    line.remove_suffix(1);
  }
  if (!StartsWithNoCase(line, kSpotPrefix)) return false;
  line.remove_prefix(kSpotPrefix.size());
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  const std::string spotter = Trim(line.substr(0, colon));
  if (spotter.empty() || spotter.size() > kMaxCallLength) return false;
  for (char c : spotter) {
    if (!IsPrintable(c) || c == ' ') return false;
  }
  std::vector<std::string_view> w = Words(line.substr(colon + 1));
  if (w.size() < 2) return false;
  Spot s;
  if (!ReadKhz(w[0], s.freq)) return false;
  s.call = UpperCase(w[1]);
  if (!LooksLikeCall(s.call)) return false;
  // The time is the last word of its form; a locator may follow it.
  std::size_t end = w.size();
  for (std::size_t i = w.size(); i > 2; --i) {
    if (const int t = ReadTime(w[i - 1]); t >= 0) {
      s.hhmm = t;
      end = i - 1;
      break;
    }
  }
  if (end > 2) {
    const char* from = w[2].data();
    const char* to = w[end - 1].data() + w[end - 1].size();
    s.comment = PrintableOnly(std::string_view(from, static_cast<std::size_t>(to - from)));
    if (s.comment.size() > kMaxCommentLength) s.comment.resize(kMaxCommentLength);
  }
  s.spotter = UpperCase(spotter);
  ReadSpotComment(s.comment, s);
  out = std::move(s);
  return true;
}

}  // namespace vk
