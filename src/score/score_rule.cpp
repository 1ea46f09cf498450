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
constexpr std::array<VariantName, 10> kVariants{{
    {"score", ScoreVariant::kPlain},
    {"scoredxcc", ScoreVariant::kDxcc},
    {"scorecountry", ScoreVariant::kCountry},
    {"scoremycont", ScoreVariant::kMyCont},
    {"scoreancont", ScoreVariant::kAnCont},
    {"scoreitu", ScoreVariant::kItu},
    {"scoreanyitu", ScoreVariant::kAnyItu},
    {"scoreiota", ScoreVariant::kIota},
    {"scoreraem", ScoreVariant::kRaem},
    {"scoremm", ScoreVariant::kMobile},
}};

// Points are a signed 16-bit field; anything that does not fit is as unreadable as text.
std::int16_t PointsOf(std::string_view text) {
  long long n = 0;
  if (!TryStrToInt(TrimBlank(text), n) || n < -32768 || n > 32767) return -1;
  return static_cast<std::int16_t>(n);
}

// Zone text of the ITU rules: up to 6 characters after the field separator (the first "/",
// or the first space of an exchange stored with spaces), or the whole exchange without one.
std::string_view ZoneText(std::string_view rx) {
  auto p = score_text::FieldSeparator(rx);
  return p == std::string_view::npos ? rx : rx.substr(p + 1, 6);
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

long long OwnItuZone(const ScoreContext& ctx) {
  long long zone = 0;
  if (TryStrToInt(TrimBlank(ctx.OwnExchange()), zone) && zone >= 1 && zone <= 90) return zone;
  if (TryStrToInt(ctx.Own().ituZone, zone) && zone >= 1 && zone <= 90) return zone;
  return 0;
}

Mode FindModeToken(std::string_view text) {
  struct Token {
    std::string_view text;
    Mode mode;
  };
  static constexpr std::array<Token, 3> kTokens{
      {{"cw", Mode::kCw}, {"ph", Mode::kPhone}, {"fm", Mode::kFm}}};
  for (const Token& t : kTokens) {
    if (text.find(t.text) != std::string_view::npos) return t.mode;
  }
  // RTTY only as a word of its own: "ry" is inside "everyband" and "everymode".
  return HasWord(text, "ry") ? Mode::kRtty : Mode::kUnknown;
}

bool HasWord(std::string_view text, std::string_view word) {
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  for (auto p = text.find(word); p != std::string_view::npos; p = text.find(word, p + 1)) {
    const bool before = p == 0 || !letter(text[p - 1]);
    const bool after = p + word.size() >= text.size() || !letter(text[p + word.size()]);
    if (before && after) return true;
  }
  return false;
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
    if (computed_ == ComputedTable::kGridStep) points_ = PointsOf(TrimBlank(value).substr(7));
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
  final_ = conditions.find("final") != std::string_view::npos;
  mobileByZone_ = conditions.find("mmzone") != std::string_view::npos;
}

bool ScoreRule::BaseApplies(std::uint8_t band, Mode mode) const {
  return (band_ == 0 || band_ == band) && (mode_ == Mode::kUnknown || mode_ == mode);
}

// The continent a continent rule compares: the country file's, or for a maritime mobile under
// "mmzone" that of the CQ zone it sends.  Empty when neither is known.
std::string_view ScoreRule::ContinentOf(std::string_view call, std::string_view rx,
                                        ScoreContext& ctx) const {
  if (!IsMaritimeMobile(call)) {
    const CountryInfo& his = ctx.WorldInfo(call);
    return his.Found() ? std::string_view(his.continent) : std::string_view{};
  }
  if (!mobileByZone_) return {};
  const auto sep = score_text::FieldSeparator(rx);
  long long zone = 0;
  if (sep == std::string_view::npos || !TryStrToInt(rx.substr(sep + 1), zone)) return {};
  return CqZoneContinent(static_cast<int>(zone));
}

bool ScoreRule::Pays(std::string_view call, std::string_view rx, ScoreContext& ctx) const {
  switch (variant_) {
    case ScoreVariant::kPlain:
    case ScoreVariant::kRaem:
      return true;
    case ScoreVariant::kMobile:
      return IsMaritimeMobile(call);
    case ScoreVariant::kDxcc: {
      const CountryInfo& his = ctx.WorldInfo(call);
      if (!his.Found()) return false;
      for (const auto& p : prefixes_) {
        if (EqualNoCase(p, ctx.CountryKey(his))) return true;
      }
      return false;
    }
    case ScoreVariant::kCountry: {
      const CountryInfo& his = ctx.WorldInfo(call);
      return his.Found() && EqualNoCase(ctx.CountryKey(his), ctx.CountryKey(ctx.Own()));
    }
    case ScoreVariant::kMyCont:
    case ScoreVariant::kAnCont: {
      const std::string_view his = ContinentOf(call, rx, ctx);
      if (his.empty()) return false;
      return EqualNoCase(his, ctx.Own().continent) == (variant_ == ScoreVariant::kMyCont);
    }
    case ScoreVariant::kItu:
    case ScoreVariant::kAnyItu: {
      long long zone = 0;
      if (!TryStrToInt(ZoneText(rx), zone)) return true;  // a society or an official
      // Zones compare as numbers ("05" is zone 5); an unknown own zone matches nothing.
      const long long own = OwnItuZone(ctx);
      bool same = own != 0 && zone == own;
      return variant_ == ScoreVariant::kItu ? same : !same;
    }
    case ScoreVariant::kIota: {
      // The reference may follow the report alone or the report and a serial; a serial or
      // any other word is no island, so every word is tested for the form of a reference.
      std::size_t start = 0;
      for (std::size_t i = 0; i <= rx.size(); ++i) {
        if (i < rx.size() && rx[i] != '/' && rx[i] != ' ') continue;
        if (IsIotaReference(rx.substr(start, i - start))) return true;
        start = i + 1;
      }
      return false;
    }
  }
  return false;
}

std::int16_t ScoreRule::Score(std::string_view call, std::uint8_t band, std::string_view rx,
                              Mode mode, ScoreContext& ctx) const {
  bool decided = false;
  return Score(call, band, rx, mode, ctx, decided);
}

std::int16_t ScoreRule::Score(std::string_view call, std::uint8_t band, std::string_view rx,
                              Mode mode, ScoreContext& ctx, bool& decided) const {
  decided = false;
  std::int16_t points = 0;
  if (computed_ != ComputedTable::kNone) {
    if (!Pays(call, rx, ctx)) return 0;
    points = computed_ == ComputedTable::kGridStep
                 ? static_cast<std::int16_t>(GridStepPoints(rx, ctx, points_))
                 : ComputeScore(computed_, call, rx, mode, ctx);
  } else {
    // A RAEM rule outside its band or mode gives nothing, not the distance alone: the walk
    // stops at the first non-zero rule, so distance paid everywhere would hide later rules.
    if (!BaseApplies(band, mode) || !Pays(call, rx, ctx)) return 0;
    points = variant_ == ScoreVariant::kRaem ? RaemScore(call, rx, ctx) : points_;
  }
  decided = points != 0 || final_;
  return points;
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

bool IsIotaReference(std::string_view word) {
  static constexpr std::array<std::string_view, 7> kGroups{"AF", "AN", "AS", "EU",
                                                          "NA", "OC", "SA"};
  if (word.size() != 5 && word.size() != 6) return false;
  bool group = false;
  for (std::string_view g : kGroups) group = group || EqualNoCase(word.substr(0, 2), g);
  if (!group) return false;
  auto number = word.substr(2);
  if (number.size() == 4) {
    if (number.front() != '-') return false;
    number.remove_prefix(1);
  }
  if (number.size() != 3) return false;
  for (char c : number) {
    if (!score_text::IsDigit(c)) return false;
  }
  return number != "000";
}

std::string_view CqZoneContinent(int zone) {
  if (zone < 1 || zone > 40) return {};
  if (zone <= 8) return "NA";
  if (zone <= 13) return "SA";
  if (zone <= 16) return "EU";
  if (zone <= 26) return "AS";
  if (zone <= 32) return "OC";
  if (zone <= 39) return "AF";
  return "EU";
}

}  // namespace vk
