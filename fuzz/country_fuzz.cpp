// A country file on any bytes, then lookups of calls of every shape: reading and looking up
// must never crash or hang.
#include <cstdint>
#include <string>
#include <string_view>

#include "country/country.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vk::CountryList list = vk::CountryList::FromText(text);
  vk::CountryInfo info;
  for (const char* call : {"DL1ABC", "W1AW", "UA9XX/P", "VP2E/W1AW", "R3A", "", "/", "A/B/C"}) {
    (void)vk::LookupCountry(list, call, info);
  }
  // Calls taken from the file itself reach the exact-match entries.
  (void)vk::LookupCountry(list, text.substr(0, 24), info);
  return 0;
}
