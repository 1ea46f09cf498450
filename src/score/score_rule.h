// Score rules: the nodes that give a QSO its points.  Each is built from one element of the
// score family of the rules file, from its lower-cased text:
//   "3"            3 points on every band and mode
//   "2:20m cw"     2 points on 20 m in CW only (one band and one mode token, anywhere after ":")
//   "@@rfcup"      points computed from the exchange (see computed_score.h)
//   "10##ua,ua2"   (scoredxcc only) 10 points for the listed primary prefixes
//   "0:final"      a final rule: when it pays, its points decide even if they are 0
// The walk of the rule tree takes the first rule that gives a non-zero result, or the first
// final rule that pays (so own-country QSOs can be worth nothing without falling through to
// the continent rules after them).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "score/computed_score.h"
#include "score/rule_node.h"
#include "score/score_context.h"
#include "util/bands.h"

namespace vk {

// Which station the rule pays for, by its element name.
enum class ScoreVariant : std::uint8_t {
  kPlain,    // score: every station
  kDxcc,     // scoredxcc: listed primary prefixes
  kCountry,  // scorecountry: own country
  kMyCont,   // scoremycont: own continent
  kAnCont,   // scoreancont: another continent
  kItu,      // scoreitu: received zone equal to the own exchange (or not a number)
  kAnyItu,   // scoreanyitu: received zone different from the own exchange (or not a number)
  kIota,     // scoreiota: an island reference in the third field
  kRaem,     // scoreraem: base points plus distance points by coordinates
  kMobile,   // scoremm: a maritime or aeronautical mobile (/MM, /AM), which has no country
};

class ScoreRule final : public RuleNode {
 public:
  // nullptr when `keyword` is not one of the score family.
  static std::unique_ptr<ScoreRule> Make(std::string_view keyword, std::string_view value);
  static bool IsScoreKeyword(std::string_view keyword);

  // Points of a QSO.  `band` 1..9 (0 outside every band), `mode` as the QSO stores it,
  // `rx` the received exchange as typed (upper case).
  std::int16_t Score(std::string_view call, std::uint8_t band, std::string_view rx, Mode mode,
                     ScoreContext& ctx) const;
  // As Score; `decided` tells whether the result ends the search for points: any non-zero
  // result does, and so does a final rule that pays.
  std::int16_t Score(std::string_view call, std::uint8_t band, std::string_view rx, Mode mode,
                     ScoreContext& ctx, bool& decided) const;

  ScoreVariant Variant() const { return variant_; }
  ComputedTable Computed() const { return computed_; }
  std::int16_t Points() const { return points_; }
  std::uint8_t BandCondition() const { return band_; }  // 0 any, 1..9
  Mode ModeCondition() const { return mode_; }          // unknown: any mode
  bool Final() const { return final_; }
  // "mmzone" among the conditions of a continent rule: a maritime mobile station, which has no
  // country, is on the continent of the CQ zone it sends.
  bool MobileByZone() const { return mobileByZone_; }
  const std::vector<std::string>& Prefixes() const { return prefixes_; }

  explicit ScoreRule(ScoreVariant variant) : RuleNode(NodeKind::kScore), variant_(variant) {}

 private:
  void ParseValue(std::string_view value);
  bool Pays(std::string_view call, std::string_view rx, ScoreContext& ctx) const;
  std::string_view ContinentOf(std::string_view call, std::string_view rx,
                               ScoreContext& ctx) const;
  bool BaseApplies(std::uint8_t band, Mode mode) const;
  std::int16_t RaemScore(std::string_view call, std::string_view rx,
                         const ScoreContext& ctx) const;

  ScoreVariant variant_;
  ComputedTable computed_ = ComputedTable::kNone;
  std::int16_t points_ = 0;
  std::uint8_t band_ = 0;
  Mode mode_ = Mode::kUnknown;
  bool final_ = false;                 // "final" among the conditions
  bool mobileByZone_ = false;          // "mmzone" among the conditions
  std::vector<std::string> prefixes_;  // scoredxcc: lower case, trimmed
};

// The continent of a CQ zone (1..40), "" for any other number.  Zone 20 (Turkey, the Levant,
// Greece) counts as Asia, zone 40 (the far North Atlantic) as Europe.
std::string_view CqZoneContinent(int zone);

// An island reference of the IOTA programme: a continent group and three digits, with or
// without the hyphen (EU-005, oc001); 000 is no island.
bool IsIotaReference(std::string_view word);

// Band and mode tokens shared by score and multiplier conditions.  0 (an unknown mode) when no
// token is found.
std::uint8_t FindBandToken(std::string_view text);  // "160m".."10m", "144", "430", "1300"
Mode FindModeToken(std::string_view text);          // "cw", "ph", "fm", "ry" (a word)
// Whether `word` stands in `text` with no letter right before or after it.
bool HasWord(std::string_view text, std::string_view word);

// The own ITU zone for the zone rules: the own exchange when it reads as a zone number,
// otherwise the ITU zone of the own station's country; 0 when neither gives one.
long long OwnItuZone(const ScoreContext& ctx);

}  // namespace vk
