// Internal: the country-file reader behind CountryList::FromFile / FromText.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "country/country.h"

namespace vk {

std::vector<CountryEntry> ParseCountryText(std::string_view text);
// False when the file cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& out);

}  // namespace vk
