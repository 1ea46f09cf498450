// The call-history file operators exchange before a contest: one station a line, "CALL,FIELD,
// FIELD..." (a DOK, a name, a zone, a state), "#" starting a comment line.  A line
// "!!Order!!,Call,Name,..." before the first record names the columns; the call may then be in any
// of them.  Without it the call is the first column and the fields are known by number from 1.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "util/result.h"

namespace vk {

struct HistoryLoadStats {
  std::size_t records = 0;    // calls kept
  std::size_t malformed = 0;  // lines skipped: no comma, no call, overlong
  bool truncated = false;     // more than kMaxHistoryRecords: the rest was not read
};

inline constexpr std::size_t kMaxHistoryRecords = 200000;
inline constexpr std::size_t kMaxHistoryFields = 32;

class CallHistory {
 public:
  // Replaces the records by the file's; a missing file leaves none (kNotFound).
  Status Load(const std::string& path);
  void LoadText(std::string_view text);

  const HistoryLoadStats& Stats() const { return stats_; }
  std::size_t Size() const { return records_.size(); }

  // The field chosen by a setting: a number from 1 (the first field after the call) or a
  // column name of the "!!Order!!" line, any case.  -1 when it names nothing.
  int FieldIndex(std::string_view nameOrNumber) const;
  // The field of the call's record; empty when the call or the field is not there.
  std::string Value(std::string_view call, int field) const;

 private:
  bool TakeLine(std::string_view line);
  void TakeOrder(std::vector<std::string>& fields);

  std::vector<std::string> names_;  // column names after the call, upper case
  std::size_t callColumn_ = 0;
  std::size_t bytes_ = 0;  // kept so far, bounded
  std::unordered_map<std::string, std::vector<std::string>> records_;
  HistoryLoadStats stats_;
};

}  // namespace vk
