#include "score/score_rule.h"

#include <array>
#include <utility>

#include "score/text_util.h"
#include "util/strings.h"

namespace vk {

using score_text::EqualNoCase;
using score_text::TrimBlank;

namespace {

struct VariantName {
  std::string_view keyword;
  ScoreVariant variant;
};
constexpr std::array<VariantName, 9> kVariants{{
    {"score", ScoreVariant::kPlain},        {"scoredxcc", ScoreVariant::kDxcc},
    {"scorecountry", ScoreVariant::kCountry}, {"scoremycont", ScoreVariant::kMyCont},
    {"scoreancont", ScoreVariant::kAnCont}, {"scoreitu", ScoreVariant::kItu},
    {"scoreanyitu", ScoreVariant::kAnyItu}, {"scoreiota", ScoreVariant::kIota},
    {"scoreraem", ScoreVariant::kRaem},
}};

// Points are a signed 16-bit field; anything that does not fit is as unreadable as text.
std::int16_t PointsOf(std::string_view text) {
  long long n = 0;
  if (!TryStrToInt(TrimBlank(text), n) || n < -32768 || n > 32767) return -1;
  return static_cast<std::int16_t>(n);
}

// Zone text of the ITU rules: the exchange, or up to 6 characters after its first separator.
std::string_view ZoneText(std::string_view rx) {
  auto p = score_text::FieldSeparator(rx);
  return p == std::string_view::npos ? rx : rx.substr(p + 1, 6);
}

bool IsNumber(std::string_view s) {
  long long n = 0;
  return TryStrToInt(s, n);
}

}  // namespace

std::uint8_t FindBandToken(std::string_view text) {
  static constexpr std::array<std::string_view, 9> kTokens{"160m", "80m", "40m", "20m", "15m",
                                                          "10m",  "144", "430", "1300"};
  for (std::size_t i = 0; i < kTokens.size(); ++i) {
    if (text.find(kTokens[i]) != std::string_view::npos) return static_cast<std::uint8_t>(i + 1);
  }
  return 0;
}

std::uint8_t FindModeToken(std::string_view text) {
  static constexpr std::array<std::string_view, 3> kTokens{"cw", "ph", "fm"};
  for (std::size_t i = 0; i < kTokens.size(); ++i) {
    if (text.find(kTokens[i]) != std::string_view::npos) return static_cast<std::uint8_t>(i + 1);
  }
  return 0;
}

bool ScoreRule::IsScoreKeyword(std::string_view keyword) {
  for (const auto& v : kVariants) {
    if (v.keyword == keyword) return true;
  }
  return false;
}

std::unique_ptr<ScoreRule> ScoreRule::Make(std::string_view keyword, std::string_view value) {
  for (const auto& v : kVariants) {
    if (v.keyword != keyword) continue;
    auto rule = std::make_unique<ScoreRule>(v.variant);
    rule->ParseValue(TrimBlank(value));
    return rule;
  }
  return nullptr;
}

void ScoreRule::ParseValue(std::string_view value) {
  if (variant_ == ScoreVariant::kDxcc) {
    auto hash = value.find("##");
    std::string_view list;
    if (hash != std::string_view::npos) {
      list = value.substr(hash + 2);
      value = TrimBlank(value.substr(0, hash));
    }
    while (!list.empty()) {
      auto comma = list.find(',');
      auto item = TrimBlank(list.substr(0, comma));
      if (!item.empty()) prefixes_.emplace_back(LowerCase(item));
      if (comma == std::string_view::npos) break;
      list.remove_prefix(comma + 1);
    }
  }
  if (value.starts_with("@@")) {
    computed_ = ComputedTableOfName(TrimBlank(value.substr(2)));
    return;  // an unknown table scores 0: points stay 0
  }
  auto colon = value.find(':');
  if (colon == std::string_view::npos) {
    points_ = PointsOf(value);
    return;
  }
  points_ = PointsOf(value.substr(0, colon));
  // Conditions are looked for after the points only, so 144 points are not a 2 m condition.
  auto conditions = value.substr(colon + 1);
  band_ = FindBandToken(conditions);
  mode_ = FindModeToken(conditions);
}

bool ScoreRule::BaseApplies(std::uint8_t band, std::uint8_t mode) const {
  return (band_ == 0 || band_ == band) && (mode_ == 0 || mode_ == mode);
}

bool ScoreRule::Pays(std::string_view call, std::string_view rx, ScoreContext& ctx) const {
  switch (variant_) {
    case ScoreVariant::kPlain:
    case ScoreVariant::kRaem:
      return true;
    case ScoreVariant::kDxcc: {
      const CountryInfo& his = ctx.WorldInfo(call);
      if (!his.Found()) return false;
      for (const auto& p : prefixes_) {
        if (EqualNoCase(p, his.primaryPrefix)) return true;
      }
      return false;
    }
    case ScoreVariant::kCountry: {
      const CountryInfo& his = ctx.WorldInfo(call);
      return his.Found() && EqualNoCase(his.primaryPrefix, ctx.Own().primaryPrefix);
    }
    case ScoreVariant::kMyCont: {
      const CountryInfo& his = ctx.WorldInfo(call);
      return his.Found() && EqualNoCase(his.continent, ctx.Own().continent);
    }
    case ScoreVariant::kAnCont: {
      const CountryInfo& his = ctx.WorldInfo(call);
      return his.Found() && !EqualNoCase(his.continent, ctx.Own().continent);
    }
    case ScoreVariant::kItu:
    case ScoreVariant::kAnyItu: {
      auto zone = ZoneText(rx);
      if (!IsNumber(zone)) return true;  // a society or an official instead of a zone
      bool same = EqualNoCase(zone, ctx.OwnExchange());
      return variant_ == ScoreVariant::kItu ? same : !same;
    }
    case ScoreVariant::kIota: {
      auto rest = rx;
      for (int i = 0; i < 2; ++i) {
        auto p = score_text::FieldSeparator(rest);
        if (p != std::string_view::npos) rest.remove_prefix(p + 1);
      }
      return rest.size() >= 2;
    }
  }
  return false;
}

std::int16_t ScoreRule::Score(std::string_view call, std::uint8_t band, std::string_view rx,
                              std::uint8_t mode, ScoreContext& ctx) const {
  if (computed_ != ComputedTable::kNone) {
    if (!Pays(call, rx, ctx)) return 0;
    return ComputeScore(computed_, call, rx, mode, ctx);
  }
  // A RAEM rule outside its band or mode gives nothing, not the distance alone: the walk
  // stops at the first non-zero rule, so distance paid everywhere would hide later rules.
  if (!BaseApplies(band, mode) || !Pays(call, rx, ctx)) return 0;
  if (variant_ == ScoreVariant::kRaem) return RaemScore(call, rx, ctx);
  return points_;
}

std::int16_t ScoreRule::RaemScore(std::string_view call, std::string_view rx,
                                  const ScoreContext& ctx) const {
  auto slash = score_text::FieldSeparator(rx);
  if (slash == std::string_view::npos) return 0;
  auto his = ParseRaemCoords(rx.substr(slash + 1));
  if (!his) return 0;
  int distance = 300;  // the memorial station itself
  if (!EqualNoCase(call, "RAEM")) {
    auto own = ParseRaemCoords(ctx.OwnExchange());
    if (!own) return 0;
    distance = RaemDistancePoints(*own, *his);
  }
  return static_cast<std::int16_t>(points_ + distance);
}

}  // namespace vk
