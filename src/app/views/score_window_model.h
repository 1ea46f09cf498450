// The score window without a terminal: per allowed band the QSO count and the sums of points,
// multipliers and bonus, and the total line that shows the contest's formula with its terms.
// The texts are made from the band totals when the model is built and again whenever the log
// changes; the model keeps no figures of its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/station.h"
#include "app/views/view_model.h"
#include "rules/contest_settings.h"
#include "util/band_totals.h"

namespace vk {

inline constexpr std::string_view kScoreWindowTitle = "[Point]";
inline constexpr std::string_view kScoreQsoLabel = "QSO:";
inline constexpr std::string_view kScorePointsLabel = "SRC:";
inline constexpr std::string_view kScoreMultiLabel = "MLT:";
inline constexpr std::string_view kScoreBonusLabel = "BNS:";
inline constexpr std::string_view kScoreTotalLabel = "Total:";

// A window's place on the desktop, right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

inline constexpr Rect kScoreWindowBounds{0, 0, 46, 12};

struct ScoreTexts {
  std::string header;  // " 160 │" per allowed band, in band order
  std::string qsos;    // "    7│" per allowed band
  std::string points;
  std::string multi;
  std::string bonus;
  std::string total;  // "120 * 15 = 1800"
};

class ScoreModel final : public ViewModel {
 public:
  // Attaches to the bus; the texts are made at once.
  ScoreModel(const BandTotals& totals, const ContestSettings& settings, CommandBus& bus);

  const ScoreTexts& Texts() const { return texts_; }
  // The texts with one row per band, or the totals alone, for an interior of that size.
  std::vector<std::string> Rows(int width, int height) const;
  Changes Refresh();

  // Log changed: the texts are made again.
  void HandleMessage(Message& m) override;

 private:
  const BandTotals& totals_;
  const ContestSettings& settings_;
  ScoreTexts texts_;
};

// The texts for the bands the contest allows.
ScoreTexts MakeScoreTexts(const BandTotals& totals, const ContestSettings& settings);
// The score with one row per allowed band, for a window `width` columns wide inside: a header
// row, the bands, then the total line.  The bonus column is shown when the contest's total adds
// a bonus.  Each column is as wide as its longest number; when the columns are wider than the
// window or the rows more than `height`, the sums over all bands in two rows and the total.
std::vector<std::string> MakeScoreRows(const BandTotals& totals, const ContestSettings& settings,
                                       int width, int height = 1000);
// A number right-aligned in 5 (longer numbers keep their last 5 digits) and the bar "│".
std::string ScoreCell(std::uint32_t value);
// The total line of a formula selector from the sums over all bands.
std::string ScoreTotalLine(std::uint8_t selector, std::uint32_t points, std::uint32_t multi,
                           std::uint32_t bonus, std::uint32_t claimed);

}  // namespace vk
