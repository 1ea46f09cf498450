#include "app/shell.h"

#include <utility>

#include "app/command_table.h"
#include "net/net_handler.h"

namespace vk {

std::string_view ErrorBoxText(CommandId command) {
  // CP866 bytes; the terminal layer converts them when it draws.
  switch (command) {
    case cm::kErrComPortName:  // "Неверное имя COM порта"
      return "\x8D\xA5\xA2\xA5\xE0\xAD\xAE\xA5 \xA8\xAC\xEF COM \xAF\xAE\xE0\xE2\xA0";
    case cm::kErrComPortInit:  // "Инициализация COM порта"
      return "\x88\xAD\xA8\xE6\xA8\xA0\xAB\xA8\xA7\xA0\xE6\xA8\xEF COM \xAF\xAE\xE0\xE2\xA0";
    case cm::kErrMakeDir:  // "Не могу создать каталог"
      return "\x8D\xA5 \xAC\xAE\xA3\xE3 \xE1\xAE\xA7\xA4\xA0\xE2\xEC \xAA\xA0\xE2\xA0\xAB\xAE\xA3";
    case cm::kErrRepeatSetting:  // "Неверный параметр XML <repqso>"
      return "\x8D\xA5\xA2\xA5\xE0\xAD\xEB\xA9 \xAF\xA0\xE0\xA0\xAC\xA5\xE2\xE0 XML <repqso>";
    default:
      return {};
  }
}

Shell::Shell(CommandBus& bus, ShellActions& actions, RaiseCounter raiseQsoIdCounter)
    : bus_(bus), actions_(actions), raiseCounter_(std::move(raiseQsoIdCounter)) {
  bus_.SetApplication(this);
}

Shell::~Shell() {
  bus_.SetApplication(nullptr);
}

void Shell::SetNetwork(NetworkLink* link) {
  net_ = link != nullptr ? link : &nullNet_;
}

void Shell::SetLogChecksum(std::function<std::uint32_t()> logCrc) {
  logCrc_ = std::move(logCrc);
}

KeyTranslation Shell::HandleKey(KeyCode key) {
  state_.lastKey = key;
  const KeyTranslation t = TranslateKey(key);
  if (t.kind == KeyTranslation::Kind::kKeyer) {
    bus_.Send(EventClass::kKeyer, t.command, MessageInfo::Number(key));
  }
  return t;
}

void Shell::IdlePass() {
  raiseCounter_();
  // What the group sent is in the log before its checksum is taken and the windows tick, so
  // the pass that sees the flag is the pass that shows the QSO.
  if (net_->TakeMessageReceived() && exchange_ != nullptr) exchange_->HandleIncoming();
  const std::uint32_t logCrc = logCrc_ ? logCrc_() : 0;
  net_->SetOwnChecksum(logCrc);
  PollChecksums(logCrc);
  StatusTexts texts = FormatStatusTexts(state_.lastKey, net_->PeerChecksum(), logCrc,
                                        state_.ownCall, state_.contestDisplayName);
  texts.sync =
      SyncStateText(net_->Enabled(), peerHeard_, net_->Repairing(),
                    net_->InStep().value_or(net_->PeerChecksum() == logCrc));
  if (rigStatus_) texts.rig = rigStatus_();
  actions_.ShowStatusTexts(texts);
  bus_.Send(EventClass::kTick, cm::kTick);
}

void Shell::PollChecksums(std::uint32_t logCrc) {
  if (net_->TakeChecksumReceived()) {
    peerHeard_ = true;
    bus_.Send(EventClass::kStatus, cm::kChecksumReport);
    std::uint8_t& count = state_.syncMismatchCount;
    if (count != kSyncSuspended) {
      // The count stops short of the "suspended" value: only the dialog suspends the check.
      if (net_->PeerChecksum() == logCrc) {
        count = 0;
      } else if (count < kSyncSuspended - 1) {
        ++count;
      }
      // No dialog over the entry window while the group mends the logs by itself.
      if (count > kSyncMismatchLimit && !net_->Repairing()) bus_.PostCommand(cm::kSynchronize);
    }
  }
}

void Shell::OnTick() {
  raiseCounter_();
  // The operating windows open on the first tick, once the loop runs: building them reads the
  // log file, and nothing else is waited for.
  if (!startupIssued_) {
    startupIssued_ = true;
    bus_.PostCommand(state_.NoContest ? cm::kNoContest : cm::kOpenWindows);
  }
}

void Shell::HandleMessage(Message& m) {
  switch (m.what) {
    case EventClass::kTick:
      OnTick();  // the tick travels on to the windows
      return;
    case EventClass::kCommand:
      if (Dispatch(m)) m.handled = true;
      return;
    case EventClass::kBroadcast:
      if (DispatchBroadcast(m)) m.handled = true;
      return;
    default:
      return;
  }
}

bool Shell::Dispatch(const Message& m) {
  const CommandId c = m.command;
  if (c >= cm::kNewContest && c <= cm::kNewContest + cm::kMaxNewContest) {
    actions_.RunNewContest(c - cm::kNewContest);
    return true;
  }
  // The program's own commands; the operator's are rows of the command table.
  // clang-format off
  switch (c) {
    case cm::kSynchronize:    RunSynchronization(); return true;
    case cm::kReceiveLog:     actions_.ReceiveLog(); return true;
    case cm::kOpenWindows:    if (!state_.NoContest) actions_.OpenOperatingWindows(); return true;
    default:                  break;
  }
  // clang-format on
  const CommandRow* row = FindCommand(c);
  if (row == nullptr || row->run == nullptr) return false;  // the windows take it
  row->run(actions_);
  return true;
}

bool Shell::DispatchBroadcast(const Message& m) {
  switch (m.command) {
    case cm::kEditQso:
    case cm::kDeleteQso:
    case cm::kAddQso:
      actions_.RunQsoDialog(m.command, m.info.number());
      return true;
    case cm::kSelectLogWindow:
      actions_.SelectLogWindow();
      return true;
    case cm::kSelectEntryWindow:
      actions_.SelectEntryWindow();
      return true;
    default:
      break;
  }
  const std::string_view text = ErrorBoxText(m.command);
  if (text.empty()) return false;
  actions_.ShowErrorBox(text);
  return true;
}

void Shell::RunSynchronization() {
  // Suspended while the dialog runs, so further differing reports do not open it again.
  state_.syncMismatchCount = kSyncSuspended;
  if (actions_.RunSynchronization()) bus_.PostCommand(cm::kReceiveLog);
  state_.syncMismatchCount = 0;
}

}  // namespace vk
