#include "score/score_context.h"

#include <algorithm>

#include "country/dxcc_parent.h"
#include "score/text_util.h"

namespace vk {

bool IsMaritimeMobile(std::string_view call) {
  auto slash = call.find('/');
  while (slash != std::string_view::npos) {
    call.remove_prefix(slash + 1);
    slash = call.find('/');
    auto part = call.substr(0, slash);
    if (score_text::EqualNoCase(part, "MM") || score_text::EqualNoCase(part, "AM")) return true;
  }
  return false;
}

std::string_view ScoreContext::CountryKey(const CountryInfo& info) const {
  std::string_view prefix = info.primaryPrefix;
  if (!dxccCountries_ || !prefix.starts_with('*')) return prefix;
  return DxccParentPrefix(prefix);
}

int RussianZoneOfEntry(std::uint16_t n) {
  if ((n >= 5 && n <= 13) || n == 58) return 1;
  if (n >= 14 && n <= 55) return 2;
  switch (n) {
    case 56: case 57: case 59: case 60: case 64: case 67: case 68: case 70:
      return 3;
    case 61: case 62: case 63: case 65: case 66: case 69: case 71: case 72: case 73:
    case 84: case 85:
      return 4;
    case 81: case 83: case 87:
      return 5;
    case 74: case 75: case 76: case 78: case 80: case 82:
      return 6;
    case 77: case 79: case 86:
      return 7;
    default:
      return 0;
  }
}

void ScoreContext::AddDomestic(std::string_view entry) {
  domestic_.emplace_back(entry);
  // A repeated entry keeps the place of its first occurrence: that one is found first.
  domesticFirst_.try_emplace(std::string(entry), domestic_.size() - 1);
  auto len = std::lower_bound(domesticLengths_.begin(), domesticLengths_.end(), entry.size());
  if (len == domesticLengths_.end() || *len != entry.size())
    domesticLengths_.insert(len, entry.size());
}

const std::string* ScoreContext::FindDomestic(std::string_view text) const {
  std::size_t best = domestic_.size();
  for (std::size_t len : domesticLengths_) {
    if (len > text.size()) break;
    for (std::size_t at = 0; at + len <= text.size(); ++at) {
      auto it = domesticFirst_.find(text.substr(at, len));
      if (it != domesticFirst_.end()) best = std::min(best, it->second);
      if (len == 0) break;
    }
  }
  return best < domestic_.size() ? &domestic_[best] : nullptr;
}

const std::string* ScoreContext::FindDomesticWord(std::string_view text) const {
  std::size_t best = domestic_.size();
  while (!text.empty()) {
    auto end = text.find_first_of(" /");
    auto it = domesticFirst_.find(text.substr(0, end));
    if (it != domesticFirst_.end()) best = std::min(best, it->second);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return best < domestic_.size() ? &domestic_[best] : nullptr;
}

void ScoreContext::SetLists(const CountryList* world, const CountryList* russian) {
  world_ = world;
  russian_ = russian;
  ownRussianZone_ = -1;
  ForgetLookups();
}

bool ScoreContext::SetOwnCall(std::string_view call) {
  ownCall_ = call;
  ownRussianZone_ = -1;
  own_.Clear();
  if (call.empty()) return true;
  if (world_ == nullptr) return false;
  return LookupCountry(*world_, call, own_) != 0;
}

void ScoreContext::SetOwnStation(std::string_view call, const CountryInfo& info) {
  ownCall_ = call;
  ownRussianZone_ = -1;
  own_ = info;
}

int ScoreContext::OwnRussianZone() {
  if (ownRussianZone_ < 0) {
    CountryInfo info;
    ownRussianZone_ =
        russian_ == nullptr ? 0 : RussianZoneOfEntry(LookupCountry(*russian_, ownCall_, info));
  }
  return ownRussianZone_;
}

const CountryInfo& ScoreContext::WorldInfo(std::string_view call) {
  return Lookup(world_, worldCache_, call);
}

const CountryInfo& ScoreContext::RussianInfo(std::string_view call) {
  return Lookup(russian_, russianCache_, call);
}

void ScoreContext::ForgetLookups() {
  worldCache_.valid = false;
  russianCache_.valid = false;
}

const CountryInfo& ScoreContext::Lookup(const CountryList* list, Cached& cache,
                                        std::string_view call) {
  if (cache.valid && cache.call == call) return cache.info;
  cache.call.assign(call);
  cache.valid = true;
  if (list == nullptr || IsMaritimeMobile(call)) {
    cache.info.Clear();
  } else {
    LookupCountry(*list, call, cache.info);
  }
  return cache.info;
}

}  // namespace vk
