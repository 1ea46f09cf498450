#include "app/views/band_map_model.h"

#include <algorithm>

#include "app/key_table.h"
#include "app/views/entry_window_model.h"
#include "score/repeat.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr int kCallColumns = 10;

// The mode a spot is judged and taken in: the one its comment names, else the band plan's, else
// the entry window's.
Mode ModeOfSpot(const Spot& s, Mode current) {
  if (s.mode != Mode::kUnknown) return s.mode;
  const Mode likely = LikelyModeOfFreq(s.freq);
  return likely != Mode::kUnknown ? likely : current;
}

}  // namespace

char SpotMarkLetter(SpotMark m) {
  switch (m) {
    case SpotMark::kDupe:
      return 'D';
    case SpotMark::kNewMulti:
      return 'M';
    case SpotMark::kPoints:
      return '+';
    case SpotMark::kNoPoints:
      break;
  }
  return ' ';
}

std::string SpotFreqText(Freq f) {
  return IntToStr(f / 10) + "." + IntToStr(f % 10);
}

SpotMark JudgeSpot(Station& station, const Spot& spot) {
  const Mode mode = ModeOfSpot(spot, station.CurrentMode());
  const RepeatResult rep =
      station.Book().CheckRepeat(spot.call, spot.freq, mode, station.Clock().Now());
  if (rep.position != 0) return SpotMark::kDupe;
  TTreeRules& rules = station.Rules();
  // The exchange the entry window would propose for the call.
  std::string rx = rules.GetTxNr(spot.call);
  if (rx.empty()) rx = rules.PrefillRxNr(spot.call);
  rx = UpperCase(rx);
  const BandIndex band = BandOfFreq(spot.freq);
  if (rules.GetMulti(spot.call, rx, band, mode, false) > 0 ||
      rules.GetBonus(spot.call, rx, band, mode, false) > 0) {
    return SpotMark::kNewMulti;
  }
  const std::uint16_t points = rules.GetScore(spot.call, rx, band, mode);
  return points > 0 && points < 0x8000 ? SpotMark::kPoints : SpotMark::kNoPoints;
}

BandMapModel::BandMapModel(Station& station, const ClusterHub& hub)
    : station_(station), hub_(hub) {}

bool BandMapModel::Refresh() {
  const std::int64_t minute = hub_.Now() / 60;
  const TLogCollection& log = station_.Log();
  const bool sameLog = log.Count() == logCount_ && log.LogCrc() == logCrc_ && minute == minute_;
  if (hub_.Version() == version_ && station_.CurrentFreq() == freq_ &&
      station_.CurrentMode() == mode_ && sameLog) {
    return false;
  }
  if (!sameLog || station_.CurrentMode() != mode_) marks_.clear();
  version_ = hub_.Version();
  freq_ = station_.CurrentFreq();
  mode_ = station_.CurrentMode();
  logCount_ = log.Count();
  logCrc_ = log.LogCrc();
  minute_ = minute;
  Rebuild();
  return true;
}

void BandMapModel::Rebuild() {
  const Spot* was = SelectedSpot();
  const std::string keep = was != nullptr ? was->call : std::string();
  rows_.clear();
  bool marked = false;
  for (Spot& s : hub_.Spots().OnBand(station_.CurrentBand(), hub_.Now())) {
    if (!marked && s.freq > freq_) {
      rows_.push_back(BandMapRow{true, {}, SpotMark::kNoPoints});
      marked = true;
    }
    std::string key = s.call + ' ' + IntToStr(s.freq) + ' ' + IntToStr(ModeNumber(s.mode));
    auto known = marks_.find(key);
    if (known == marks_.end()) known = marks_.emplace(std::move(key), JudgeSpot(station_, s)).first;
    const SpotMark mark = known->second;
    rows_.push_back(BandMapRow{false, std::move(s), mark});
  }
  if (!marked) rows_.push_back(BandMapRow{true, {}, SpotMark::kNoPoints});
  selected_ = -1;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!rows_[i].entryFreq && rows_[i].spot.call == keep) selected_ = static_cast<int>(i);
  }
  if (selected_ < 0) Select(0, +1);
}

// The nearest spot row from `row` on in `direction`, else in the other; -1 without spots.
void BandMapModel::Select(int row, int direction) {
  const int n = static_cast<int>(rows_.size());
  row = std::clamp(row, 0, std::max(n - 1, 0));
  for (int dir : {direction, -direction}) {
    for (int i = row; i >= 0 && i < n; i += dir) {
      if (!rows_[static_cast<std::size_t>(i)].entryFreq) {
        selected_ = i;
        return;
      }
    }
  }
  selected_ = -1;
}

const Spot* BandMapModel::SelectedSpot() const {
  if (selected_ < 0 || selected_ >= static_cast<int>(rows_.size())) return nullptr;
  const BandMapRow& r = rows_[static_cast<std::size_t>(selected_)];
  return r.entryFreq ? nullptr : &r.spot;
}

bool BandMapModel::Key(KeyCode key, int page) {
  const int n = static_cast<int>(rows_.size());
  page = std::max(page, 1);
  const KeyBinding* b = FindKey(KeyScope::kBandMap, key);
  if (b == nullptr) return false;
  switch (b->action) {
    case KeyAction::kSpotUp:
      Select(selected_ - 1, -1);
      return true;
    case KeyAction::kSpotDown:
      Select(selected_ + 1, +1);
      return true;
    case KeyAction::kPageUp:
      Select(selected_ - page, -1);
      return true;
    case KeyAction::kPageDown:
      Select(selected_ + page, +1);
      return true;
    case KeyAction::kFirstSpot:
      Select(0, +1);
      return true;
    case KeyAction::kLastSpot:
      Select(n - 1, -1);
      return true;
    default:
      return false;
  }
}

bool BandMapModel::Take(EntryModel& entry) const {
  const Spot* s = SelectedSpot();
  if (s == nullptr) return false;
  entry.TakeSpot(s->call, s->freq, ModeOfSpot(*s, station_.CurrentMode()));
  return true;
}

std::string BandMapModel::RowText(const BandMapRow& row, std::size_t width) const {
  // The age goes first when the column is narrow (80 columns leave it 20), then call letters.
  const int w = static_cast<int>(width);
  const bool age = w >= 24;
  const int callColumns = std::clamp(w - 11 - (age ? 3 : 0), 6, kCallColumns);
  std::string t;
  if (row.entryFreq) {
    t = ">" + PadLeft(SpotFreqText(freq_), 7) + " " +
        std::string(static_cast<std::size_t>(callColumns), '-') + " <";
  } else {
    t = " " + PadLeft(SpotFreqText(row.spot.freq), 7) + " " +
        FixedWidth(row.spot.call, callColumns) + " " + SpotMarkLetter(row.mark);
    if (age) {
      const std::int64_t minutes = std::max<std::int64_t>(hub_.Now() - row.spot.seen, 0) / 60;
      t += PadLeft(IntToStr(static_cast<int>(minutes)), 3);
    }
  }
  return FixedWidth(t, w);
}

std::string BandMapModel::Title() const {
  const std::string band = Trim(BandScreenName(station_.CurrentBand()));
  return band.empty() ? "Band map" : "Band map " + band + "m";
}

}  // namespace vk
