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

ScpAnswer ScpLookup::Find(std::string_view typed, const TLogCollection& log,
                          const ContactPoint& at) {
  ScpAnswer a;
  if (typed.size() < 2) return a;
  logCalls_.Refresh(log);
  std::vector<std::string_view> part;
  a.partialTotal = db_.Partial(typed, kScpPartialLimit, part);
  a.partialTotal += logCalls_.Partial(typed, kScpPartialLimit, part);
  a.partials = Merge(part, kScpPartialLimit);

  std::vector<std::string_view> near;
  db_.NearMisses(typed, kScpNearMissLimit, near);
  logCalls_.NearMisses(typed, near);
  a.nearMisses = Merge(near, kScpNearMissLimit);
  Mark(a.partials, log, at);
  Mark(a.nearMisses, log, at);
  return a;
}

// The marks come from the index of the log by call: a keystroke costs the listed calls' QSOs.
void ScpLookup::Mark(std::vector<MarkedCall>& calls, const TLogCollection& log,
                     const ContactPoint& at) {
  for (MarkedCall& m : calls) {
    if (!logCalls_.Contains(m.call)) continue;
    m.mark = CallMark::kWorked;
    // Without a valid rule the check would only complain (once per keystroke).
    if (at.repeat == nullptr || at.repeat->mode == kRepeatNone) continue;
    if (logCalls_.Check(log, *at.repeat, m.call, at.freq, at.mode, at.when).position != 0) {
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
