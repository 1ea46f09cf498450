#include <array>

#include "country/slash_call.h"
#include "score/multi_rule.h"
#include "score/text_util.h"
#include "util/strings.h"

namespace vk {

namespace {

using score_text::IsDigit;

// The separator of exchange fields: the first "/", or the first space when there is no "/".
std::size_t SeparatorOf(std::string_view rx) {
  auto p = rx.find('/');
  return p != std::string_view::npos ? p : rx.find(' ');
}

// A zone key: the field after the separator when it reads as a number in 1..max.  The key is
// the number itself, so "05" and "5" are one zone.
bool ZoneKey(std::string_view rx, int max, std::string& scratch, std::string_view& key) {
  auto sep = SeparatorOf(rx);
  if (sep == std::string_view::npos) return false;
  long long n = 0;
  if (!TryStrToInt(rx.substr(sep + 1), n) || n < 1 || n > max) return false;
  scratch = IntToStr(n);
  key = scratch;
  return true;
}

bool FieldKey(MultiKind kind, std::string_view rx, std::string_view& key) {
  auto sep = SeparatorOf(rx);
  if (sep == std::string_view::npos) return false;
  if (kind == MultiKind::kRxNr1) {
    key = rx.substr(0, sep);
  } else if (kind == MultiKind::kRxNr3) {
    auto rest = rx.substr(sep + 1);
    auto next = SeparatorOf(rest);
    if (next == std::string_view::npos) return false;
    key = rest.substr(next + 1);
  } else {
    key = rx.substr(sep + 1);
  }
  return true;
}

// The prefix of a call or of a portable designator: up to its last digit (N8BJQ -> N8,
// HG19ABC -> HG19, VP2E -> VP2).  A call of letters only counts as its first two letters and
// a zero (XEFTJW -> XE0), and so does a designator without a digit (PA -> PA0, F -> F0).
std::string CallPrefix(std::string_view text, bool designator) {
  bool digit = false;
  for (char c : text) digit = digit || IsDigit(c);
  if (designator && !digit) return std::string(text.substr(0, 2)) + '0';
  while (!text.empty() && !IsDigit(text.back()) && text.size() >= 3) text.remove_suffix(1);
  std::string prefix(text);
  if (prefix.size() == 2 && !IsDigit(prefix[0]) && !IsDigit(prefix[1])) prefix += '0';
  return prefix;
}

}  // namespace

// The call is split as the country lookup splits it, so marks that name no place (/P, /QRP, a
// single letter, /70) are never a prefix and the place a station works from is the same
// part for the country and for the prefix.
std::string WpxPrefix(std::string_view call) {
  const country_detail::SlashCall parts = country_detail::SplitSlashCall(call);
  if (call.starts_with('/') && parts.home.size() <= 1) return {};  // "/P": marks, no call
  // Working from another country: the portable designator is the prefix (N8BJQ/KH9 -> KH9,
  // PA/N8BJQ -> PA0).
  if (!parts.location.empty()) return CallPrefix(parts.location, true);
  std::string prefix = CallPrefix(parts.home, false);
  // A call-area digit after the call moves the prefix to that area: K1ABC/4 counts as K4.
  if (parts.areaDigit != 0 && !prefix.empty() && IsDigit(prefix.back())) {
    prefix.back() = parts.areaDigit;
  }
  return prefix;
}

bool MultiKeyOf(MultiKind kind, std::string_view call, std::string_view rx, ScoreContext& ctx,
                std::string& scratch, std::string_view& key) {
  switch (kind) {
    case MultiKind::kNewCall:
      key = call;
      break;
    case MultiKind::kZoneCq:
      return ZoneKey(rx, 40, scratch, key);
    case MultiKind::kZoneItu:
      return ZoneKey(rx, 90, scratch, key);
    case MultiKind::kZoneRf:
      key = rx.substr(0, 1);
      break;
    case MultiKind::kRfObl: {
      const CountryInfo& info = ctx.RussianInfo(call);
      if (!info.Found()) return false;
      key = info.primaryPrefix;
      break;
    }
    case MultiKind::kDxcc: {
      const CountryInfo& info = ctx.WorldInfo(call);
      if (!info.Found()) return false;
      key = ctx.CountryKey(info);
      break;
    }
    case MultiKind::kRda:
      key = rx.size() > 4 ? rx.substr(rx.size() - 4) : rx;
      break;
    case MultiKind::kRda1:
      key = rx.substr(0, 4);
      break;
    case MultiKind::kWpx:
      scratch = WpxPrefix(call);
      key = scratch;
      break;
    case MultiKind::kRxNr:
    case MultiKind::kRxNr1:
    case MultiKind::kRxNr3:
    case MultiKind::kDomestic:
      if (!FieldKey(kind, rx, key)) return false;
      break;
    case MultiKind::kField:
      return false;  // read by the rule itself, from the declared fields
  }
  // An empty text is no multiplier: "599/" must not count as a region.
  return !key.empty();
}

}  // namespace vk
