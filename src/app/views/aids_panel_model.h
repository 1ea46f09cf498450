// The side window of the operator aids without a terminal: the check-partial list for the call
// being typed (from two characters: the calls containing it, then "N+1" and the calls one
// character away), and the rate line of the current band at the bottom.  Alt+S shows or hides
// the list, Alt+R the rate line; the window is hidden while both are.  Marks after a call:
// "*" a dupe here and now, "+" worked on another band or mode (or again allowed).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aids/rate_meter.h"
#include "aids/scp_lookup.h"
#include "aids/statistics.h"
#include "app/views/entry_window_model.h"
#include "app/station.h"
#include "app/views/operator_aids.h"

namespace vk {

inline constexpr std::string_view kScpWindowTitle = "Check";
inline constexpr std::string_view kRateWindowTitle = "Rate";
inline constexpr std::string_view kNearMissLabel = "N+1";

class AidsPanelModel {
 public:
  // All three outlive the model.
  AidsPanelModel(Station& station, OperatorAids& aids, const EntryModel& entry);

  // Reads the call line, the log, the band and mode and the clock; true when what is shown
  // changed.  Called on every tick: a lookup is made only when something it depends on moved.
  bool Refresh();
  // The lookup's index of the log made ahead of the first call typed (it takes a moment on a
  // long log).
  void PrepareLookup() { lookup_.Prepare(station_.Log()); }

  bool ScpShown() const { return scpShown_; }
  bool RateShown() const { return rateShown_; }
  bool Visible() const { return scpShown_ || rateShown_; }
  // Alt+S and Alt+R; the choice is written to vorkan.cfg.
  void ToggleScp();
  void ToggleRate();

  std::string Title() const;
  // The window's rows: the list flowed into the width, N+1 below it, the rate line last.
  std::vector<std::string> Rows(int width, int height) const;

  const ScpAnswer& Answer() const { return answer_; }
  const RateFigures& Rate() const { return rate_; }
  std::string RateLine() const;
  // Alt+C: the next call of the list shown for the call being typed, partials first, then
  // N+1, round again; empty when the list has none.  Pressed again while Call holds the call it
  // gave, it moves on in the same list.
  std::string NextPick();

  // Tools > Statistics: the tables of the whole log.
  std::vector<std::string> Statistics() const {
    return StatisticsText(station_.Log(), station_.Clock().Now());
  }

 private:
  bool RefreshScp();
  bool RefreshRate();
  void SaveShown();

  Station& station_;
  OperatorAids& aids_;
  const EntryModel& entry_;
  ScpLookup lookup_;
  ScpAnswer answer_;
  std::vector<std::string> picks_;  // the list Alt+C goes through
  std::size_t pick_ = 0;            // the one it gave last
  RateFigures rate_;
  bool scpShown_;
  bool rateShown_;
  // What the last lookup and rate were made for.
  std::string call_;
  std::uint64_t scpRevision_ = UINT64_MAX;
  std::uint64_t rateRevision_ = UINT64_MAX;
  Freq freq_ = -1;
  Mode mode_ = Mode::kUnknown;
  Freq rateFreq_ = -1;
  long long minute_ = -1;
};

// Calls with their marks flowed into rows of `width`, a space between; after `height` rows
// the rest is left out.  `label` (if any) starts the first row.
std::vector<std::string> FlowCalls(const std::vector<MarkedCall>& calls, std::string_view label,
                                   int width, int height);

}  // namespace vk
