#include "app/qso_hint.h"

#include <array>

#include "score/multi_rule.h"
#include "util/bands.h"
#include "util/strings.h"

namespace vk {

std::string NewMultiplierKeys(TTreeRules& rules, std::string_view call, std::string_view rx,
                              std::uint8_t band, Mode mode) {
  std::string out;
  for (const auto& node : rules.Nodes()) {
    if (node->Kind() != NodeKind::kMulti && node->Kind() != NodeKind::kBonus) continue;
    const auto& rule = static_cast<const MultiRule&>(*node);
    if (rule.IsNew(call, rx, band, mode, rules.Context()) == 0) continue;
    std::string scratch;
    std::string_view key;
    if (!MultiKeyOf(rule.Kind(), call, rx, rules.Context(), scratch, key)) continue;
    const bool zone = rule.Kind() == MultiKind::kZoneCq || rule.Kind() == MultiKind::kZoneItu ||
                      rule.Kind() == MultiKind::kZoneRf;
    if (!out.empty()) out += ", ";
    out += (zone ? "zone " : "") + std::string(key);
  }
  return out;
}

std::string WorkedBands(const TLogCollection& log, std::string_view call) {
  std::array<bool, kBandCount + 1> worked{};
  for (const QsoRecord& q : log) {
    if (q.Call == call) worked[BandOfFreq(q.Freq)] = true;
  }
  std::string out;
  for (int b = 1; b <= kBandCount; ++b) {
    if (!worked[b]) continue;
    if (!out.empty()) out += ' ';
    out += Trim(BandScreenName(static_cast<BandIndex>(b)));
  }
  return out;
}

}  // namespace vk
