#include "country/slash_call.h"

#include <array>
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
bool NamesNoPlace(std::string_view part) {
  if (part.size() == 1) return !IsDigit(part[0]);
  if (IsNumber(part)) return true;
  for (std::string_view mark : {"QRP", "QRPP", "QRO", "LH", "LGT", "AE", "AG", "AA", "KT", "BCN"}) {
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
  // Calls are at most a few parts long; parts beyond the table are ignored.
  std::array<std::string_view, 8> kept{};
  std::size_t count = 0;
  std::size_t coreEnd = 0;
  SlashCall out;
  for (std::size_t begin = 0; begin <= call.size();) {
    std::size_t end = call.find('/', begin);
    if (end == std::string_view::npos) end = call.size();
    const std::string_view part = call.substr(begin, end - begin);
    const bool first = count == 0;
    begin = end + 1;
    if (part.empty()) continue;
    if (!first && (part == "MM" || part == "AM")) {
      out.noCountry = true;
    } else if (!first && part.size() == 1 && IsDigit(part[0])) {
      out.areaDigit = part[0];
      coreEnd = end;
    } else if (first || !NamesNoPlace(part)) {
      if (count < kept.size()) kept[count++] = part;
      coreEnd = end;
    }
  }
  if (count == 0) return out;
  const std::size_t coreBegin = static_cast<std::size_t>(kept[0].data() - call.data());
  out.core = call.substr(coreBegin, coreEnd - coreBegin);
  out.home = kept[0];
  if (count == 1) return out;
  // The shortest part names the place (the later one on a tie), the longest is the home call.
  std::size_t where = 0, home = 0;
  for (std::size_t i = 1; i < count; ++i) {
    if (kept[i].size() <= kept[where].size()) where = i;
    if (kept[i].size() > kept[home].size()) home = i;
  }
  if (home == where) home = where == 0 ? 1 : 0;
  out.home = kept[home];
  out.location = kept[where];
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

}  // namespace vk::country_detail
