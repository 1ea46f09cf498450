#include "rules/rule_nodes.h"

#include <array>
#include <utility>

namespace vk {

SelectorRule::SelectorRule(SelectorKind kind, std::string_view list)
    : RuleNode(NodeKind::kSelector), kind_(kind), list_(list), any_(list == "*") {
  if (kind_ == SelectorKind::kMember || any_) return;
  std::size_t start = 0;
  for (;;) {
    auto comma = list_.find(',', start);
    items_.push_back(list_.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

bool SelectorRule::Matches(const CountryInfo& station, bool& otherwise) const {
  if (kind_ == SelectorKind::kMember) return true;
  if (any_) return !otherwise;
  const bool byCountry = kind_ == SelectorKind::kCountry || kind_ == SelectorKind::kHisCountry;
  const std::string& field = byCountry ? station.primaryPrefix : station.continent;
  for (const auto& item : items_) {
    if (item == field) {
      otherwise = true;
      return true;
    }
  }
  return false;
}

bool TxItemRule::KindOfValue(std::string_view value, TxItemKind& kind) {
  static constexpr std::array<std::pair<std::string_view, TxItemKind>, 10> kNames{{
      {"rst", TxItemKind::kRst},
      {"qsonr", TxItemKind::kQsoNr},
      {"constnr", TxItemKind::kConstNr},
      {"zonecq", TxItemKind::kZoneCq},
      {"zoneitu", TxItemKind::kZoneItu},
      {"zonerf", TxItemKind::kZoneRf},
      {"continent", TxItemKind::kContinent},
      {"rfobl", TxItemKind::kRfObl},
      {"changenrl", TxItemKind::kChangeNrL},
      {"changenrr", TxItemKind::kChangeNrR},
  }};
  for (const auto& [name, k] : kNames) {
    if (name == value) {
      kind = k;
      return true;
    }
  }
  return false;
}

}  // namespace vk
