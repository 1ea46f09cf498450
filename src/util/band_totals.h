// Per-band QSO counts and sums of points, multipliers and bonus, and the claimed score that
// the contest's formula makes of them.  The program owns one of these; the log loader and the
// QSO dialogs add to it, the score window reads it.
#pragma once

#include <array>
#include <cstdint>

#include "util/bands.h"

namespace vk {

// The claimed-score formula, chosen by a rules-file keyword.
enum class ScoreFormula : std::uint8_t {
  kNone = 0,
  kAddBonus = 1,           // scoreaddbonus:          points + bonus
  kAddMultiAddBonus = 2,   // scoreaddmultiaddbonus:  points + multipliers + bonus
  kMulMulti = 3,           // scoremulmulti:          points x multipliers
  kMulMultiAddBonus = 4,   // scrmulmltaddbns:        points x (multipliers + bonus)
};

enum class BandQuantity { kQsos, kPoints, kMulti, kBonus };

struct BandTally {
  std::uint16_t qsos = 0;
  std::uint32_t points = 0, multi = 0, bonus = 0;
};

class BandTotals {
 public:
  // Any selector other than 1-4 gives a claimed total of 0.  Recomputes the claimed total.
  void SetFormula(std::uint8_t selector);
  std::uint8_t Formula() const { return formula_; }

  // Bands 1-9 get a row.  A QSO outside them (band 0, e.g. every 30 m QSO, or a bad index
  // above 9) has no row and takes no part in the claimed total, but it is counted in
  // Outside() so that no QSO disappears from the totals without trace.
  void Add(BandIndex band, std::uint16_t points, std::uint16_t multi, std::uint16_t bonus);

  // Saturates at the largest 32-bit value instead of wrapping.
  std::uint32_t Claimed() const { return claimed_; }
  // Over bands 1-9 only, like the claimed total.
  std::uint32_t Sum(BandQuantity q) const;
  // band 1-9; any other index gives Outside().
  const BandTally& Row(BandIndex band) const;
  const BandTally& Outside() const { return outside_; }

  // Empties every row and the outside tally; the formula stays.
  void Clear();

 private:
  void Recompute();

  std::array<BandTally, kBandCount> rows_{};  // rows_[0] is band 1
  BandTally outside_;
  std::uint32_t claimed_ = 0;
  std::uint8_t formula_ = 0;
};

}  // namespace vk
