#include "app/station_setup.h"

#include <regex>

#include "config/settings.h"
#include "util/bands.h"
#include "util/strings.h"

namespace vk {

StationForm CurrentStationForm(const Station& station) {
  StationForm f;
  f.call = station.OwnCall() == kPlaceholderCall ? std::string() : station.OwnCall();
  f.exchange = station.Settings().main.txnr;
  f.locator = station.Settings().main.locator;
  return f;
}

bool IsCallSign(std::string_view call) {
  if (call.size() < 3 || call.size() > 16) return false;
  // One part is the call itself: a prefix of one to three characters, the call-area digit and
  // a suffix ending in a letter (DL1ABC, 4U1ITU, 3DA0RU); the others are short designators of
  // a country or an operating condition (EA8/, /P, /QRP, /MM).
  static const std::regex kBase{"[A-Z0-9]{1,3}[0-9][A-Z0-9]{0,3}[A-Z]"};
  static const std::regex kDesignator{"[A-Z0-9]{1,4}"};
  bool base = false;
  std::size_t from = 0;
  while (from <= call.size()) {
    std::size_t slash = call.find('/', from);
    if (slash == std::string_view::npos) slash = call.size();
    const std::string part(call.substr(from, slash - from));
    if (!base && std::regex_match(part, kBase)) {
      base = true;
    } else if (!std::regex_match(part, kDesignator)) {
      return false;
    }
    from = slash + 1;
  }
  return base;
}

bool IsLocator(std::string_view locator) {
  // A square of four characters is checked as its middle sub-square.
  if (locator.size() != 4 && locator.size() != 6) return false;
  Position p;
  return LocatorPosition(locator.size() == 4 ? std::string(locator) + "LL" : std::string(locator),
                         p)
      .ok();
}

Status ApplyStationForm(Station& station, ShellState& state, const StationForm& form) {
  const std::string call = UpperCase(Trim(form.call));
  if (!IsCallSign(call)) return Status::Error(ErrCode::kBadInput, "\"" + call + "\" is not a call");
  const std::string locator = UpperCase(Trim(form.locator));
  if (!locator.empty() && !IsLocator(locator)) {
    return Status::Error(ErrCode::kBadInput, "\"" + locator + "\" is not a locator");
  }
  TTreeRules& rules = station.Rules();
  if (!rules.SetOwnCall(call)) {
    rules.SetOwnCall(station.OwnCall());  // the old call stays in force
    return Status::Error(ErrCode::kNotFound, call + " is not in the country list");
  }
  MainSettings& main = station.Settings().main;
  main.call = call;
  main.txnr = Trim(form.exchange);
  main.locator = locator;
  if (!WriteMainSettings(main, station.PathOf(kConfigFileName))) {
    return Status::Error(ErrCode::kIo, "vorkan.cfg could not be written");
  }
  rules.SetOwnExchange(main.txnr);
  station.SetOwnCall(call);
  state.ownCall = call;
  // The entry window's TxNr follows the new call and exchange.
  station.Bus().SendCommand(cm::kRefreshTxNr);
  // Points depend on the own continent and country: the log is scored again from the new call.
  return station.Book().Rescore(LogOrigin::kRules);
}

}  // namespace vk
