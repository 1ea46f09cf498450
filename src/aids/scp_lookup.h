// What the check-partial window lists for the call being typed: the calls of the database and
// of the log that contain the typed text, and below them the calls one character away from it
// (a busted call's likely right form).  Calls already in the log are marked: a dupe where the
// contest's repeat rule would refuse the contact now, or worked on another band or mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "aids/log_calls.h"
#include "aids/scp_database.h"
#include "log/log_collection.h"
#include "score/repeat.h"
#include "util/bands.h"
#include "util/datetime.h"

namespace vk {

enum class CallMark : std::uint8_t { kNew, kWorked, kDupe };

struct MarkedCall {
  std::string call;
  CallMark mark = CallMark::kNew;
  friend bool operator==(const MarkedCall&, const MarkedCall&) = default;
};

struct ScpAnswer {
  std::vector<MarkedCall> partials;  // ascending
  std::size_t partialTotal = 0;      // calls containing the text, the unlisted ones included
  std::vector<MarkedCall> nearMisses;
};

// Where the contact would be made, as the repeat check asks it.
struct ContactPoint {
  const RepeatSettings* repeat = nullptr;  // nullptr: logged calls are only "worked"
  Freq freq = 0;
  Mode mode = Mode::kUnknown;
  DateTime when;
};

inline constexpr std::size_t kScpPartialLimit = 120;
inline constexpr std::size_t kScpNearMissLimit = 40;

class ScpLookup {
 public:
  explicit ScpLookup(const ScpDatabase& db) : db_(db), logCalls_(db) {}

  // Builds the index of the log now rather than on the first fragment typed.
  void Prepare(const TLogCollection& log) { logCalls_.Refresh(log); }
  // Nothing under two characters.  The log's calls join the database's and are marked.
  ScpAnswer Find(std::string_view typed, const TLogCollection& log, const ContactPoint& at);

 private:
  void Mark(std::vector<MarkedCall>& calls, const TLogCollection& log, const ContactPoint& at);

  const ScpDatabase& db_;
  LogCalls logCalls_;
};

// The mark as the window shows it after a call: "*" dupe, "+" worked, nothing when new.
std::string_view MarkText(CallMark m);

}  // namespace vk
