#include "app/views/aids_panel_model.h"

#include <algorithm>

#include "util/strings.h"

namespace vk {

AidsPanelModel::AidsPanelModel(Station& station, OperatorAids& aids, const EntryModel& entry)
    : station_(station),
      aids_(aids),
      entry_(entry),
      lookup_(aids.Scp()),
      scpShown_(aids.Settings().scpShown),
      rateShown_(aids.Settings().rateShown) {}

bool AidsPanelModel::Refresh() {
  const bool scp = RefreshScp();
  const bool rate = RefreshRate();
  return scp || rate;
}

bool AidsPanelModel::RefreshScp() {
  const std::string call = Trim(entry_.CallText());
  const TLogCollection& log = station_.Log();
  if (call == call_ && log.Revision() == scpRevision_ && station_.CurrentFreq() == freq_ &&
      station_.CurrentMode() == mode_) {
    return false;
  }
  call_ = call;
  scpRevision_ = log.Revision();
  freq_ = station_.CurrentFreq();
  mode_ = station_.CurrentMode();
  const ContactPoint at{&station_.Rules().Settings().repeat, freq_, mode_, station_.Clock().Now()};
  ScpAnswer a = lookup_.Find(call_, log, at);
  if (a.partials == answer_.partials && a.nearMisses == answer_.nearMisses) return false;
  answer_ = std::move(a);
  return true;
}

std::string AidsPanelModel::NextPick() {
  const std::string call = Trim(entry_.CallText());
  if (picks_.empty() || pick_ >= picks_.size() || picks_[pick_] != call) {
    RefreshScp();
    picks_.clear();
    for (const auto* list : {&answer_.partials, &answer_.nearMisses}) {
      for (const MarkedCall& m : *list) {
        if (m.call != call) picks_.push_back(m.call);
      }
    }
    if (picks_.empty()) return {};
    pick_ = picks_.size() - 1;  // so that the first press gives the first call
  }
  pick_ = (pick_ + 1) % picks_.size();
  return picks_[pick_];
}

bool AidsPanelModel::RefreshRate() {
  const DateTime now = station_.Clock().Now();
  const long long minute = MinuteNumber(now);
  const TLogCollection& log = station_.Log();
  if (minute == minute_ && log.Revision() == rateRevision_ && rateFreq_ == station_.CurrentFreq()) {
    return false;
  }
  minute_ = minute;
  rateFreq_ = station_.CurrentFreq();
  rateRevision_ = log.Revision();
  const RateFigures r = MeasureRate(log, now, station_.CurrentBand());
  if (r == rate_) return false;
  rate_ = r;
  return true;
}

void AidsPanelModel::ToggleScp() {
  scpShown_ = !scpShown_;
  SaveShown();
}

void AidsPanelModel::ToggleRate() {
  rateShown_ = !rateShown_;
  SaveShown();
}

void AidsPanelModel::SaveShown() {
  aids_.Settings().scpShown = scpShown_;
  aids_.Settings().rateShown = rateShown_;
  (void)WriteAidsShown(station_.PathOf(kConfigFileName), scpShown_, rateShown_);
}

std::string AidsPanelModel::Title() const {
  return std::string(scpShown_ ? kScpWindowTitle : kRateWindowTitle);
}

std::string AidsPanelModel::RateLine() const {
  std::string band = Trim(BandScreenName(station_.CurrentBand()));
  return (band.empty() ? std::string("--") : band) + ": " + RateText(rate_);
}

std::vector<std::string> AidsPanelModel::Rows(int width, int height) const {
  std::vector<std::string> rows;
  if (width <= 0 || height <= 0) return rows;
  const int listRows = height - (rateShown_ ? 1 : 0);
  if (scpShown_ && listRows > 0) {
    if (call_.size() < 2) {
      if (!aids_.ScpNotice().empty()) rows.push_back(aids_.ScpNotice());
    } else {
      // The partials come first; N+1 gets half the rows, or what the partials leave.
      int nearRows = 0;
      if (!answer_.nearMisses.empty()) {
        const int need =
            static_cast<int>(FlowCalls(answer_.nearMisses, kNearMissLabel, width, listRows).size());
        const int partialNeed =
            static_cast<int>(FlowCalls(answer_.partials, {}, width, listRows).size());
        nearRows = std::min(need, std::max(listRows / 2, listRows - partialNeed));
      }
      for (auto& r : FlowCalls(answer_.partials, {}, width, listRows - nearRows)) {
        rows.push_back(std::move(r));
      }
      while (static_cast<int>(rows.size()) < listRows - nearRows) rows.emplace_back();
      for (auto& r : FlowCalls(answer_.nearMisses, kNearMissLabel, width, nearRows)) {
        rows.push_back(std::move(r));
      }
    }
  }
  if (static_cast<int>(rows.size()) > listRows)
    rows.resize(static_cast<std::size_t>(std::max(listRows, 0)));
  if (rateShown_) {
    while (static_cast<int>(rows.size()) < listRows) rows.emplace_back();
    rows.push_back(RateLine());
  }
  for (auto& r : rows) r = FixedWidth(r, width);
  while (static_cast<int>(rows.size()) < height)
    rows.push_back(std::string(static_cast<std::size_t>(width), ' '));
  return rows;
}

std::vector<std::string> FlowCalls(const std::vector<MarkedCall>& calls, std::string_view label,
                                   int width, int height) {
  std::vector<std::string> rows;
  if (width <= 0 || height <= 0) return rows;
  std::string row(label);
  for (const MarkedCall& c : calls) {
    const std::string item = c.call + std::string(MarkText(c.mark));
    if (!row.empty() && static_cast<int>(row.size() + 1 + item.size()) > width) {
      rows.push_back(row);
      if (static_cast<int>(rows.size()) == height) return rows;
      row.clear();
    }
    row += (row.empty() ? "" : " ") + item;
  }
  if (!row.empty()) rows.push_back(row);
  return rows;
}

}  // namespace vk
