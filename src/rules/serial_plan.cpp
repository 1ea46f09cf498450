#include "rules/serial_plan.h"

#include "util/strings.h"

namespace vk {

std::optional<SerialScope> SerialScopeOf(std::string_view text) {
  const std::string t = UpperCase(Trim(text));
  if (t == "LOG") return SerialScope::kLog;
  if (t == "STATION") return SerialScope::kStation;
  if (t == "BAND") return SerialScope::kBand;
  return std::nullopt;
}

std::string SerialScopeText(SerialScope scope) {
  switch (scope) {
    case SerialScope::kStation:
      return "STATION";
    case SerialScope::kBand:
      return "BAND";
    case SerialScope::kLog:
      break;
  }
  return "LOG";
}

int GuidStationPart(std::int32_t guid) {
  return static_cast<int>((static_cast<std::uint32_t>(guid) >> 24) & 0x7F);
}

}  // namespace vk
