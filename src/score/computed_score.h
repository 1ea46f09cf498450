// Points computed from the exchange instead of taken from the rules file: the two zone tables
// of the Russian championships, the locator-distance steps of the Russian Cup, the region
// table of the Asian championship, and the coordinate distance of the RAEM contest.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "score/score_context.h"
#include "util/bands.h"

namespace vk {

enum class ComputedTable : std::uint8_t {
  kNone,
  kUnknown,       // "@@" with a name we do not know: the rule scores 0
  kChmpRfTable,   // "chmprftable": own zone x other zone (by call) in table A
  kChmpEsfeTable, // "chmpesfetable": other zone (from the exchange) x own zone in table B
  kRfCup,         // "rfcup": steps by the distance between 4-character locators
  kAsChamp,       // "aschamp": difference of two region numbers, +10 CW / +5 PH
};

// "chmprftable" and so on; kUnknown for any other name.
ComputedTable ComputedTableOfName(std::string_view name);

// Zone tables indexed 1..7 on both sides; 0 outside.
int ZoneTableA(int row, int column);
int ZoneTableB(int row, int column);

// Points of the "rfcup" steps for a distance already rounded to whole kilometres.
int RfCupPoints(long long km);

std::int16_t ComputeScore(ComputedTable table, std::string_view call, std::string_view rx,
                          Mode mode, ScoreContext& ctx);

// Whole-degree coordinates as the RAEM exchange carries them: "57N85O" (O = east, W = west).
struct RaemCoords {
  int lat = 0;
  char latLetter = 'N';  // 'N' or 'S'
  int lon = 0;
  char lonLetter = 'O';  // 'O' or 'W'
};
std::optional<RaemCoords> ParseRaemCoords(std::string_view text);
// Distance points between two stations: degree differences plus 100 for the other station
// above 67 degrees of latitude.
int RaemDistancePoints(const RaemCoords& own, const RaemCoords& his);

}  // namespace vk
