// Enter Sends Message: the contester's habit of working a whole QSO with Enter alone.  The
// operator is either running (calling CQ on a frequency of his own) or searching and pouncing
// (answering other stations' CQs), and Enter sends what that moment of the QSO needs:
//
//   Run: Enter on an empty Call sends CQ (F1); with a call, the call and the exchange (F5, F2)
//        and the cursor goes to RxNr; with the exchange, the QSO is logged and TU goes out (F3).
//        Enter in RxNr with nothing received asks again (F8).  A repeat sends the worked-before
//        message (F6) when one is stored.
//   S&P: Enter with a call sends the own call (F4); with the exchange, the exchange (F2) goes
//        out and the QSO is logged.  Enter in RxNr with nothing received calls again (F4).
//        A repeat sends nothing.
//
// The messages are the stored ones of those keys, sent as if the operator pressed them, so the
// macros are filled in from the entry window at that moment.  Only in CW: in other modes Enter
// does what it does without ESM.  With ESM off, Enter only checks and logs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_bus.h"
#include "app/station.h"
#include "app/views/entry_window_model.h"
#include "app/views/view_model.h"
#include "util/key_codes.h"

namespace vk {

enum class OperatingStyle : std::uint8_t { kRun = 0, kSearchAndPounce = 1 };

struct EsmSettings {
  bool enabled = true;
  OperatingStyle style = OperatingStyle::kRun;
};

// [Main] Esm=1 (Enter sends messages) and Run=1 (running; 0 searching and pouncing).
EsmSettings ReadEsmSettings(const std::string& configPath);
bool WriteEsmSettings(const EsmSettings& s, const std::string& configPath);

// What Enter will do now: the message keys it sends, in order, and a short word for it.
struct EsmPlan {
  std::vector<KeyCode> keys;
  std::string_view what;  // "CQ", "CALL+EXCH", "LOG+TU", ...
};

// The message keys Enter works with.
namespace esm_key {
inline constexpr KeyCode kCq = kb::kF1;
inline constexpr KeyCode kExchange = kb::kF1 + 0x0100;   // F2
inline constexpr KeyCode kThanks = kb::kF1 + 0x0200;     // F3
inline constexpr KeyCode kOwnCall = kb::kF1 + 0x0300;    // F4
inline constexpr KeyCode kHisCall = kb::kF1 + 0x0400;    // F5
inline constexpr KeyCode kWorkedB4 = kb::kF1 + 0x0500;   // F6
inline constexpr KeyCode kAgain = kb::kF1 + 0x0700;      // F8
}  // namespace esm_key

class EsmModel final : public ViewModel {
 public:
  // `station` and `entry` outlive the model; the settings are read from the station's
  // vorkan.cfg.
  EsmModel(Station& station, EntryModel& entry);

  bool Enabled() const { return settings_.enabled; }
  OperatingStyle Style() const { return settings_.style; }
  // Both write [Main] of vorkan.cfg at once.
  void SetEnabled(bool on);
  void ToggleStyle();

  // What the entry window shows: "RUN", "S&P", with " ESM" while Enter sends messages.
  std::string StyleText() const;
  // What the next Enter will send; no keys while ESM is off or not in CW.
  EsmPlan Plan() const;

  // Enter in the entry window: the messages of the plan go out and the entry does its part.
  EntryResult Enter();

  // Options > Enter sends messages (kToggleEsm) turns ESM on or off.
  void HandleMessage(Message& m) override;

 private:
  bool Sending() const;
  // The keys' messages go out as one text (nothing while not sending).
  void Send(std::vector<KeyCode> keys);
  // The entry's own Enter in Call; true when the call turned out a repeat.
  bool EnterCall(EntryResult& r);
  // The entry's own Enter in an exchange line; true when the QSO went into the log.
  bool EnterExchange(EntryResult& r);

  Station& station_;
  EntryModel& entry_;
  EsmSettings settings_;
  // The call the exchange went out to: a call corrected after that is sent again with TU.
  std::string sentTo_;
  // S&P: the call and exchange the exchange message went out with, so that the second Enter of
  // a warning does not send it once more.
  std::string spSent_;
};

}  // namespace vk
