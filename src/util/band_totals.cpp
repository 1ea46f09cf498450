#include "util/band_totals.h"

#include <algorithm>
#include <limits>

namespace vk {
namespace {

// Counters saturate: a wrapped total would show a small, plausible and wrong score.
template <typename T>
void AddSaturating(T& total, std::uint64_t add) {
  std::uint64_t sum = std::uint64_t{total} + add;
  total = static_cast<T>(std::min<std::uint64_t>(sum, std::numeric_limits<T>::max()));
}

std::uint32_t Clamp32(std::uint64_t v) {
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(v, std::numeric_limits<std::uint32_t>::max()));
}

}  // namespace

void BandTotals::SetFormula(std::uint8_t selector) {
  formula_ = selector;
  Recompute();
}

void BandTotals::Add(BandIndex band, std::uint16_t points, std::uint16_t multi,
                     std::uint16_t bonus) {
  BandTally& t = band >= 1 && band <= kBandCount ? rows_[band - 1u] : outside_;
  AddSaturating(t.qsos, 1);
  AddSaturating(t.points, points);
  AddSaturating(t.multi, multi);
  AddSaturating(t.bonus, bonus);
  Recompute();
}

std::uint32_t BandTotals::Sum(BandQuantity q) const {
  std::uint64_t total = 0;
  for (const BandTally& t : rows_) {
    switch (q) {
      case BandQuantity::kQsos: total += t.qsos; break;
      case BandQuantity::kPoints: total += t.points; break;
      case BandQuantity::kMulti: total += t.multi; break;
      case BandQuantity::kBonus: total += t.bonus; break;
    }
  }
  return Clamp32(total);
}

const BandTally& BandTotals::Row(BandIndex band) const {
  return band >= 1 && band <= kBandCount ? rows_[band - 1u] : outside_;
}

void BandTotals::Clear() {
  rows_ = {};
  outside_ = {};
  Recompute();
}

void BandTotals::Recompute() {
  std::uint64_t points = Sum(BandQuantity::kPoints);
  std::uint64_t multi = Sum(BandQuantity::kMulti);
  std::uint64_t bonus = Sum(BandQuantity::kBonus);
  std::uint64_t total = 0;
  switch (static_cast<ScoreFormula>(formula_)) {
    case ScoreFormula::kAddBonus: total = points + bonus; break;
    case ScoreFormula::kAddMultiAddBonus: total = points + multi + bonus; break;
    case ScoreFormula::kMulMulti: total = points * multi; break;
    // Clamping the factor first keeps the product inside 64 bits; a clamped factor still
    // gives a product at or above the 32-bit ceiling, so the result is the same.
    case ScoreFormula::kMulMultiAddBonus: total = points * Clamp32(multi + bonus); break;
    default: total = 0; break;
  }
  claimed_ = Clamp32(total);
}

}  // namespace vk
