#include "app/views/score_window_model.h"

#include <algorithm>
#include <utility>

#include "util/bands.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr char kBar = '\xB3';  // CP866 vertical line

}  // namespace

std::string ScoreCell(std::uint32_t value) {
  return Rightmost("     " + IntToStr(value), 5) + kBar;
}

std::string ScoreTotalLine(std::uint8_t selector, std::uint32_t points, std::uint32_t multi,
                           std::uint32_t bonus, std::uint32_t claimed) {
  const std::string p = IntToStr(points), m = IntToStr(multi), b = IntToStr(bonus);
  const std::string t = IntToStr(claimed);
  switch (selector) {
    case kTotalAddBonus:
      return p + " + " + b + " = " + t;
    case kTotalAddMultiAddBonus:
      return p + " + " + m + " + " + b + " = " + t;
    case kTotalMulMulti:
      return p + " * " + m + " = " + t;
    case kTotalMulMultiAddBonus:
      return p + " * ( " + m + " + " + b + " ) = " + t;
    default:
      return p;
  }
}

ScoreTexts MakeScoreTexts(const BandTotals& totals, const ContestSettings& settings) {
  ScoreTexts t;
  for (BandIndex band = 1; band <= kBandCount; ++band) {
    if (!settings.bands[band]) continue;
    const BandTally& row = totals.Row(band);
    t.header += " " + BandScreenName(band) + " " + kBar;
    t.qsos += ScoreCell(row.qsos);
    t.points += ScoreCell(row.points);
    t.multi += ScoreCell(row.multi);
    t.bonus += ScoreCell(row.bonus);
  }
  t.total = ScoreTotalLine(totals.Formula(), totals.Sum(BandQuantity::kPoints),
                           totals.Sum(BandQuantity::kMulti), totals.Sum(BandQuantity::kBonus),
                           totals.Claimed());
  return t;
}

namespace {

bool AddsBonus(std::uint8_t selector) {
  return selector == kTotalAddBonus || selector == kTotalAddMultiAddBonus ||
         selector == kTotalMulMultiAddBonus;
}

std::string Cell(std::string_view text, int width) {
  return Rightmost(std::string(static_cast<std::size_t>(width), ' ') + std::string(text), width);
}

}  // namespace

namespace {

// The total line, or when the formula is wider than the window the claimed score alone.
std::string TotalRow(const BandTotals& totals, int width) {
  std::string total = ScoreTotalLine(totals.Formula(), totals.Sum(BandQuantity::kPoints),
                                     totals.Sum(BandQuantity::kMulti),
                                     totals.Sum(BandQuantity::kBonus), totals.Claimed());
  if (static_cast<int>(total.size()) > width) total = "Total " + IntToStr(totals.Claimed());
  return Cell(total, width);
}

// The sums over all bands in two pairs of label and number, for a window too small for a row
// per band: "QSO  1092  Mlt 208" above "Pts 32364  Bns  12".
std::vector<std::string> TotalsRows(const BandTotals& totals, int width) {
  const bool bonus = AddsBonus(totals.Formula());
  const std::string qso = IntToStr(totals.Sum(BandQuantity::kQsos));
  const std::string pts = IntToStr(totals.Sum(BandQuantity::kPoints));
  const std::string mlt = IntToStr(totals.Sum(BandQuantity::kMulti));
  const std::string bns = IntToStr(totals.Sum(BandQuantity::kBonus));
  const int left = static_cast<int>(std::max(qso.size(), pts.size()));
  const int right = static_cast<int>(std::max(mlt.size(), bonus ? bns.size() : 0));
  std::vector<std::string> rows{"QSO " + Cell(qso, left) + "  Mlt " + Cell(mlt, right),
                                "Pts " + Cell(pts, left) + (bonus ? "  Bns " + Cell(bns, right) : "")};
  rows.push_back(TotalRow(totals, width));
  return rows;
}

}  // namespace

std::vector<std::string> MakeScoreRows(const BandTotals& totals, const ContestSettings& settings,
                                       int width, int height) {
  const bool bonus = AddsBonus(totals.Formula());
  const int columns = bonus ? 4 : 3;
  int bandRows = 0;
  // Each column as wide as its longest number, so that no two numbers ever touch.
  int need[4] = {3, 3, 3, 3};
  auto widen = [&need](const std::uint32_t (&v)[4]) {
    for (int i = 0; i < 4; ++i) need[i] = std::max(need[i], static_cast<int>(IntToStr(v[i]).size()));
  };
  for (BandIndex band = 1; band <= kBandCount; ++band) {
    if (!settings.bands[band]) continue;
    const BandTally& t = totals.Row(band);
    widen({t.qsos, t.points, t.multi, t.bonus});
    ++bandRows;
  }
  const int spread = std::min((width - 4) / columns, 7);
  int cells[4];
  int used = 4;
  for (int i = 0; i < columns; ++i) used += cells[i] = std::max(need[i] + 1, spread);
  if (used > width || height < bandRows + 2) return TotalsRows(totals, width);

  std::vector<std::string> rows;
  std::string header = "Band";
  const std::string_view names[4] = {"QSO", "Pts", "Mlt", "Bns"};
  for (int i = 0; i < columns; ++i) header += Cell(names[i], cells[i]);
  rows.push_back(header);
  for (BandIndex band = 1; band <= kBandCount; ++band) {
    if (!settings.bands[band]) continue;
    const BandTally& t = totals.Row(band);
    // Wavelengths, as operators name the bands; "144" beside "160" reads too much alike.
    static constexpr std::string_view kRowNames[kBandCount] = {"160", "80", "40",   "20",  "15",
                                                               "10",  "2m", "70cm", "23cm"};
    std::string row = FixedWidth(kRowNames[band - 1], 4);
    const std::uint32_t values[4] = {t.qsos, t.points, t.multi, t.bonus};
    for (int i = 0; i < columns; ++i) row += Cell(IntToStr(values[i]), cells[i]);
    rows.push_back(row);
  }
  rows.push_back(TotalRow(totals, width));
  return rows;
}

ScoreModel::ScoreModel(const BandTotals& totals, const ContestSettings& settings, CommandBus& bus)
    : ViewModel(bus),
      totals_(totals),
      settings_(settings),
      texts_(MakeScoreTexts(totals, settings)) {}

std::vector<std::string> ScoreModel::Rows(int width, int height) const {
  return MakeScoreRows(totals_, settings_, width, height);
}

Changes ScoreModel::Refresh() {
  texts_ = MakeScoreTexts(totals_, settings_);
  return Note(changed::kTexts);
}

void ScoreModel::HandleMessage(Message& m) {
  if (m.what != EventClass::kBroadcast || m.command != cm::kLogChanged) return;
  Refresh();
  m.handled = true;
}

}  // namespace vk
