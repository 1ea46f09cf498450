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
  kGridStep,      // "grid:N": 1 point plus 1 for every N km between two locators' squares
};

// "chmprftable" and so on; kUnknown for any other name.
ComputedTable ComputedTableOfName(std::string_view name);

// Points of "grid:N" (the Stew Perry rule for N = 500): 1 point, and one more for every full
// `stepKm` between the centres of the own locator's square (the own exchange) and the worked
// station's (the first word of the exchange that is a locator).  1 when either is unknown.
int GridStepPoints(std::string_view rx, const ScoreContext& ctx, int stepKm);
// Centre of the four-character square of a locator ("EN61", "KO85TS"); false for no locator.
bool SquareCentre(std::string_view locator, Position& out);

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
