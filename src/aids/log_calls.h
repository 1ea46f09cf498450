// The calls of the log as the check-partial lookup asks for them while the operator types: the
// distinct calls with an index of the character pairs each holds (so a fragment costs the calls
// sharing its rarest pair), the calls by name for the N+1 list, and the repeat tracker's QSOs by
// call for the dupe marks.  A QSO appended to the log is added to all three; only a change that
// moves QSOs or changes a call builds them again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "log/log_collection.h"
#include "score/repeat.h"
#include "util/datetime.h"

namespace vk {

class ScpDatabase;

class LogCalls {
 public:
  // `database` (not owned) tells which calls of the log it lacks.
  explicit LogCalls(const ScpDatabase& database) : db_(database) {}

  // Brings the index up to the log: the appended QSOs only, or everything after another change.
  void Refresh(const TLogCollection& log);

  std::size_t Size() const { return calls_.size(); }
  bool Contains(std::string_view call) const { return ids_.find(call) != ids_.end(); }
  // Calls containing the fragment (two or more characters): the `limit` first in order are
  // appended to `out` (in no particular order; the views stay valid until the next Refresh).
  // Returns how many of all the matching calls the database lacks.
  std::size_t Partial(std::string_view fragment, std::size_t limit,
                      std::vector<std::string_view>& out) const;
  // Calls one character away from `call` (one changed, added or dropped), appended to `out`.
  void NearMisses(std::string_view call, std::vector<std::string_view>& out) const;
  // Whether working `call` now would repeat a QSO of the log, as CheckRepeat decides it.
  RepeatResult Check(const TLogCollection& log, const RepeatSettings& s, std::string_view call,
                     std::int32_t freq, Mode mode, const DateTime& when) const {
    return repeats_.Check(log, s, call, freq, mode, when);
  }

 private:
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
      return std::hash<std::string_view>{}(s);
    }
  };
  void Clear();
  void Add(const QsoRecord& q, int pos);

  const ScpDatabase& db_;
  std::deque<std::string> calls_;  // in order of first appearance; a deque keeps views valid
  std::vector<bool> inDatabase_;   // by call number
  std::unordered_map<std::string_view, std::uint32_t, TextHash, std::equal_to<>> ids_;
  std::vector<std::vector<std::uint32_t>> pairs_;  // call numbers holding each character pair
  RepeatTracker repeats_;                          // every QSO by call, dupes included
  const TLogCollection* log_ = nullptr;
  std::uint64_t revision_ = UINT64_MAX;
  std::uint64_t callRevision_ = UINT64_MAX;
  int indexed_ = 0;  // QSOs of the log taken in
};

}  // namespace vk
