// Shared set-up of the scoring tests: the real world country file of the system and a Russian
// list whose blocks stand where the zone table expects them.
#pragma once

#include <string>

#include "country/country.h"
#include "score/score_context.h"

namespace vk::test {

// The world list read once from the system's cty.dat.
inline const CountryList& WorldList() {
  static const CountryList list = CountryList::FromFile(VORKAN_SYSTEM_CTY);
  return list;
}

// 87 blocks; block n holds the exact call "RZ<n>ZZ" and has the primary prefix "B<n>", so a
// test can place a call in any entry number (and thus any Russian zone).
inline const CountryList& SyntheticRussianList() {
  static const CountryList list = [] {
    std::string text;
    for (int n = 1; n <= 87; ++n) {
      auto num = std::to_string(n);
      text += "Block " + num + ": 16: 29: EU: 55.0: -37.0: -3.0: B" + num + ":\n";
      text += "    =RZ" + num + "ZZ;\n";
    }
    return CountryList::FromText(text);
  }();
  return list;
}

inline std::string RussianCallInBlock(int n) { return "RZ" + std::to_string(n) + "ZZ"; }

// A context for an own station; the world list is the real one.
inline ScoreContext MakeContext(const std::string& ownCall, const std::string& ownExchange = "",
                                Journal* journal = nullptr) {
  ScoreContext ctx(journal);
  ctx.SetLists(&WorldList(), &SyntheticRussianList());
  ctx.SetOwnCall(ownCall);
  ctx.SetOwnExchange(ownExchange);
  return ctx;
}

}  // namespace vk::test
