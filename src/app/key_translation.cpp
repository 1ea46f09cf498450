#include "app/key_translation.h"

namespace vk {
namespace {

// The keys that carry a stored CW message.
bool IsMessageKey(KeyCode key) {
  switch (key) {
    case 0x0C2D:  // "-"
    case 0x0D3D:  // "="
    case 0x1A5B:  // "["
    case 0x1B5D:  // "]"
    case 0x332C:  // ","
    case 0x342E:  // "."
    case kb::kIns:
    case kb::kF11:
    case kb::kF12:
      return true;
    default:
      break;
  }
  if (key >= kb::kF1 && key <= kb::kF10) return true;
  // "\" and "|" share the key; the CW window uses it as its focus toggle.
  return ScanCode(key) == kb::kBackslashScan;
}

KeyTranslation Keyer(CommandId command, KeyCode key) {
  return {KeyTranslation::Kind::kKeyer, command, key};
}

}  // namespace

KeyTranslation TranslateKey(KeyCode key) {
  switch (key) {
    case kb::kEsc:
      return Keyer(cm::kKeyerAbort, key);
    case kb::kAltF7:
      return Keyer(cm::kKeyerStandbyDown, key);
    case kb::kAltF8:
      return Keyer(cm::kKeyerStandbyUp, key);
    case kb::kAltF10:
      return {KeyTranslation::Kind::kReplace, 0, kb::kF10};
    case kb::kAlt1:
      return Keyer(cm::kKeyerToggleOne, key);
    case kb::kAlt9:
      return Keyer(cm::kKeyerToggleNine, key);
    case kb::kAlt0:
      return Keyer(cm::kKeyerCycleZero, key);
    case kb::kAltF11:
      return Keyer(cm::kKeyerSpeedDown, key);
    case kb::kAltF12:
      return Keyer(cm::kKeyerSpeedUp, key);
    default:
      break;
  }
  if (IsMessageKey(key)) return Keyer(cm::kKeyerMessageKey, key);
  return {KeyTranslation::Kind::kPass, 0, key};
}

CommandId MenuHotKeyCommand(KeyCode key) {
  switch (key) {
    case kb::kAltO:
      return cm::kCabrillo;
    case kb::kAltM:
      return cm::kCwMessage;
    case kb::kAltB:
      return cm::kBandMap;
    case kb::kAltK:
      return cm::kClusterConsole;
    case kb::kAltP:
      return cm::kSpotQso;
    case kb::kAltS:
      return cm::kToggleScp;
    case kb::kAltR:
      return cm::kToggleRate;
    case kb::kAltC:
      return cm::kPickCall;
    case kb::kAltW:
      return cm::kNextSideWindow;
    default:
      return 0;
  }
}

}  // namespace vk
