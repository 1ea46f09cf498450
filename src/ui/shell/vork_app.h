// The application object: the toolkit's event loop with the shell's key translation in front of
// it, the idle pass, and the screen side of the shell's commands.
#pragma once

#include <final/final.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/command_bus.h"
#include "app/session.h"
#include "app/shell.h"
#include "app/station.h"
#include "cw/cw_messages.h"
#include "tui/screen_text.h"
#include "tui/window_select.h"
#include "ui/shell/desktop.h"
#include "util/catalog.h"
#include "util/log_clock.h"

namespace vk::ui {

class OperatingWindows;
class ClusterDesk;

class VorkApp final : public finalcut::FApplication,
                      public ShellActions,
                      public FocusHome,
                      public ScreenLanguage {
 public:
  // `session` holds the station, the bus, the shell and the log exchange, and outlives the
  // application; the shell starts from the state start-up left (own call, contest, NoContest).
  // `catalog` is the operator's language for every text on the screen; an empty one leaves the
  // texts as they are kept.  `charset` is the terminal's (UTF-8 unless the locale says other).
  VorkApp(const int& argc, char* argv[], Session& session, MessageCatalog catalog = {},
          TerminalCharset charset = {});
  // Writes the log unless New contest archived it, then closes every window.
  ~VorkApp() override;

  CommandBus& Bus() { return bus_; }
  Shell& shell() { return shell_; }
  LogClock& Clock() { return station_.Clock(); }
  Station& station() { return station_; }
  const TLogCollection& Log() const { return station_.Log(); }
  Desktop& desktop() { return *desktop_; }

  // ShellActions
  void Quit() override;
  void ShowErrorBox(std::string_view cp866Text) override;
  void ShowInformation(std::string_view cp866Text) override;
  void ShowAbout() override;
  void ShowStatusTexts(const StatusTexts& texts) override;
  // Broadcasts 5002, 5004 and 5006: the Edit, Delete and Add QSO dialogs on the QSO at the
  // position.
  void RunQsoDialog(CommandId which, int position) override;
  // Command 0xFA05, issued once on the first idle pass when a contest is configured (the
  // shell has checked NoContest).  Builds the operating windows on the station's models and
  // selects the entry window.  Until they exist the desktop stays empty.
  void OpenOperatingWindows() override;
  // Broadcasts 0x4001 and 0x4002; nothing before the operating windows are open.
  void SelectLogWindow() override;
  void SelectEntryWindow() override;
  // Command 0xFA03: the CW setup dialog; true when a new port was chosen (the program must
  // then be started again).
  bool RunCwSetup() override;
  // Command 0x400F (Alt+M): the CW message editor, only while the CW window is open.
  void RunCwMessageEditor() override;
  // The stored CW messages, from start-up to the end of the program.
  CwMessageList& CwMessages() { return session_.CwMessages(); }
  // Commands 0x4300 + k: New contest with entry k of the contest list.  Once the old log is
  // archived and the new settings written, the event loop ends and asks for a fresh start.
  void RunNewContest(int entry) override;
  // True after New contest: main starts the program again once this object is gone.
  bool RestartRequested() const { return restart_; }
  // Shown once the operating windows are open: what the first start made (a new station).
  void SetStartNotice(std::string text) { startNotice_ = std::move(text); }
  // Command 0xFA07 (File > Cabrillo report, Alt+O): the Cabrillo or the Ermak-format report.
  void WriteCabrillo() override;
  void WriteHtmlReport() override;
  // Options > Save...: the log written now; a box says whether it worked.
  void SaveLog() override;
  // Help > Help topic (every key the program binds, from the key and command tables; it
  // scrolls) and Tools > Change time: boxes that explain the keys; the program goes on.
  void ShowHelpTopic() override;
  void ShowClockHelp() override;
  // Options > Station: own call and exchange, in force at once.
  void RunStationSetup() override;
  // Options > Rig: the radio's settings, in force at once.
  void RunRigSetup() override;
  void ExportAdif() override;
  void ImportAdif() override;

  // Command 0x4037: the Synchronization dialog; true when "Receive log" was chosen.
  bool RunSynchronization() override;
  // Command 0x4038: the log emptied and the log receive window opened (one at a time).
  void ReceiveLog() override;
  // Command 0x4039: the Network setup dialog; OK writes the network section.
  void RunNetworkSetup() override;

  // FocusHome: the entry window gets the keys unless a modal dialog still runs.
  void ReturnFocusHome() override;

  // ScreenLanguage: the catalogue the windows translate their texts with.
  const MessageCatalog* Catalog() const override {
    return catalog_.Size() > 0 ? &catalog_ : nullptr;
  }
  const TerminalCharset* Charset() const override { return &charset_; }

  // The kit's SelectWindow, under the name the windows used to call it by.
  static void SelectWindow(finalcut::FDialog* window, finalcut::FWidget* child = nullptr) {
    ui::SelectWindow(window, child);
  }
  static bool ModalDialogRunning() { return getModalDialogCounter() > 0; }

 protected:
  void processExternalUserEvent() override;

 private:
  // Every key of the terminal comes in here and is converted to its PC code, once; the shell,
  // the windows and the fields get that code, the toolkit its own key.
  void OnKey(finalcut::FKey key);
  bool GlobalKeysActive() const;
  void Dispatch(finalcut::FKey key, KeyCode pc);
  bool RunAccelerators(finalcut::FKey key);
  // Waits for a key (read at once) or until something is due: the next poll of what other
  // threads hand over, or the end of an escape sequence.
  void WaitForInput();
  // Whether a thread of a link may hand the loop something at any time (see kPollUs).
  bool LinksAlive();
  bool LoopGoesOn();
  // Alt+F3, Ctrl+F5 and Shift+F6; true when the key was one of them.
  bool HandleWindowKey(KeyCode key);
  std::vector<finalcut::FDialog*> DesktopWindows() const;
  void SelectPreviousWindow();
  void OpenKeyTestWindows();
  // Saves the log on the way out; when that fails the operator chooses: retry, a copy in the
  // home directory, quit all the same (exit code 1), or back to the log (false).
  bool LogSafeToQuit();
  void ShowLongInformation(std::string_view cp866Text);

  // First: the windows translate with it until the last of them is gone.
  const MessageCatalog catalog_;
  const TerminalCharset charset_;
  Session& session_;
  Station& station_;
  CommandBus& bus_;
  Shell& shell_;
  std::unique_ptr<Desktop> desktop_;
  bool openKeyTestWindows_ = false;
  bool openWhenModalEnds_ = false;  // the start-up action came while a box was open
  bool prepareForTyping_ = false;         // the operating windows are drawn for the first time
  std::vector<finalcut::FKey> heldKeys_;  // typed after a box closed, before its loop ended
  bool restart_ = false;
  std::string startNotice_;
  int exitCode_ = 0;
  // The operating windows' models and references, once open.  The windows themselves belong to
  // the desktop, which is gone before this is.
  std::unique_ptr<OperatingWindows> operating_;
  std::unique_ptr<ClusterDesk> cluster_;  // with the operating windows
  NetworkSession* network_;               // the session's; nullptr when it was not started
};

}  // namespace vk::ui
