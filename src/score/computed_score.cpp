#include "score/computed_score.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "log/journal.h"
#include "score/text_util.h"
#include "util/bands.h"
#include "util/strings.h"

namespace vk {

namespace {

// Points between the seven Russian zones: the farther apart, the more.
constexpr int kTableA[7][7] = {
    {11, 12, 13, 14, 16, 20, 25}, {12, 11, 12, 13, 15, 19, 23}, {13, 12, 11, 12, 14, 18, 21},
    {14, 13, 12, 11, 12, 15, 18}, {16, 15, 14, 12, 11, 12, 14}, {20, 19, 18, 15, 12, 11, 12},
    {25, 23, 21, 18, 14, 12, 11},
};
constexpr int kTableB[7][7] = {
    {10, 11, 12, 13, 14, 17, 20}, {11, 10, 11, 12, 13, 14, 17}, {12, 11, 10, 11, 12, 13, 14},
    {13, 12, 11, 10, 11, 12, 13}, {14, 13, 12, 11, 10, 11, 12}, {17, 14, 13, 12, 11, 10, 11},
    {20, 17, 14, 13, 12, 11, 10},
};

bool InZoneRange(int z) { return z >= 1 && z <= 7; }

int NumberOr(std::string_view s, int fallback) {
  long long n = 0;
  if (!TryStrToInt(s, n) || n < -2147483647LL || n > 2147483647LL) return fallback;
  return static_cast<int>(n);
}

int ChmpRfTable(std::string_view call, ScoreContext& ctx) {
  int own = ctx.OwnExchange().empty() ? ctx.OwnRussianZone() : NumberOr(ctx.OwnExchange(), -1);
  return ZoneTableA(own, ctx.RussianZone(call));
}

int ChmpEsfeTable(std::string_view rx, const ScoreContext& ctx) {
  int other = rx.empty() ? -1 : NumberOr(rx.substr(0, 1), -1);
  return ZoneTableB(other, NumberOr(ctx.OwnExchange(), -1));
}

int RfCup(std::string_view rx, const ScoreContext& ctx) {
  auto slash = score_text::FieldSeparator(rx);
  if (slash == std::string_view::npos) return 0;
  // Four-character squares: "AA" makes them the south-west sub-square, as both ends get it.
  std::string his = std::string(score_text::TrimBlank(rx.substr(slash + 1))) + "AA";
  std::string own = std::string(score_text::TrimBlank(ctx.OwnExchange())) + "AA";
  Position p, q;
  if (!LocatorPosition(own, p).ok() || !LocatorPosition(his, q).ok()) return 0;
  long long km = std::llround(Distance(p, q));
  JournalAppend(ctx.journal(),
                "QRB:" + own.substr(0, 6) + " " + his.substr(0, 6) + " " + IntToStr(km));
  return RfCupPoints(km);
}

// Region of the Asian championship: a one-digit area and a two-digit district.
struct Region {
  int area = 0;
  int district = 0;
};
Region RegionOf(std::string_view text) {
  std::string s(text);
  auto slash = score_text::FieldSeparator(s);
  if (slash != std::string::npos) s.erase(slash, 1);
  Region r;
  if (!s.empty()) r.area = NumberOr(std::string_view(s).substr(0, 1), 0);
  if (s.size() > 1) r.district = NumberOr(std::string_view(s).substr(1, 2), 0);
  return r;
}

int AsChamp(std::string_view rx, Mode mode, const ScoreContext& ctx) {
  if (mode != Mode::kCw && mode != Mode::kPhone) return 0;
  // The received exchange ends with the 3-digit serial; the own exchange is the region alone.
  auto his = RegionOf(rx.substr(0, rx.size() > 3 ? rx.size() - 3 : 0));
  auto own = RegionOf(ctx.OwnExchange());
  int e = std::abs(own.area - his.area) + std::abs(own.district - his.district);
  return e + (mode == Mode::kCw ? 10 : 5);
}

// A whole number followed by one of two letters, at the front of `text`; the letter found
// first in the text decides, as the exchange is written "57N85O".
bool TakeCoord(std::string_view& text, char first, char second, int& value, char& letter) {
  auto p = text.find(first);
  if (p == std::string_view::npos) p = text.find(second);
  if (p == std::string_view::npos) return false;
  long long n = 0;
  if (!TryStrToInt(text.substr(0, p), n) || n < 0 || n > 180) return false;
  value = static_cast<int>(n);
  letter = text[p];
  text.remove_prefix(p + 1);
  return true;
}

}  // namespace

ComputedTable ComputedTableOfName(std::string_view name) {
  if (name == "chmprftable") return ComputedTable::kChmpRfTable;
  if (name == "chmpesfetable") return ComputedTable::kChmpEsfeTable;
  if (name == "rfcup") return ComputedTable::kRfCup;
  if (name == "aschamp") return ComputedTable::kAsChamp;
  if (name.starts_with("grid:")) {
    long long step = 0;
    if (TryStrToInt(name.substr(5), step) && step >= 1 && step <= 20000)
      return ComputedTable::kGridStep;
  }
  return ComputedTable::kUnknown;
}

int ZoneTableA(int row, int column) {
  return InZoneRange(row) && InZoneRange(column) ? kTableA[row - 1][column - 1] : 0;
}

int ZoneTableB(int row, int column) {
  return InZoneRange(row) && InZoneRange(column) ? kTableB[row - 1][column - 1] : 0;
}

bool SquareCentre(std::string_view locator, Position& out) {
  if (locator.size() < 4) return false;
  Position sw;
  if (!LocatorPosition(UpperCase(locator.substr(0, 4)) + "AA", sw).ok()) return false;
  // From the centre of the south-west sub-square (1/24 by 1/48 degree in from the corner) to
  // the centre of the 2 by 1 degree square.
  out.lon = sw.lon + 1.0 - 1.0 / 24.0;
  out.lat = sw.lat + 0.5 - 1.0 / 48.0;
  return true;
}

namespace {

std::string_view FirstLocatorWord(std::string_view text) {
  while (!text.empty()) {
    const auto start = text.find_first_not_of(" /");
    if (start == std::string_view::npos) break;
    text.remove_prefix(start);
    const auto end = text.find_first_of(" /");
    const std::string_view word = text.substr(0, end);
    Position p;
    if ((word.size() == 4 || word.size() == 6) && SquareCentre(word, p)) return word;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end);
  }
  return {};
}

}  // namespace

int GridStepPoints(std::string_view rx, const ScoreContext& ctx, int stepKm) {
  Position own, his;
  if (stepKm <= 0 || !SquareCentre(FirstLocatorWord(ctx.OwnExchange()), own) ||
      !SquareCentre(FirstLocatorWord(rx), his)) {
    return 1;
  }
  const double km = Distance(own, his);
  return 1 + static_cast<int>(km / stepKm);
}

int RfCupPoints(long long km) {
  if (km <= 0) return 0;
  static constexpr int kSteps[7] = {31, 35, 38, 42, 47, 52, 57};
  if (km > 7000) return 62;
  return kSteps[(km - 1) / 1000];
}

std::int16_t ComputeScore(ComputedTable table, std::string_view call, std::string_view rx,
                          Mode mode, ScoreContext& ctx) {
  switch (table) {
    case ComputedTable::kChmpRfTable:
      return static_cast<std::int16_t>(ChmpRfTable(call, ctx));
    case ComputedTable::kChmpEsfeTable:
      return static_cast<std::int16_t>(ChmpEsfeTable(rx, ctx));
    case ComputedTable::kRfCup:
      return static_cast<std::int16_t>(RfCup(rx, ctx));
    case ComputedTable::kAsChamp:
      return static_cast<std::int16_t>(AsChamp(rx, mode, ctx));
    case ComputedTable::kNone:
    case ComputedTable::kUnknown:
    case ComputedTable::kGridStep:  // needs its step: ScoreRule computes it
      break;
  }
  return 0;
}

std::optional<RaemCoords> ParseRaemCoords(std::string_view text) {
  RaemCoords c;
  char lat = 0;
  char lon = 0;
  // Upper case is what the entry field gives; the own exchange may be typed either way.
  std::string up = UpperCase(text);
  std::string_view rest = up;
  if (!TakeCoord(rest, 'S', 'N', c.lat, lat)) return std::nullopt;
  if (!TakeCoord(rest, 'O', 'W', c.lon, lon)) return std::nullopt;
  c.latLetter = lat;
  c.lonLetter = lon;
  return c;
}

int RaemDistancePoints(const RaemCoords& own, const RaemCoords& his) {
  int lat = own.latLetter == his.latLetter ? std::abs(his.lat - own.lat) : his.lat + own.lat;
  int lon = std::abs(his.lon - own.lon);
  if (own.lonLetter != his.lonLetter) {
    // Across the 180th meridian the short way round is 360 minus the sum.
    int sum = his.lon + own.lon;
    lon = sum <= 180 ? sum : 360 - sum;
  }
  return lat + lon + (his.lat > 67 ? 100 : 0);
}

}  // namespace vk
