#include "app/exchange_check.h"

#include "score/exchange_fields.h"
#include "score/multi_rule.h"
#include "util/strings.h"

namespace vk {

namespace {

bool IsNumber(std::string_view s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The field after the separator ("/", or a space without one), as the multiplier rules read it.
std::string_view LastField(std::string_view rx) {
  std::size_t sep = rx.find('/');
  if (sep == std::string_view::npos) sep = rx.rfind(' ');
  return sep == std::string_view::npos ? rx : rx.substr(sep + 1);
}

bool ReadsExchange(MultiKind k) {
  switch (k) {
    case MultiKind::kZoneCq:
    case MultiKind::kZoneItu:
    case MultiKind::kZoneRf:
    case MultiKind::kRda:
    case MultiKind::kRda1:
    case MultiKind::kRxNr:
    case MultiKind::kRxNr1:
    case MultiKind::kRxNr3:
    case MultiKind::kDomestic:
      return true;
    default:
      return false;
  }
}

// True when the rule finds its key in the exchange.  A domestic rule also takes a serial
// number: stations outside the list send one instead of a region.
bool Fits(const MultiRule& rule, std::string_view call, std::string_view rx, ScoreContext& ctx) {
  std::string scratch;
  std::string_view key;
  if (!MultiKeyOf(rule.Kind(), call, rx, ctx, scratch, key)) return false;
  if (rule.Kind() != MultiKind::kDomestic) return true;
  return IsNumber(key) || MultiRule::FindDomestic(key, ctx) != nullptr;
}

std::string WhatIsWrong(const MultiRule& rule, std::string_view rx) {
  const std::string field(LastField(rx));
  switch (rule.Kind()) {
    case MultiKind::kZoneCq:
      return "CQ zone " + field + " is not 1-40";
    case MultiKind::kZoneItu:
      return "ITU zone " + field + " is not 1-90";
    case MultiKind::kDomestic:
      return "unknown " + (rule.Caption().empty() ? std::string("region") : rule.Caption()) + " " +
             field;
    default:
      return "exchange incomplete: " + std::string(rx);
  }
}

}  // namespace

std::string ExchangeProblem(TTreeRules& rules, std::string_view call, std::string_view rx,
                            std::string_view ownTx) {
  const ExchangeSpec& layout = rules.Context().Exchange();
  if (layout.required) {
    // Every field is part of the QSO: name the ones the typed text lacks.
    const ExchangeReading r = ReadExchange(layout, rx, &rules.Context());
    std::string missing;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
      if (!r.values[i].empty()) continue;
      missing += (missing.empty() ? "" : ", ") + std::string(FieldTitle(layout.fields[i].kind));
    }
    if (!missing.empty()) {
      std::string text = "Exchange lacks " + missing;
      if (!r.unread.empty()) {
        text += " (";
        for (std::size_t i = 0; i < r.unread.size(); ++i) text += (i ? " " : "") + r.unread[i];
        text += " not understood)";
      }
      return text;
    }
  }
  const MultiRule* firstFailing = nullptr;
  bool anyRule = false;
  for (const auto& node : rules.Nodes()) {
    if (node->Kind() != NodeKind::kMulti && node->Kind() != NodeKind::kBonus) continue;
    const auto& rule = static_cast<const MultiRule&>(*node);
    if (!ReadsExchange(rule.Kind())) continue;
    anyRule = true;
    // One rule that takes the exchange is enough: an IARU headquarters sends its society
    // instead of a zone.
    if (Fits(rule, call, rx, rules.Context())) return {};
    // Of several rules the one that reads what was typed explains best: a zone rule for a
    // number, a region or society list for letters.
    const bool zone = rule.Kind() == MultiKind::kZoneCq || rule.Kind() == MultiKind::kZoneItu;
    if (firstFailing == nullptr || zone == IsNumber(LastField(rx))) firstFailing = &rule;
  }
  if (anyRule) return WhatIsWrong(*firstFailing, rx);
  // No multiplier reads the exchange: where the contest sends a serial, one comes back.
  if (IsNumber(LastField(ownTx)) && !IsNumber(LastField(rx))) {
    return "serial " + std::string(LastField(rx)) + " is not a number";
  }
  return {};
}

}  // namespace vk
