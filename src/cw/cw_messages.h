// The stored CW messages: one text per message key (F1 to F12, Ins and the unshifted keys
// "-", "=", "[", "]", ",", "."), and the macros a message may hold, filled in at the moment the
// key is pressed:
//   $  the own call sign
//   #  the number to send (the TxNr line of the entry window), with the cut numbers applied
//   @  the worked station's call (the Call line, else the last call of the log)
//   {MYCALL}   as $
//   {HISCALL}  as @ ({CALL} too)
//   {NR}       the number to send without the report in front of it ("599 016" sends 016)
//   {EXCH}     the whole exchange to send, a 599 in front sent as 5NN ("5NN 016")
// A station that has stored no message at all starts with a working set for a CW contest in
// the places every contest logger keeps them (F1 CQ, F2 exchange, F3 TU, ...).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "config/settings.h"
#include "util/result.h"

namespace vk {

// PC keyboard codes of the message keys, in the order of kCwMessageLabels (which is also the
// order of the editor's rows and of the lines in vorkan.cfg).  The "+", "<" and ">" keys are
// known by the unshifted character of their key: "=", "," and ".".
inline constexpr std::array<std::uint16_t, kCwMessageCount> kCwMessageKeys = {
    0x3B00, 0x3C00, 0x3D00, 0x3E00, 0x3F00, 0x4000, 0x4100, 0x4200, 0x4300, 0x4400,
    0x8500, 0x8600, 0x5200, 0x0C2D, 0x0D3D, 0x1A5B, 0x1B5D, 0x332C, 0x342E};
// F10 calls: its message goes out again and again until stopped.
inline constexpr std::uint16_t kCallingMessageKey = 0x4400;
// The keyer's text holds no more than this.
inline constexpr std::size_t kCwMessageMaxLength = 255;

struct CwMessage {
  std::uint16_t KeyCode = 0;
  std::string Text;
};

// One message per key, in the fixed key order; every key is always present.
class CwMessageList {
 public:
  CwMessageList();  // all texts empty
  explicit CwMessageList(const CwMessages& stored);

  // Reads CWMESSAGE; a file that is missing is created with only the section's comment, and a
  // failed creation is returned (the texts are read either way).
  Status Load(const std::string& path = ConfigPath());
  // Sets all 19 keys and writes the file; a key that never had a message and has none now
  // gets no line.
  bool Save(const std::string& path = ConfigPath()) const;

  // The message of the key, "" for a key that carries none.
  std::string TextOf(std::uint16_t keyCode) const;
  // The key's message becomes `text` (cut to what the keyer can hold).  Unknown keys are
  // ignored.
  void Replace(std::uint16_t keyCode, std::string_view text);

  const std::vector<CwMessage>& Messages() const { return messages_; }
  CwMessages Stored() const;

 private:
  std::vector<CwMessage> messages_;
};

// Whether the key carries a CW message.
bool IsCwMessageKey(std::uint16_t keyCode);

// What the macros stand for at the moment a message key is pressed.
struct MacroValues {
  std::string_view ownCall;   // Main/Call of the configuration
  std::string_view txNr;      // the entry window's TxNr line
  std::string_view call;      // the entry window's Call line
  std::string_view lastCall;  // the call of the last QSO in the log, "" for an empty log
};

// The text to key for a message: "$" becomes the own call, "#" the number with the cut-number
// flags applied to it alone, "@" the call (the last logged call while the Call line is empty).
// The macros are filled in in that order, each over the whole text, so a "$" typed into the
// Call line stays a "$"; what one macro put in is never searched for that same macro again.
// The result is in upper case (the keyer has no codes for small letters) and at most 255
// characters long.
std::string Expand(std::string_view text, std::uint8_t cutNumbers, const MacroValues& values);

}  // namespace vk
