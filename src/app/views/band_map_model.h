// The band map without a terminal: the spots of the current band in frequency order, the
// entry frequency marked among them, each spot marked as the entry window would judge its call
// (a repeat, a new multiplier, worth points), and a selection the operator moves and takes.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/station.h"
#include "cluster/cluster_hub.h"
#include "util/key_codes.h"

namespace vk {

class EntryModel;

// What working the spotted station would bring, best last: the band map shows it as one letter.
enum class SpotMark : std::uint8_t {
  kNoPoints,  // ' ': the rules give it nothing
  kPoints,    // '+': worth points
  kNewMulti,  // 'M': a new multiplier or bonus
  kDupe,      // 'D': the repeat rule forbids it
};
char SpotMarkLetter(SpotMark m);

// The entry window's judgement of one spotted call on the spot's band and mode: the same
// repeat check, the same exchange proposal, the same multiplier and score queries (nothing is
// recorded).
SpotMark JudgeSpot(Station& station, const Spot& spot);

struct BandMapRow {
  bool entryFreq = false;  // the row that marks the entry frequency, not a spot
  Spot spot;
  SpotMark mark = SpotMark::kNoPoints;
};

class BandMapModel {
 public:
  BandMapModel(Station& station, const ClusterHub& hub);

  // Builds the rows again when the spots, the band, the frequency, the mode, the log or the
  // minute changed; true when it did.  The selection stays on its call where it can.
  bool Refresh();
  const std::vector<BandMapRow>& Rows() const { return rows_; }
  int Selected() const { return selected_; }  // a spot row, or -1 without spots
  const Spot* SelectedSpot() const;

  // Up, Down, PgUp, PgDn, Home, End move the selection (`page` rows per page); true when the
  // key was one of them.
  bool Key(KeyCode key, int page);
  // Enter: the selected spot into the entry window, which tunes to it.  False without one.
  bool Take(EntryModel& entry) const;

  // One row as shown, `width` columns: "14025.0 DL1ABC     M  3" (frequency in kHz, call,
  // mark, age in minutes), or "> 14026.0 ------" for the entry frequency.
  std::string RowText(const BandMapRow& row, std::size_t width) const;
  // "Band map 20m" / "Band map" without a band.
  std::string Title() const;

 private:
  void Rebuild();
  void Select(int row, int direction);

  Station& station_;
  const ClusterHub& hub_;
  std::vector<BandMapRow> rows_;
  int selected_ = -1;
  // What the rows were built from.
  std::uint64_t version_ = ~std::uint64_t{0};
  Freq freq_ = -1;
  Mode mode_ = Mode::kUnknown;
  int logCount_ = -1;
  std::uint32_t logCrc_ = 0;
  std::int64_t minute_ = -1;
  // Judgements by call, frequency and mode, kept while the log and the minute stay as they
  // were: a new spot costs one repeat check, not one per spot on the band.
  std::unordered_map<std::string, SpotMark> marks_;
};

// "14025.0": kHz with one decimal.
std::string SpotFreqText(Freq f);

}  // namespace vk
