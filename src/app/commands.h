// Every number that travels between the shell and the windows: the event classes of a message
// and the command and broadcast numbers.  A window or menu item is wired by these numbers, never
// by a label text.  The toolkit's own commands keep their classic meaning (1 quit, 5 zoom, 10 OK).
#pragma once

#include <cstdint>

namespace vk {

using CommandId = std::uint16_t;

// What kind of message it is; decides who gets it (see CommandBus).
enum class EventClass : std::uint16_t {
  kCommand = 0x0100,    // one receiver: the first that handles it
  kBroadcast = 0x0200,  // every window
  kKeyer = 0x2000,      // a global key turned into a keyer command; every window
  kStatus = 0x4000,     // a checksum report arrived from the network; every window
  kTick = 0x8000,       // once per idle pass; views with changing data redraw
};

namespace cm {

// The toolkit's standard commands.
inline constexpr CommandId kQuit = 1;
inline constexpr CommandId kZoom = 5;
inline constexpr CommandId kOk = 10;

// Menu commands; their menu items, keys and actions are rows of app/command_table.cpp.
inline constexpr CommandId kAbout = 0xFA01;
inline constexpr CommandId kVideoMode = 0xFA02;  // menu item without an action
inline constexpr CommandId kCwSetup = 0xFA03;
inline constexpr CommandId kOpenWindows = 0xFA05;
inline constexpr CommandId kCabrillo = 0xFA07;
inline constexpr CommandId kSaveLog = 0xFA08;       // Options > Save...: write the log now
inline constexpr CommandId kClockHelp = 0xFA09;     // Tools > Change time: the clock keys
inline constexpr CommandId kHelpTopic = 0xFA0A;     // Help > Help topic: every key
inline constexpr CommandId kStationSetup = 0xFA0B;  // Options > Station: own call and exchange
inline constexpr CommandId kExportAdif = 0xFA0C;    // File > Export ADIF: the log for uploads
inline constexpr CommandId kImportAdif = 0xFA0D;    // File > Import ADIF: another program's QSOs
inline constexpr CommandId kToggleScp = 0xFA20;     // Options > Check partial (Alt+S)
inline constexpr CommandId kToggleRate = 0xFA21;    // Options > Rate line (Alt+R)
inline constexpr CommandId kStatistics = 0xFA22;    // Tools > Statistics
inline constexpr CommandId kToggleEsm = 0xFA23;     // Options > Enter sends messages
inline constexpr CommandId kPickCall = 0xFA24;      // Alt+C: the next call of the Check list
inline constexpr CommandId kHtmlReport = 0xFA25;    // Tools > Report: the post-contest page
// Broadcast: two lines for the entry window's message lines.  info: an EntryNote.
inline constexpr CommandId kEntryNote = 0x4106;
inline constexpr CommandId kRigSetup = 0xFA0E;      // Options > Rig: the radio's settings
inline constexpr CommandId kCwMessage = 0x400F;
// The DX cluster.
inline constexpr CommandId kClusterSetup = 0xFA30;    // Options > Cluster
inline constexpr CommandId kBandMap = 0xFA31;         // Alt+B: show or hide the band map
inline constexpr CommandId kClusterConsole = 0xFA32;  // Alt+K: show or hide the console
inline constexpr CommandId kSpotQso = 0xFA33;         // Alt+P: spot the call in the entry window
inline constexpr CommandId kNoContest = 0x42FF;  // issued at start-up without a contest
// New contest with entry k of the contest list: kNewContest + k, k = 0 .. kMaxNewContest.
inline constexpr CommandId kNewContest = 0x4300;
inline constexpr int kMaxNewContest = 31;

// Network.
// 0x4032-0x4036 carried records to send; the network now hears the logbook's changes.
inline constexpr CommandId kSynchronize = 0x4037;
inline constexpr CommandId kReceiveLog = 0x4038;
inline constexpr CommandId kNetworkSetup = 0x4039;
inline constexpr CommandId kWholeLogQso = 0x403A;  // broadcast

// Entry window.
inline constexpr CommandId kRefreshTxNr = 0x4020;
inline constexpr CommandId kChangeMode = 0x42FE;

// Broadcasts between windows.
inline constexpr CommandId kSelectLogWindow = 0x4001;
inline constexpr CommandId kSelectEntryWindow = 0x4002;
inline constexpr CommandId kModeChanged = 0x4004;  // info: ModeNumber of the mode
inline constexpr CommandId kBandChanged = 0x4005;  // info: band index
// Command: go to a frequency and mode (a spot taken from a band map); info: a TuneRequest.
inline constexpr CommandId kTuneTo = 0x4006;
inline constexpr CommandId kLogChanged = 0x4100;
// The whole log was scored again: every line of the log window may show other figures.
inline constexpr CommandId kLogRescored = 0x4101;
inline constexpr CommandId kEditQso = 5002;      // info: position
inline constexpr CommandId kDeleteQso = 5004;    // info: position
inline constexpr CommandId kAddQso = 5006;       // info: position
inline constexpr CommandId kQsoInserted = 5007;  // info: position
inline constexpr CommandId kQsoEdited = 5008;    // info: position
inline constexpr CommandId kQsoDeleted = 5009;   // info: position
inline constexpr CommandId kQsoAppended = 5011;  // info: position

// Broadcasts that open the error box with a fixed text.
inline constexpr CommandId kErrComPortName = 0x4200;
inline constexpr CommandId kErrComPortInit = 0x4201;
inline constexpr CommandId kErrMakeDir = 0x4210;
inline constexpr CommandId kErrRepeatSetting = 0x4220;

// Keyer commands (event class kKeyer).
inline constexpr CommandId kKeyerMessageKey = 0x400D;  // info: the PC key code
inline constexpr CommandId kKeyerSpeedDown = 0x4010;
inline constexpr CommandId kKeyerSpeedUp = 0x4011;
inline constexpr CommandId kKeyerStandbyUp = 0x4012;
inline constexpr CommandId kKeyerStandbyDown = 0x4013;
inline constexpr CommandId kKeyerAbort = 0x4014;
inline constexpr CommandId kKeyerCycleZero = 0x4015;
inline constexpr CommandId kKeyerToggleOne = 0x4016;
inline constexpr CommandId kKeyerToggleNine = 0x4017;
// Enter sends messages: the messages of several keys keyed as one text.  info: a
// std::vector<KeyCode>, in the order they go out.
inline constexpr CommandId kKeyerMessages = 0x4018;

// Event class kStatus.
inline constexpr CommandId kChecksumReport = 0x4030;

// Event class kTick.
inline constexpr CommandId kTick = 0;

}  // namespace cm
}  // namespace vk
