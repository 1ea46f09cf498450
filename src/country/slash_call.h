// Calls written with '/': what each part says about where the station is, and the one place
// that turns a typed call into lookups.  The index and the plain scan both go through
// ResolveCall(), so they apply the same portable rules by construction and differ only in how
// they find an exact call or a prefix.
//
// The rules, in order:
//  1. an exact-call token of the file matches the whole call as typed, '/' included
//     (=FO/SP5EAQ, =R2ET/9, =3D2AG/P);
//  2. /MM and /AM: maritime or aeronautical mobile, in no country;
//  3. marks that name no place are dropped: any single letter (/P /M /A /B /J /X /R ...),
//     /QRP, /LH, the FCC's upgrade marks /AE /AG ..., numbers of two or more digits (/70);
//     what is left is tried once more as an exact call (R2ET/9/P -> =R2ET/9);
//  4. of two remaining parts the shorter one (the right one on a tie) is the prefix of the
//     place the station operates from: EA8/DL1ABC and DL1ABC/EA8 are both in the Canaries;
//  5. a lone digit moves the home call to that call area (UA9ABC/3 -> UA3ABC, European
//     Russia); see MoveCallArea() for US calls and calls without a digit;
//  6. otherwise the home call itself.
// One prefix is shared by two entities, and the world file's documentation leaves the split to
// the logging program: KG4 with a two-letter suffix (KG4AA) is Guantanamo Bay, KG4 with a one-
// or three-letter suffix (KG4A, KG4AAA) is a licensee of the United States' 4th call area.
// The file lists KG4 as Guantanamo's prefix, so those US calls are looked up as K4 calls
// (exact calls of the file still come first).
#pragma once

#include <string>
#include <string_view>

namespace vk::country_detail {

struct SlashCall {
  std::string_view core;      // the call without the marks around it ("R2ET/9" of "R2ET/9/P")
  std::string_view home;      // the station's own call
  std::string_view location;  // prefix of the place it operates from ("EA8"), or empty
  char areaDigit = 0;         // a lone call-area digit ("/3"), or 0
  bool noCountry = false;     // /MM or /AM
};

// Splits `call` at every '/'; empty parts (a slash typed at either end) are skipped.  The
// views point into `call`.
SlashCall SplitSlashCall(std::string_view call);

// The call a station signing home/digit is looked up by, or empty when there is nothing to
// move.  The call-area digit is the last digit of the call: UA9ABC/3 -> UA3ABC, EA4URE/8 ->
// EA8URE, 9A3XM/1 -> 9A1XM.  A call without a digit has no call area to move.  US calls
// (K, N, W, AA-AL) are the exception: under FCC practice KH6ND/7 or KL7QT/7 is a Hawaiian
// or Alaskan licensee operating in the 7th call area of the contiguous states, so every US
// call with /digit becomes that area's K prefix ("K7").  Japan's JD1 calls (Ogasawara,
// Minami Torishima) likewise sign /digit on the main islands (JD1BHH/6 -> "JA6").
std::string MoveCallArea(std::string_view home, char digit);

// "K4" + suffix for a US call of the KG4 block (KG4A, KG4ABC), empty for every other call.
std::string UsCallOfKg4(std::string_view call);

// Prefix lookup of a call, with the KG4 split above.
template <typename Finder>
auto PrefixOfCall(std::string_view call, const Finder& finder) -> decltype(finder.Prefix(call)) {
  const std::string us = UsCallOfKg4(call);
  return us.empty() ? finder.Prefix(call) : finder.Prefix(us);
}

// Resolves `call` through `finder`, which offers Exact(call) (an exact-call token matching
// the whole text) and Prefix(call) (the longest listed prefix of the first 4..1 characters),
// both returning a result that is false when nothing matched.
template <typename Finder>
auto ResolveCall(std::string_view call, const Finder& finder) -> decltype(finder.Exact(call)) {
  using Result = decltype(finder.Exact(call));
  if (call.find('/') == std::string_view::npos) {
    if (Result hit = finder.Exact(call)) return hit;
    return PrefixOfCall(call, finder);
  }
  if (Result hit = finder.Exact(call)) return hit;
  const SlashCall parts = SplitSlashCall(call);
  if (parts.noCountry) return Result{};
  if (parts.core != call) {
    if (Result hit = finder.Exact(parts.core)) return hit;
  }
  if (parts.location.empty() && parts.areaDigit != 0) {
    // The moved call is made up, not a station: only its prefix may match.
    const std::string moved = MoveCallArea(parts.home, parts.areaDigit);
    if (!moved.empty()) {
      if (Result hit = finder.Prefix(moved)) return hit;
    }
  }
  const std::string_view where = parts.location.empty() ? parts.home : parts.location;
  if (where != parts.core) {  // else it was tried above, as the core or as the whole call
    if (Result hit = finder.Exact(where)) return hit;
  }
  return PrefixOfCall(where, finder);
}

}  // namespace vk::country_detail
