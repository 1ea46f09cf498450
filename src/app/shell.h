// The shell's own logic, without a terminal: the program-wide values it owns, the idle pass and
// tick, the global key translation and the command dispatch.  The terminal application drives it
// (keys in, one idle pass per loop pass) and carries out what it asks for through ShellActions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "app/command_bus.h"
#include "app/key_translation.h"
#include "app/status_texts.h"

namespace vk {

// What the idle pass needs from the network thread's exchange record.
class NetworkLink {
 public:
  virtual ~NetworkLink() = default;
  virtual bool TakeChecksumReceived() = 0;  // reads and clears the flag
  virtual bool TakeMessageReceived() = 0;   // reads and clears the flag
  virtual std::uint32_t PeerChecksum() const = 0;
  virtual void SetOwnChecksum(std::uint32_t crc) = 0;
  // The stations repair differences by themselves; differing checksums then ask nothing of the
  // operator (they are shown in the status line).
  virtual bool Repairing() const { return false; }
  // The network thread runs (the group is configured and switched on).
  virtual bool Enabled() const { return false; }
};

// No network: nothing ever arrives.
class NullNetworkLink final : public NetworkLink {
 public:
  bool TakeChecksumReceived() override { return false; }
  bool TakeMessageReceived() override { return false; }
  std::uint32_t PeerChecksum() const override { return 0; }
  void SetOwnChecksum(std::uint32_t) override {}
};

// The group's log exchange as the shell reaches it: what arrived is applied, on the UI thread.
// Changes made here reach the group from the logbook's change feed, not through the shell.
class GroupExchange {
 public:
  virtual ~GroupExchange() = default;
  // Called by the idle pass that sees the network thread's flag; the log, its file and the
  // window models have taken every change when it returns.
  virtual void HandleIncoming() = 0;
};

// What the shell asks of the screen.  The first group is the shell's own; the hooks below it
// belong to windows and dialogs of other parts of the program and do nothing until those are
// plugged in.
class ShellActions {
 public:
  virtual ~ShellActions() = default;
  virtual void Quit() = 0;
  virtual void ShowErrorBox(std::string_view cp866Text) = 0;
  virtual void ShowInformation(std::string_view cp866Text) = 0;
  virtual void ShowAbout() = 0;
  virtual void ShowStatusTexts(const StatusTexts& texts) = 0;

  virtual void OpenOperatingWindows() {}
  virtual void SelectLogWindow() {}
  virtual void SelectEntryWindow() {}
  virtual bool RunCwSetup() { return false; }  // true when confirmed
  virtual void RunCwMessageEditor() {}         // only when the CW window is open
  virtual void RunNewContest(int /*entry*/) {}
  virtual void WriteCabrillo() {}
  virtual void WriteHtmlReport() {}
  virtual void SaveLog() {}
  virtual void ShowHelpTopic() {}
  virtual void ShowClockHelp() {}
  virtual void RunStationSetup() {}
  virtual void RunRigSetup() {}
  virtual void ExportAdif() {}
  virtual void ImportAdif() {}
  virtual void RunQsoDialog(CommandId /*which*/, int /*position*/) {}
  virtual bool RunSynchronization() { return false; }  // true: receive the other station's log
  virtual void ReceiveLog() {}
  virtual void RunNetworkSetup() {}
};

inline constexpr std::string_view kRebootText = "Restart the program";
// A mismatch count of this value means the checksum comparison is suspended.
inline constexpr std::uint8_t kSyncSuspended = 255;
inline constexpr std::uint8_t kSyncMismatchLimit = 10;

struct ShellState {
  bool NoContest = false;
  bool DiscardLog = false;
  KeyCode lastKey = 0;
  std::uint8_t syncMismatchCount = 0;
  std::string contestName;         // at most 16
  std::string contestDisplayName;  // at most 40
  std::string ownCall;             // at most 16
};

class Shell final : public MessageTarget {
 public:
  // Raises the program-wide counter that gives new QSOs their Guid by one and returns the new
  // value.
  using RaiseCounter = std::function<std::int32_t()>;

  // The shell becomes the bus's application handler.
  Shell(CommandBus& bus, ShellActions& actions, RaiseCounter raiseQsoIdCounter);
  ~Shell() override;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  ShellState& state() { return state_; }
  const ShellState& state() const { return state_; }
  void SetNetwork(NetworkLink* link);  // nullptr: no network
  // Where received messages are applied and logged QSOs sent; nullptr: nowhere.
  void SetExchange(GroupExchange* exchange) { exchange_ = exchange; }
  void SetLogChecksum(std::function<std::uint32_t()> logCrc);
  // The radio's part of the status line; unset: none.
  void SetRigStatus(std::function<std::string()> text) { rigStatus_ = std::move(text); }

  // A key that reached the application while global keys are active (no modal dialog, no open
  // menu).  Keyer keys are sent as keyer commands here; the caller passes the rest on.
  KeyTranslation HandleKey(KeyCode key);
  // Keys outside the global translation (inside dialogs) still count as the last key.
  void NoteKey(KeyCode key) { state_.lastKey = key; }

  // One idle pass: counter, received messages applied, checksum reports, status texts, tick.
  void IdlePass();

  void HandleMessage(Message& m) override;

 private:
  void OnTick();
  void PollChecksums(std::uint32_t logCrc);
  bool Dispatch(const Message& m);  // by the command table; true when handled
  bool DispatchBroadcast(const Message& m);
  void RunSynchronization();

  CommandBus& bus_;
  ShellActions& actions_;
  RaiseCounter raiseCounter_;
  NullNetworkLink nullNet_;
  NetworkLink* net_ = &nullNet_;
  GroupExchange* exchange_ = nullptr;
  std::function<std::uint32_t()> logCrc_;
  std::function<std::string()> rigStatus_;
  ShellState state_;
  bool peerHeard_ = false;                // a checksum report of another station has arrived
  bool startupIssued_ = false;            // the start-up command went out on the first tick
};

// The error box text for an error broadcast (CP866 bytes); empty for any other number.
std::string_view ErrorBoxText(CommandId command);

}  // namespace vk
