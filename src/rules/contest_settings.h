// Contest-wide settings that the rules file fills besides the rule tree: what the entry window
// allows and shows, how the repeat check works, how the total is formed, and the side lists
// for the Ermak report.  Texts are CP866.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "score/repeat.h"
#include "util/bands.h"

namespace vk {

inline constexpr std::size_t kContestCaptionWidth = 20;
inline constexpr std::size_t kRxMaskWidth = 40;
inline constexpr std::size_t kCabrilloNameWidth = 40;

// How the exchange to send is formed.
enum class TxProcedure : std::uint8_t {
  kItems,         // walk the sent-exchange items of the tree
  kChampionship,  // "champ-r0l": own exchange + serial; others by their last exchange
};

// How a typed received exchange is normalised before it is stored.
enum class RxCorrection : std::uint8_t {
  kSlashes,       // every "/" becomes a space
  kChampionship,  // only the first "/" becomes a space
  kInsertSpace,   // a space before the 4th character ("599015" -> "599 015")
  kSplit,         // a space before the last N characters (rxcorrect ":N")
};

// Total-score formulas of the band totals (scoretotal).
enum ScoreTotal : std::uint8_t {
  kTotalPlain = 0,
  kTotalAddBonus = 1,          // "scoreaddbonus"
  kTotalAddMultiAddBonus = 2,  // "scoreaddmultiaddbonus"
  kTotalMulMulti = 3,          // "scoremulmulti"
  kTotalMulMultiAddBonus = 4,  // "scrmulmltaddbns"
};

struct ContestSettings {
  std::string caption;                // caption of the exchange field, at most 20
  std::array<bool, 10> bands{};       // allowed bands by band index 1..9 ([0] unused)
  std::array<bool, 5> modes{};        // allowed modes by number: CW, PH, FM, RTTY ([0] unused)
  bool modeChoice = false;            // the mode text offered a choice ("cw/ph")
  std::uint8_t rxUpdate = 0;          // 1: prefill the received exchange from the log
  std::int32_t timeZone = 0;          // hours added to the computer's clock (file value negated)
  std::string rxMask;                 // picture of the received-exchange field, at most 40
  std::string cabrilloName;           // CONTEST: line of the Cabrillo report, at most 40
  std::uint8_t scoreTotal = kTotalPlain;
  std::string lastSelectorList;       // argument of the latest country/continent element
  std::uint8_t txItemCount = 0;       // txnr elements of the current load
  RepeatSettings repeat;              // repqso and the time periods

  bool Allows(Mode m) const { return ModeNumber(m) < modes.size() && modes[ModeNumber(m)]; }
};

// One condition of an Ermak report group: OPERATOR, BAND, MODE, POWER, OVERLAY or STATION
// with its upper-cased text.
struct ErmakCondition {
  std::string name;
  std::string value;
  friend bool operator==(const ErmakCondition&, const ErmakCondition&) = default;
};

struct ErmakGroup {
  std::string name;  // CP866
  std::vector<ErmakCondition> conditions;
};

}  // namespace vk
