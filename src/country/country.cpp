#include "country/country.h"

#include "country/country_file.h"
#include "country/country_index.h"

namespace vk {

CountryList::CountryList() = default;
CountryList::~CountryList() = default;
CountryList::CountryList(CountryList&&) noexcept = default;
CountryList& CountryList::operator=(CountryList&&) noexcept = default;

CountryList CountryList::FromText(std::string_view text) {
  CountryList list;
  list.entries_ = ParseCountryText(text);
  list.BuildIndex();
  return list;
}

CountryList CountryList::FromFile(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) return CountryList{};
  return FromText(text);
}

void CountryList::BuildIndex() {
  index_ = entries_.empty() ? nullptr : std::make_unique<CountryIndex>(entries_);
}

std::uint16_t CountryList::Lookup(std::string_view call, CountryInfo& out) const {
  const CountryInfo* found = index_ ? index_->Resolve(call) : nullptr;
  if (found == nullptr) {
    out.Clear();
    return 0;
  }
  out = *found;
  return found->number;
}

std::uint16_t LookupCountry(const CountryList& list, std::string_view call, CountryInfo& out) {
  return list.Lookup(call, out);
}

CountryLists LoadCountryFiles(const std::string& dataDir) {
  std::string dir = dataDir;
  if (!dir.empty() && dir.back() != '/') dir.push_back('/');
  CountryLists lists;
  lists.world = CountryList::FromFile(dir + kWorldCountryFile);
  lists.russian = CountryList::FromFile(dir + kRussianCountryFile);
  return lists;
}

std::uint16_t LookupWorld(const CountryLists& lists, std::string_view call, CountryInfo& out) {
  return lists.world.Lookup(call, out);
}

std::uint16_t LookupRussian(const CountryLists& lists, std::string_view call, CountryInfo& out) {
  return lists.russian.Lookup(call, out);
}

}  // namespace vk
