#include "score/multi_rule.h"

#include <array>

#include "log/journal.h"
#include "score/score_rule.h"
#include "score/text_util.h"
#include "util/strings.h"

namespace vk {

namespace {

struct KindName {
  std::string_view name;
  MultiKind kind;
  std::string_view caption;  // empty: the element's argument is the caption
};
constexpr std::array<KindName, 14> kKinds{{
    {"newcall", MultiKind::kNewCall, "New Call"}, {"zonecq", MultiKind::kZoneCq, "Zone CQ"},
    {"zoneitu", MultiKind::kZoneItu, "Zone ITU"}, {"zonerf", MultiKind::kZoneRf, "Zone RF"},
    {"rfobl", MultiKind::kRfObl, "Russia"},       {"dxcc", MultiKind::kDxcc, "DXCC"},
    {"rda1", MultiKind::kRda1, "RDA"},            {"rda", MultiKind::kRda, "RDA"},
    {"wpx", MultiKind::kWpx, "Prefix"},           {"rxnr1", MultiKind::kRxNr1, ""},
    {"rxnr3", MultiKind::kRxNr3, ""},             {"rxnr", MultiKind::kRxNr, ""},
    {"domestic", MultiKind::kDomestic, ""},       {"field", MultiKind::kField, ""},
}};

constexpr std::size_t kCaptionWidth = 16;

// "k/ve/vk": the items of a condition's list, blanks dropped.
std::vector<std::string_view> SplitSlashList(std::string_view list) {
  std::vector<std::string_view> out;
  while (!list.empty()) {
    const auto slash = list.find('/');
    const auto item = score_text::TrimBlank(list.substr(0, slash));
    if (!item.empty()) out.push_back(item);
    if (slash == std::string_view::npos) break;
    list.remove_prefix(slash + 1);
  }
  return out;
}

bool Listed(const std::vector<std::string>& list, std::string_view key) {
  for (const auto& item : list) {
    if (score_text::EqualNoCase(item, key)) return true;
  }
  return false;
}

// A weight is one byte; text that is not a number reads as -1, kept as 255.
std::uint8_t WeightOf(std::string_view text) {
  long long n = 0;
  if (!TryStrToInt(score_text::TrimBlank(text), n)) n = -1;
  return static_cast<std::uint8_t>(n & 0xFF);
}

}  // namespace

MultiRule::MultiRule(NodeKind nodeKind, MultiKind kind) : RuleNode(nodeKind), kind_(kind) {}

std::unique_ptr<MultiRule> MultiRule::Make(int nodeKind, std::string_view value,
                                           std::string_view argument, Journal* journal) {
  if (nodeKind != 5 && nodeKind != 6) return nullptr;
  JournalAppend(journal, std::string("MULTI: key:") + (nodeKind == 5 ? "multi" : "bonus") +
                             " Value:" + std::string(value));
  value = score_text::TrimBlank(value);
  auto colon = value.find(':');
  if (colon == std::string_view::npos) return nullptr;
  std::string_view kindText = value.substr(0, colon);
  std::string_view field;
  if (auto dot = kindText.find('.'); dot != std::string_view::npos) {
    field = kindText.substr(dot + 1);
    kindText = kindText.substr(0, dot);
  }
  const KindName* found = nullptr;
  for (const auto& k : kKinds) {
    if (k.name == kindText) found = &k;
  }
  if (found == nullptr) return nullptr;
  // Only these two read a named field, and the field kind reads nothing else.
  const bool takesField = found->kind == MultiKind::kDomestic || found->kind == MultiKind::kField;
  if ((!field.empty() && !takesField) || (field.empty() && found->kind == MultiKind::kField))
    return nullptr;

  auto rule = std::make_unique<MultiRule>(static_cast<NodeKind>(nodeKind), found->kind);
  auto rest = value.substr(colon + 1);
  auto second = rest.find(':');
  rule->weight_ = WeightOf(rest.substr(0, second));
  // Conditions are searched in the whole text after the kind, so "dxcc:1 everyband" (a
  // missing colon) still counts on every band.
  // Words with "=" carry values (band weights, lists) and are read apart, so that their band
  // and mode words are not taken for conditions.
  std::string plain;
  for (std::size_t i = 0; i < rest.size();) {
    while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t' || rest[i] == ':')) ++i;
    std::size_t j = i;
    while (j < rest.size() && rest[j] != ' ' && rest[j] != '\t' && rest[j] != ':') ++j;
    const std::string_view word = rest.substr(i, j - i);
    i = j;
    if (word.empty()) continue;
    const auto eq = word.find('=');
    if (eq == std::string_view::npos) {
      plain.append(word).push_back(' ');
      continue;
    }
    const std::string_view name = word.substr(0, eq), list = word.substr(eq + 1);
    if (name == "areas" || name == "except") {
      auto& out = name == "areas" ? rule->areas_ : rule->except_;
      for (std::string_view item : SplitSlashList(list)) out.emplace_back(LowerCase(item));
    } else if (const std::uint8_t b = FindBandToken(name); b != 0 && b < 10) {
      rule->bandWeights_[b] = WeightOf(list);
    }
  }
  const std::string_view conditions = plain;
  rule->foreign_ = HasWord(conditions, "foreign");
  rule->initial_ = HasWord(conditions, "initial");
  rule->letters_ = HasWord(conditions, "letters");
  rule->band_ = FindBandToken(conditions);
  if (rule->band_ == 0 && conditions.find("everyband") != std::string_view::npos)
    rule->band_ = kEveryCondition;
  rule->mode_ = ModeNumber(FindModeToken(conditions));
  if (rule->mode_ == 0 && conditions.find("everymode") != std::string_view::npos)
    rule->mode_ = kEveryCondition;
  rule->wholeWords_ = conditions.find("wholeword") != std::string_view::npos;
  std::string caption =
      found->caption.empty() ? Win1251ToCp866(argument) : std::string(found->caption);
  if (caption.size() > kCaptionWidth) caption.resize(kCaptionWidth);
  rule->caption_ = std::move(caption);
  rule->field_ = std::string(field);

  for (std::uint8_t b = 1; b <= 9; ++b) {
    for (Mode m : {Mode::kCw, Mode::kPhone, Mode::kFm, Mode::kRtty}) {
      auto slot = rule->SlotOf(b, m);
      if (slot != 0 && !rule->slots_[slot]) rule->slots_[slot] = std::make_unique<KeyList>();
    }
  }
  return rule;
}

void MultiRule::ClearKeys() {
  for (auto& slot : slots_) {
    if (slot) slot->Clear();
  }
}

bool MultiRule::Outside(std::uint8_t band, Mode mode) const {
  bool bandMiss = band_ != 0 && band_ != kEveryCondition && band_ != band;
  bool modeMiss = mode_ != 0 && mode_ != kEveryCondition && mode_ != ModeNumber(mode);
  return bandMiss && modeMiss;
}

std::uint8_t MultiRule::SlotOf(std::uint8_t band, Mode mode) const {
  unsigned b = band_ == 0 ? 1u : band_ == kEveryCondition ? band : band_;
  unsigned m = mode_ == 0 ? 0u : mode_ == kEveryCondition ? ModeNumber(mode) : mode_;
  return static_cast<std::uint8_t>(m * 32u + b % 32u);
}

const KeyList* MultiRule::Keys(std::uint8_t band, Mode mode) const {
  return slots_[SlotOf(band, mode)].get();
}

KeyList* MultiRule::MutableKeys(std::uint8_t band, Mode mode) {
  return slots_[SlotOf(band, mode)].get();
}

bool MultiRule::IsNewKey(std::string_view key, std::uint8_t band, Mode mode) const {
  if (Outside(band, mode)) return false;
  const KeyList* keys = Keys(band, mode);
  return keys != nullptr && !keys->Contains(key);
}

bool MultiRule::IsNewDomestic(std::string_view key, std::uint8_t band, Mode mode,
                              const ScoreContext& ctx) const {
  if (JournalTracing(ctx.journal())) {
    JournalTrace(ctx.journal(), std::string("FindDom Source->") + std::string(key));
  }
  const std::string* entry = EntryOf(key, ctx);
  if (entry == nullptr || Outside(band, mode)) return false;
  const KeyList* keys = Keys(band, mode);
  if (keys == nullptr) return false;
  // Found as a whole word, the entry itself is the multiplier; found anywhere inside the
  // text, any recorded entry inside it makes the text known.
  return wholeWords_ ? !keys->Contains(*entry) : !keys->AnyInside(key);
}

const std::string* MultiRule::EntryOf(std::string_view key, const ScoreContext& ctx) const {
  return wholeWords_ ? ctx.FindDomesticWord(key) : FindDomestic(key, ctx);
}

const std::string* MultiRule::FindDomestic(std::string_view key, const ScoreContext& ctx) {
  return ctx.FindDomestic(key);
}

bool MultiRule::FieldKey(std::string_view rx, const ScoreContext& ctx, std::string& out) const {
  const int index = ctx.Exchange().IndexOf(field_);
  if (index < 0) return false;
  ExchangeReading r = ReadExchange(ctx.Exchange(), rx, &ctx);
  out = std::move(r.values[static_cast<std::size_t>(index)]);
  if (out.empty()) return false;
  // A zone is a number: "05" and "5" are one zone.
  if (ctx.Exchange().fields[static_cast<std::size_t>(index)].kind == FieldKind::kZone) {
    long long zone = 0;
    if (TryStrToInt(out, zone)) out = IntToStr(zone);
  }
  if (kind_ != MultiKind::kDomestic) return true;
  const std::string* entry = ctx.FindDomesticWord(out);
  if (entry == nullptr || *entry != out) return false;
  return true;
}

std::uint8_t MultiRule::IsNew(std::string_view call, std::string_view rx, std::uint8_t band,
                              Mode mode, ScoreContext& ctx) const {
  if (!field_.empty()) {
    std::string field, scratch;
    if (!FieldKey(rx, ctx, field) || Outside(band, mode)) return 0;
    std::string_view key = field;
    if (!Refine(call, ctx, scratch, key)) return 0;
    const KeyList* keys = Keys(band, mode);
    return keys != nullptr && !keys->Contains(key) ? WeightOn(band) : 0;
  }
  std::string scratch;
  std::string_view key;
  if (!KeyOfQso(call, rx, ctx, scratch, key)) return 0;
  bool isNew = kind_ == MultiKind::kDomestic ? IsNewDomestic(key, band, mode, ctx)
                                             : IsNewKey(key, band, mode);
  return isNew ? WeightOn(band) : 0;
}

bool MultiRule::KeyOfQso(std::string_view call, std::string_view rx, ScoreContext& ctx,
                         std::string& scratch, std::string_view& key) const {
  if (!MultiKeyOf(kind_, call, rx, ctx, scratch, key)) return false;
  return Refine(call, ctx, scratch, key);
}

bool MultiRule::Refine(std::string_view call, ScoreContext& ctx, std::string& scratch,
                       std::string_view& key) const {
  if (foreign_ && kind_ == MultiKind::kDxcc && score_text::EqualNoCase(key, ctx.CountryKey(ctx.Own())))
    return false;
  if (!except_.empty() && Listed(except_, key)) return false;
  if (!areas_.empty() && kind_ == MultiKind::kDxcc && Listed(areas_, key)) {
    // The call area is the digit of the prefix the station works under (K3ABC/1 is in area
    // 1, VE3ABC/VO1 in area 1); a prefix without a digit is area 0.
    const std::string prefix = WpxPrefix(call);
    const char digit = !prefix.empty() && score_text::IsDigit(prefix.back()) ? prefix.back() : '0';
    std::string area(key);
    area.push_back(digit);
    scratch = std::move(area);
    key = scratch;
  }
  if (letters_) {
    for (char c : key) {
      if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    }
  }
  if (initial_) {
    const char c = key.empty() ? '\0' : key.front();
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    key = key.substr(0, 1);
  }
  return !key.empty();
}

void MultiRule::Add(std::string_view call, std::string_view rx, std::uint8_t band, Mode mode,
                    ScoreContext& ctx) {
  KeyList* keys = MutableKeys(band, mode);
  if (keys == nullptr) return;
  if (!field_.empty()) {
    std::string field, scratch;
    if (!FieldKey(rx, ctx, field)) return;
    std::string_view key = field;
    if (Refine(call, ctx, scratch, key)) keys->Insert(key);
    return;
  }
  std::string scratch;
  std::string_view key;
  if (!KeyOfQso(call, rx, ctx, scratch, key)) return;
  if (kind_ == MultiKind::kDomestic) {
    const std::string* entry = EntryOf(key, ctx);
    if (entry == nullptr) return;
    keys->Insert(*entry);
    JournalAppend(ctx.journal(), "ADD MULTI:" + *entry);
    return;
  }
  keys->Insert(key);
}

}  // namespace vk
