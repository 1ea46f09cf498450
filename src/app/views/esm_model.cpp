#include "app/views/esm_model.h"

#include "config/ini_file.h"
#include "util/strings.h"

namespace vk {

namespace {

constexpr std::string_view kMain = "Main";

}  // namespace

EsmSettings ReadEsmSettings(const std::string& configPath) {
  const IniFile ini(configPath);
  EsmSettings s;
  // A station of an older version keeps its Enter as it was until the operator turns ESM on.
  s.enabled = ini.GetIntEntry(kMain, "Esm", 0) != 0;
  s.style = ini.GetIntEntry(kMain, "Run", 1) != 0 ? OperatingStyle::kRun
                                                  : OperatingStyle::kSearchAndPounce;
  return s;
}

bool WriteEsmSettings(const EsmSettings& s, const std::string& configPath) {
  IniFile ini(configPath);
  ini.SetIntEntry(kMain, "Esm", s.enabled ? 1 : 0);
  ini.SetIntEntry(kMain, "Run", s.style == OperatingStyle::kRun ? 1 : 0);
  return ini.Update();
}

EsmModel::EsmModel(Station& station, EntryModel& entry)
    : ViewModel(station.Bus()),
      station_(station),
      entry_(entry),
      settings_(ReadEsmSettings(station.PathOf(kConfigFileName))) {}

void EsmModel::SetEnabled(bool on) {
  settings_.enabled = on;
  (void)WriteEsmSettings(settings_, station_.PathOf(kConfigFileName));
}

void EsmModel::ToggleStyle() {
  settings_.style = settings_.style == OperatingStyle::kRun ? OperatingStyle::kSearchAndPounce
                                                            : OperatingStyle::kRun;
  (void)WriteEsmSettings(settings_, station_.PathOf(kConfigFileName));
}

std::string EsmModel::StyleText() const {
  std::string s = settings_.style == OperatingStyle::kRun ? "RUN" : "S&P";
  if (settings_.enabled) s += " ESM";
  return s;
}

bool EsmModel::Sending() const {
  return settings_.enabled && station_.CurrentMode() == Mode::kCw;
}

EsmPlan EsmModel::Plan() const {
  if (!Sending()) return {};
  const bool run = settings_.style == OperatingStyle::kRun;
  if (entry_.Focus() == EntryField::kCall) {
    if (Trim(entry_.CallText()).empty()) return run ? EsmPlan{{esm_key::kCq}, "CQ"} : EsmPlan{};
    if (run) return {{esm_key::kHisCall, esm_key::kExchange}, "CALL+EXCH"};
    return {{esm_key::kOwnCall}, "MYCALL"};
  }
  if (entry_.RxNrText().empty()) {
    return run ? EsmPlan{{esm_key::kAgain}, "AGN"} : EsmPlan{{esm_key::kOwnCall}, "MYCALL"};
  }
  if (!run) return {{esm_key::kExchange}, "EXCH+LOG"};
  if (Trim(entry_.CallText()) != sentTo_) return {{esm_key::kHisCall, esm_key::kThanks}, "LOG+TU"};
  return {{esm_key::kThanks}, "LOG+TU"};
}

void EsmModel::Send(std::vector<KeyCode> keys) {
  if (!Sending() || keys.empty()) return;
  station_.Bus().Send(EventClass::kKeyer, cm::kKeyerMessages, MessageInfo::Pointer(&keys));
}

EntryResult EsmModel::Enter() {
  if (!settings_.enabled) return entry_.Enter();
  const bool run = settings_.style == OperatingStyle::kRun;
  EntryResult r;
  if (entry_.Focus() == EntryField::kCall) {
    if (Trim(entry_.CallText()).empty()) {
      if (run) Send({esm_key::kCq});
      return r;
    }
    if (EnterCall(r)) {
      // A worked-before message that is not stored sends nothing.
      if (run) Send({esm_key::kWorkedB4});
      return r;
    }
    if (entry_.Focus() == EntryField::kCall) return r;  // the entry kept the cursor in Call
    if (run) {
      sentTo_ = Trim(entry_.CallText());
      Send({esm_key::kHisCall, esm_key::kExchange});
    } else {
      Send({esm_key::kOwnCall});
    }
    return r;
  }
  if (entry_.RxNrText().empty()) {
    Send({run ? esm_key::kAgain : esm_key::kOwnCall});
    return r;
  }
  const std::string call = Trim(entry_.CallText());
  if (run) {
    // A call corrected after the exchange went out is sent again, so the other station knows.
    const bool corrected = call != sentTo_;
    if (EnterExchange(r)) {
      // The Call line is empty now: the call macro sends the call just logged.
      Send(corrected ? std::vector<KeyCode>{esm_key::kHisCall, esm_key::kThanks}
                     : std::vector<KeyCode>{esm_key::kThanks});
      sentTo_.clear();
    }
    return r;
  }
  // S&P: the exchange goes out before the QSO is logged, while TxNr still holds its number.  A
  // second Enter after a warning about what was typed does not send it again.
  const std::string sent = call + '\n' + entry_.TxNrText() + '\n' + entry_.RxNrText();
  if (!call.empty() && sent != spSent_) {
    Send({esm_key::kExchange});
    spSent_ = sent;
  }
  if (EnterExchange(r)) spSent_.clear();
  return r;
}

void EsmModel::HandleMessage(Message& m) {
  if (m.what != EventClass::kCommand || m.command != cm::kToggleEsm) return;
  SetEnabled(!settings_.enabled);
  m.handled = true;
}

bool EsmModel::EnterCall(EntryResult& r) {
  r = entry_.Enter();
  return entry_.Focus() == EntryField::kCall && entry_.FirstMessage() == kRepeatText;
}

bool EsmModel::EnterExchange(EntryResult& r) {
  r = entry_.Enter();
  // Logging clears the entry; a warning keeps what was typed.
  return entry_.Focus() == EntryField::kCall && entry_.CallText().empty();
}

}  // namespace vk
