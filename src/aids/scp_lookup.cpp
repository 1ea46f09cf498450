#include "aids/scp_lookup.h"

#include <algorithm>

namespace vk {

namespace {

std::vector<MarkedCall> Merge(std::vector<std::string_view>& calls, std::size_t limit) {
  std::sort(calls.begin(), calls.end());
  calls.erase(std::unique(calls.begin(), calls.end()), calls.end());
  if (calls.size() > limit) calls.resize(limit);
  std::vector<MarkedCall> out;
  out.reserve(calls.size());
  for (std::string_view c : calls) out.push_back({std::string(c), CallMark::kNew});
  return out;
}

}  // namespace

void LogCalls::Refresh(const TLogCollection& log) {
  if (log_ == &log && revision_ == log.Revision()) return;
  log_ = &log;
  revision_ = log.Revision();
  calls_.clear();
  calls_.reserve(static_cast<std::size_t>(log.Count()));
  for (const QsoRecord& q : log) calls_.push_back(q.Call);
  std::sort(calls_.begin(), calls_.end());
  calls_.erase(std::unique(calls_.begin(), calls_.end()), calls_.end());
}

bool LogCalls::Contains(std::string_view call) const {
  return std::binary_search(calls_.begin(), calls_.end(), call,
                            [](std::string_view a, std::string_view b) { return a < b; });
}

ScpAnswer ScpLookup::Find(std::string_view typed, const TLogCollection& log,
                          const ContactPoint& at) {
  ScpAnswer a;
  if (typed.size() < 2) return a;
  logCalls_.Refresh(log);
  std::vector<std::string_view> part;
  a.partialTotal = db_.Partial(typed, kScpPartialLimit, part);
  for (const std::string& c : logCalls_.Calls()) {
    if (c.find(typed) == std::string::npos) continue;
    part.push_back(c);
    if (!db_.Contains(c)) ++a.partialTotal;
  }
  a.partials = Merge(part, kScpPartialLimit);

  std::vector<std::string_view> near;
  db_.NearMisses(typed, kScpNearMissLimit, near);
  for (const std::string& c : logCalls_.Calls()) {
    if (OneEditApart(c, typed)) near.push_back(c);
  }
  a.nearMisses = Merge(near, kScpNearMissLimit);
  Mark(a.partials, log, at);
  Mark(a.nearMisses, log, at);
  return a;
}

// Only calls found in the log cost a repeat check, which scans the log.
void ScpLookup::Mark(std::vector<MarkedCall>& calls, const TLogCollection& log,
                     const ContactPoint& at) {
  for (MarkedCall& m : calls) {
    if (!logCalls_.Contains(m.call)) continue;
    m.mark = CallMark::kWorked;
    // Without a valid rule the check would only complain (once per keystroke).
    if (at.repeat == nullptr || at.repeat->mode == kRepeatNone) continue;
    if (CheckRepeat(log, *at.repeat, m.call, at.freq, at.mode, at.when).position != 0) {
      m.mark = CallMark::kDupe;
    }
  }
}

std::string_view MarkText(CallMark m) {
  switch (m) {
    case CallMark::kDupe:
      return "*";
    case CallMark::kWorked:
      return "+";
    default:
      return "";
  }
}

}  // namespace vk
