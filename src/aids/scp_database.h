// The super check partial database: the calls active in contests (MASTER.SCP, one call a line,
// "#" comments), held sorted in one block of text with an index of the character pairs each
// call contains.  A fragment of two or more characters is looked up through the rarest of its
// pairs, so a keystroke costs the calls sharing that pair, not the whole database.  The calls
// one character away from a typed call (the N+1 list: one changed, added or dropped) are found
// by trying each such change against the sorted calls.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/result.h"

namespace vk {

struct ScpLoadStats {
  std::size_t calls = 0;      // distinct calls kept
  std::size_t malformed = 0;  // lines that are no call (skipped)
  bool truncated = false;     // more than kMaxScpCalls: the rest was not read
};

// Bounds the memory a file can take: MASTER.SCP holds under 100,000 calls.
inline constexpr std::size_t kMaxScpCalls = 400000;
// The characters a call is made of: A-Z, 0-9 and "/".
inline constexpr int kCallAlphabet = 37;
// 0 .. kCallAlphabet - 1, or -1 for a character no call holds.
int CallCharCode(char c);
char CallCharOfCode(int code);

class ScpDatabase {
 public:
  // Replaces the calls by the file's.  A missing file leaves the database empty (kNotFound).
  Status Load(const std::string& path);
  // The same from text in memory.
  void LoadText(std::string_view text);

  const ScpLoadStats& Stats() const { return stats_; }
  std::size_t Size() const { return starts_.size(); }
  bool Empty() const { return starts_.empty(); }
  std::string_view CallAt(std::size_t i) const;
  bool Contains(std::string_view call) const;

  // Calls containing the fragment, ascending, at most `limit` of them appended to `out`;
  // returns how many calls contain it.  Fragments under two characters match nothing.
  std::size_t Partial(std::string_view fragment, std::size_t limit,
                      std::vector<std::string_view>& out) const;
  // Calls one character away from `call` (one changed, added or dropped), ascending, at most
  // `limit`.  The call itself is not among them.
  void NearMisses(std::string_view call, std::size_t limit,
                  std::vector<std::string_view>& out) const;

 private:
  void Build(std::vector<std::string>& calls);
  void BuildPairIndex();
  // The calls holding pair p are pairCalls_[pairStart_[p] .. pairStart_[p + 1]).
  std::size_t PairCount(int pair) const { return pairStart_[pair + 1] - pairStart_[pair]; }

  std::string text_;                   // every call followed by "\n", ascending
  std::vector<std::uint32_t> starts_;  // offset of each call in text_
  std::vector<std::uint32_t> pairStart_;
  std::vector<std::uint32_t> pairCalls_;  // call numbers, ascending within a pair
  ScpLoadStats stats_;
};

// True when `a` becomes `b` by changing, adding or dropping exactly one character.
bool OneEditApart(std::string_view a, std::string_view b);

}  // namespace vk
