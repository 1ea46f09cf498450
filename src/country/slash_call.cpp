#include "country/slash_call.h"

#include <cstddef>

namespace vk::country_detail {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsNumber(std::string_view s) {
  for (char c : s) {
    if (!IsDigit(c)) return false;
  }
  return !s.empty();
}

// Parts after the call that say how or at what power a station works, not where: portable,
// mobile and the like as single letters, QRP, lighthouse, and the FCC's marks for an upgrade
// not yet in the database (AG general, AA advanced, AE extra, KT technician).  A number of
// two or more digits is an anniversary or a French department, never a call area.
constexpr std::string_view kNoPlaceMarks[] = {"QRP", "QRPP", "QRO", "LH", "LGT",
                                              "AE",  "AG",   "AA",  "KT", "BCN"};

bool NamesNoPlace(std::string_view part) {
  if (part.size() == 1) return !IsDigit(part[0]);
  if (IsNumber(part)) return true;
  if (part.size() > 4) return false;
  for (std::string_view mark : kNoPlaceMarks) {
    if (part == mark) return true;
  }
  return false;
}

// The US holds the ITU series K, N, W and AA-AL.
bool IsUsCall(std::string_view call) {
  if (call.empty()) return false;
  const char c = call[0];
  if (c == 'K' || c == 'N' || c == 'W') return true;
  return c == 'A' && call.size() > 1 && call[1] >= 'A' && call[1] <= 'L';
}

}  // namespace

SlashCall SplitSlashCall(std::string_view call) {
  // Of the parts that name a place or a call, the shortest names the place (the later one on
  // a tie) and the longest is the home call (the earlier one on a tie).
  SlashCall out;
  std::size_t kept = 0;
  std::size_t coreBegin = 0, coreEnd = 0;
  for (std::size_t begin = 0; begin <= call.size();) {
    std::size_t end = call.find('/', begin);
    if (end == std::string_view::npos) end = call.size();
    const std::string_view part = call.substr(begin, end - begin);
    const bool first = kept == 0;
    begin = end + 1;
    if (part.empty()) continue;
    if (first) {
      out.home = out.location = part;
      coreBegin = end - part.size();
    } else if (part == "MM" || part == "AM") {
      out.noCountry = true;
      continue;
    } else if (part.size() == 1 && IsDigit(part[0])) {
      out.areaDigit = part[0];
      coreEnd = end;
      continue;
    } else if (NamesNoPlace(part)) {
      continue;
    } else {
      if (part.size() <= out.location.size()) out.location = part;
      if (part.size() > out.home.size()) out.home = part;
    }
    ++kept;
    coreEnd = end;
  }
  if (kept < 2) out.location = {};
  out.core = call.substr(coreBegin, coreEnd - coreBegin);
  return out;
}

std::string MoveCallArea(std::string_view home, char digit) {
  if (IsUsCall(home)) return std::string{'K', digit};
  // JD1 calls belong to Ogasawara and Minami Torishima; with /digit they are on the main
  // islands of Japan, in that call area.
  if (home.starts_with("JD")) return std::string{'J', 'A', digit};
  const std::size_t at = home.find_last_of("0123456789");
  if (at == std::string_view::npos) return {};
  std::string moved(home);
  moved[at] = digit;
  return moved;
}

std::string UsCallOfKg4(std::string_view call) {
  if (!call.starts_with("KG4")) return {};
  const std::string_view suffix = call.substr(3);
  if (suffix.size() != 1 && suffix.size() != 3) return {};
  for (char c : suffix) {
    if (c < 'A' || c > 'Z') return {};
  }
  return "K4" + std::string(suffix);
}

}  // namespace vk::country_detail
