#include "ui/shell/vork_app.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/help_text.h"
#include "app/html_report.h"
#include "app/log_transfer.h"
#include "log/qso.h"
#include "rig/rig_control.h"
#include "tui/key_map.h"
#include "tui/key_sequences.h"
#include "tui/screen_text.h"
#include "tui/theme.h"
#include "tui/tv_dialog.h"
#include "ui/dialogs/contest_dialogs.h"
#include "ui/dialogs/cw_message_editor.h"
#include "ui/dialogs/cw_setup_dialog.h"
#include "ui/dialogs/file_name_dialog.h"
#include "ui/dialogs/qso_dialogs.h"
#include "ui/dialogs/report_command.h"
#include "ui/dialogs/rig_dialog.h"
#include "ui/dialogs/station_dialog.h"
#include "ui/shell/terminal_handshake.h"
#include "ui/windows/cluster_desk.h"
#include "ui/windows/cw_window.h"
#include "ui/windows/key_test_window.h"
#include "ui/windows/operating_windows.h"

namespace vk::ui {

using finalcut::FKey;
using namespace std::chrono_literals;

namespace {

// The toolkit's key reader blocks for its own read time on every pass and, for 100 ms after a
// key, waits 5 ms more for the rest of an escape sequence before it hands the key on; its
// screen writer holds changes back for at least 17 ms after the last write.  The loop here
// waits itself instead, on the terminal, for no longer than the next thing that is due, and
// writes the screen as soon as a pass is done.
//
// While another thread may hand something over (the group's link, the radio, the cluster, the
// keyer, WSJT-X, the shack's broadcasts) the loop wakes this often without a key: it is how
// soon a QSO of the group, a reading of the radio or a spot gets to the screen.  With none of
// them the only thing due is the clock's next second.
constexpr std::uint64_t kPollUs = 50'000;
// The clock is drawn this long after its second steps, so the new second is read.
constexpr std::uint64_t kAfterSecondUs = 2'000;
// After an escape byte the toolkit decides "Esc alone" once its key timeout has passed; the
// loop wakes just after that.  No shorter than the toolkit's own spacing of input reads (5 ms).
constexpr std::uint64_t kMinKeyWakeUs = 6'000;

std::uint64_t MicrosecondsToNextSecond() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(now).count() % 1'000'000;
  return static_cast<std::uint64_t>(1'000'000 - us);
}

std::uint64_t MicrosecondsSince(decltype(finalcut::FObject::getCurrentTime()) t) {
  const auto d = finalcut::FObject::getCurrentTime() - t;
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(d).count();
  return us < 0 ? 0 : static_cast<std::uint64_t>(us);
}

}  // namespace

VorkApp::VorkApp(const int& argc, char* argv[], Session& session, MessageCatalog catalog,
                 TerminalCharset charset)
    : finalcut::FApplication(argc, argv),
      catalog_(std::move(catalog)),
      charset_(std::move(charset)),
      session_(session),
      station_(session.station()),
      bus_(session.Bus()),
      shell_(session.AttachScreen(*this)),
      network_(session.Network()) {
  // The xterm font and title are not changed, so they are not asked for: a terminal that
  // does not answer would cost a wait at every start.  (The toolkit asks for the answerback
  // and the terminal type whatever its options say.)
  finalcut::FStartOptions::getInstance().terminal_data_request = false;
  // Widgets read their colours when they are built, so the theme comes first.
  finalcut::FWidget::setColorTheme<VorkTheme>();
  auto& kb = finalcut::FKeyboard::getInstance();
  kb.setPressCommand(
      finalcut::FKeyboardCommand{[this] { OnKey(finalcut::FKeyboard::getInstance().getKey()); }});
  kb.setEscPressedCommand(finalcut::FKeyboardCommand{[this] { OnKey(FKey::Escape); }});
  // The loop's one wait is in processExternalUserEvent; the toolkit only looks whether input
  // is there.
  finalcut::FKeyboard::setNonBlockingInputSupport(false);
  finalcut::FKeyboard::setReadBlockingTime(0);

  desktop_ = std::make_unique<Desktop>(
      this, [this](CommandId c) { bus_.PostCommand(c); }, [this] { bus_.PostCommand(cm::kQuit); });
  finalcut::FWidget::setMainWidget(desktop_.get());
  bus_.Attach(&desktop_->Menu().Clock());
  const ContestList& contests = station_.Contests();
  for (std::size_t k = 1; k < contests.Size(); ++k) {
    desktop_->Menu().AddContest(static_cast<int>(k), contests.Title(k));
  }
  TerminalHandshake handshake;  // the toolkit meets the terminal in show()
  desktop_->show();
  handshake.Finish();
  // The terminal is set up by the first show; the keys of other terminals join its own.
  (void)AddCommonKeySequences();
  if (const CommandId b = ParseDebugNumber(std::getenv("VORKAN_DEBUG_BROADCAST")); b != 0) {
    bus_.Post(EventClass::kBroadcast, b);
  }
  openKeyTestWindows_ = ParseDebugNumber(std::getenv("VORKAN_KEY_TEST_WINDOWS")) == 1;
  desktop_->Status().ShowDiagnostics(ParseDebugNumber(std::getenv("VORKAN_DIAGNOSTICS")) == 1);
}

VorkApp::~VorkApp() {
  // The shutdown order: the log first (unless New contest archived it), then the windows.
  (void)station_.WriteLogOnExit(shell_.state().DiscardLog);
  // The keyer writes its settings and stops before anything it keys from is gone.
  if (operating_ != nullptr) operating_->CloseKeyer();
  cluster_.reset();  // the link stops and the cluster windows close before the desktop goes
  session_.SaveCwMessages();
  bus_.Detach(&desktop_->Menu().Clock());
  desktop_.reset();
  // The models go before the shell leaves the bus, as when the shell was a member here.
  operating_.reset();
  session_.DetachScreen();
}

void VorkApp::Quit() {
  if (!LogSafeToQuit()) return;
  finalcut::FApplication::exit(exitCode_);
}

void VorkApp::ShowErrorBox(std::string_view cp866Text) {
  ErrorBox box{desktop_.get(), cp866Text};
  box.Run();
}

void VorkApp::ShowInformation(std::string_view cp866Text) {
  ShowMessage(desktop_.get(), "Information", ScreenText(this, cp866Text));
}

void VorkApp::ShowAbout() {
  AboutBox box{desktop_.get()};
  box.Run();
}

void VorkApp::RunQsoDialog(CommandId which, int position) {
  QsoEditor editor{station_};
  ui::RunQsoDialog(desktop_.get(), editor, which, position);
  if (!editor.SaveProblem().empty()) {
    ShowMessage(desktop_.get(), "Not saved", ScreenText(this, editor.SaveProblem()), true);
  }
}

void VorkApp::ShowStatusTexts(const StatusTexts& texts) {
  StatusTexts shown = texts;
  if (cluster_ != nullptr) shown.cluster = cluster_->StatusText();
  // The mode, the keyer's speed and the log file's state while the operating windows are open.
  if (operating_ != nullptr) {
    const CwWindow* cw = operating_->Cw();
    shown.operating = OperatingStateText(station_.CurrentMode(), cw != nullptr ? cw->KeyerSpeed() : 0);
    shown.logFile = LogFileStateText(!station_.Book().SaveFailed());
  }
  desktop_->Status().SetTexts(shown);
  desktop_->Menu().ShowBanner(shell_.state().ownCall, shell_.state().contestDisplayName);
}

void VorkApp::OpenOperatingWindows() {
  if (operating_ != nullptr) return;
  // A box raised before the windows (an error of the start) stays in front and keeps the keys:
  // the windows open once it is closed.
  if (ModalDialogRunning()) {
    openWhenModalEnds_ = true;
    return;
  }
  operating_ = OperatingWindows::Open(desktop_.get(), station_, session_.CwMessages());
  if (operating_ == nullptr) return;
  session_.SetLogLoaded(true);
  prepareForTyping_ = true;
  cluster_ =
      std::make_unique<ClusterDesk>(desktop_.get(), station_, *operating_->Models().entry,
                                    operating_->Cw() != nullptr, [this] { SelectEntryWindow(); });
  if (!startNotice_.empty()) ShowLongInformation(std::exchange(startNotice_, {}));
  if (const std::string& notice = station_.ContestNotice(); !notice.empty()) {
    ShowLongInformation(notice);
  }
  if (const std::string& notice = station_.LogNotice(); !notice.empty()) {
    ShowLongInformation(notice);
  }
  if (const NetworkSession* net = session_.Network(); net != nullptr && !net->Refusal().empty()) {
    ShowLongInformation(net->Refusal());
  }
}

void VorkApp::RunNewContest(int entry) {
  // The log in memory is the whole log file only once the log window has read all of it;
  // otherwise the file itself is archived as well.
  const bool fileLoaded =
      operating_ != nullptr && operating_->Models().logLoad.ok() && station_.LogFileInLog();
  if (!ui::RunNewContest(desktop_.get(), station_, shell_.state(), entry, fileLoaded)) return;
  restart_ = true;
  Quit();
}

bool VorkApp::RunCwSetup() {
  return ui::RunCwSetup(desktop_.get(), station_, [this] {
    if (operating_ != nullptr) {
      operating_->KeyerChanged(desktop_.get(), station_, session_.CwMessages());
    }
  });
}

void VorkApp::RunCwMessageEditor() {
  if (operating_ == nullptr || operating_->Cw() == nullptr) return;
  (void)ui::RunCwMessageEditor(desktop_.get(), session_.CwMessages(),
                               station_.PathOf(kConfigFileName));
}

void VorkApp::SelectLogWindow() {
  if (operating_ != nullptr) operating_->SelectLog();
}

void VorkApp::SelectEntryWindow() {
  if (operating_ != nullptr) operating_->SelectEntry();
}

void VorkApp::WriteCabrillo() {
  const std::string path =
      RunReportCommand(desktop_.get(),
                       {station_.Rules(), station_.Log(), station_.OwnCall(),
                        station_.CurrentMode(), station_.WorkDir(), station_.Totals().Claimed()});
  if (path.empty()) return;
  // Said where the operator looks, without another box to close mid-contest.
  EntryNote note{"Report written: " + std::to_string(station_.Log().Count()) + " QSO", path};
  bus_.Broadcast(cm::kEntryNote, MessageInfo::Pointer(&note));
}

void VorkApp::WriteHtmlReport() {
  std::string path;
  const Status written = WriteStationHtmlReport(station_, path);
  EntryNote note{written ? "Report written: " + std::to_string(station_.Log().Count()) + " QSO"
                         : "Report not written: " + written.message,
                 path};
  bus_.Broadcast(cm::kEntryNote, MessageInfo::Pointer(&note));
}

void VorkApp::SaveLog() {
  const Status saved = station_.WriteLog();
  ShowInformation(SaveResultText(saved, station_.Log().Count()));
}

void VorkApp::ShowHelpTopic() {
  ScrollTextBox box{desktop_.get(), "Keys", HelpKeysLines()};
  box.Run();
}

void VorkApp::ShowClockHelp() {
  TextBox box{desktop_.get(), "Change time", ClockHelpLines()};
  box.Run();
}

void VorkApp::RunStationSetup() {
  StationDialog dialog{desktop_.get(), CurrentStationForm(station_), [this](const StationForm& f) {
                         return ApplyStationForm(station_, shell_.state(), f);
                       }};
  dialog.Run();
}

void VorkApp::RunRigSetup() {
  ui::RunRigSetup(desktop_.get(), station_);
}

void VorkApp::ExportAdif() {
  FileNameDialog dialog{desktop_.get(), "Export ADIF", StandardExportName(station_.OwnCall())};
  if (!dialog.Run()) return;
  ShowInformation(ExportStationLog(station_, dialog.Name()).summary);
}

void VorkApp::ImportAdif() {
  FileNameDialog dialog{desktop_.get(), "Import ADIF", "import.adi"};
  if (!dialog.Run()) return;
  const TransferReport r = ImportIntoStation(station_, dialog.Name());
  std::vector<std::string> lines{r.summary};
  constexpr std::size_t kShown = 8;  // the reasons of the first records not taken
  for (std::size_t i = 0; i < r.refused.size() && i < kShown; ++i) lines.push_back(r.refused[i]);
  if (r.refused.size() > kShown) lines.push_back("...");
  TextBox box{desktop_.get(), "Import ADIF", lines};
  box.Run();
}

void VorkApp::processExternalUserEvent() {
  // No guard against re-entry: a dialog opened from a posted command runs its own loop, whose
  // passes must keep the clock and the ticks going.
  if (openKeyTestWindows_) {
    openKeyTestWindows_ = false;
    OpenKeyTestWindows();
  }
  if (!heldKeys_.empty() && LoopGoesOn()) {
    const std::vector<FKey> keys = std::move(heldKeys_);
    heldKeys_.clear();
    for (FKey k : keys) OnKey(k);
  }
  session_.IdlePass();
  if (openWhenModalEnds_ && !ModalDialogRunning()) {
    openWhenModalEnds_ = false;
    OpenOperatingWindows();
  }
  // What the key, the received QSO or the tick changed is on the terminal before the loop
  // waits again (the windows' changes are gathered here; nothing is written when none changed).
  forceTerminalUpdate();
  if (prepareForTyping_ && operating_ != nullptr) {
    // The screen is up; what the first keys need is made now, and the loop goes on at once.
    prepareForTyping_ = false;
    operating_->PrepareForTyping();
    return;
  }
  WaitForInput();
}

bool VorkApp::LoopGoesOn() {
  // The toolkit refuses every event once the program quits or a modal dialog has closed and
  // its loop is about to end; the code after that dialog (which may write a file the screen
  // already shows as done) must not wait for the next key.
  finalcut::FUserEvent probe{finalcut::Event::User, 0};
  return sendEvent(this, &probe);
}

void VorkApp::WaitForInput() {
  auto& kb = finalcut::FKeyboard::getInstance();
  // Keys already read, or messages posted by this pass, are for the next pass at once.
  if (kb.hasDataInQueue() || bus_.PostedCount() > 0 || !LoopGoesOn()) return;
  if (!kb.hasPendingInput()) {
    std::uint64_t wait = LinksAlive() ? kPollUs : MicrosecondsToNextSecond() + kAfterSecondUs;
    const std::uint64_t sinceKey = MicrosecondsSince(kb.getKeyPressedTime());
    const std::uint64_t keyTimeout = finalcut::FKeyboard::getKeypressTimeout();
    if (sinceKey <= keyTimeout) {
      wait = std::min(wait, std::max(keyTimeout - sinceKey + 1000, kMinKeyWakeUs));
    }
    if (!kb.isKeyPressed(wait)) return;
  }
  // Read now: a parsed key makes the toolkit's next pass take it without its own wait.
  kb.fetchKeyCode();
}

bool VorkApp::LinksAlive() {
  const bool group = network_ != nullptr && network_->Running();
  const bool keyer = operating_ != nullptr && operating_->Cw() != nullptr;
  const bool cluster = cluster_ != nullptr && cluster_->LinkRunning();
  return group || keyer || cluster || station_.Rig() != nullptr ||
         session_.Digital().Listening() || session_.Broadcast().Sending();
}

void VorkApp::OpenKeyTestWindows() {
  // Owned by the desktop, which deletes its children.
  auto* a = new KeyTestWindow(desktop_.get(), "Key test A", 2);
  auto* b = new KeyTestWindow(desktop_.get(), "Key test B", 34);
  for (KeyTestWindow* w : {a, b}) {
    w->show();
    SelectWindow(w, &w->Line());
  }
}

}  // namespace vk::ui
