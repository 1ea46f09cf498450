#include "app/views/cw_window_model.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "cw/morse.h"
#include "cw/posix_key_line.h"

namespace vk {

namespace {

constexpr char kMark = '\xFE';  // the CP866 block that separates the status fields

}  // namespace

std::string CwStatusText(const CwStatus& s) {
  std::string out = (s.cutNumbers & cut::kOneAsA) != 0 ? "[1:" : "[ :";
  out += (s.cutNumbers & cut::kNineAsN) != 0 ? "9:" : " :";
  if ((s.cutNumbers & cut::kZeroAsO) != 0)
    out += 'O';
  else if ((s.cutNumbers & cut::kZeroAsT) != 0)
    out += 'T';
  else
    out += ' ';
  out += kMark;
  out += s.ptt ? "PTT" : "   ";
  out += kMark;
  out += s.keyDown ? "CW" : "  ";
  out += kMark;
  out += std::to_string(s.speed);
  out += kMark;
  out += std::to_string(s.standby);
  out += ']';
  return out;
}

CwWindowModel::CwWindowModel(const CwMessageList& messages, std::string& programPort,
                             std::string configPath, KeyerFactory makeKeyer, Journal* journal)
    : messages_(messages),
      programPort_(programPort),
      configPath_(std::move(configPath)),
      makeKeyer_(std::move(makeKeyer)),
      journal_(journal) {}

CwWindowModel::~CwWindowModel() {
  CloseKeyer();
}

KeyerPortError CwWindowModel::OpenKeyer() {
  CloseKeyer();
  keyer_ = makeKeyer_(programPort_);
  ResetLines();
  return keyer_ != nullptr ? keyer_->PortError() : KeyerPortError::kWrongPortName;
}

void CwWindowModel::CloseKeyer() {
  if (keyer_ == nullptr) return;
  (void)DestroyKeyer(keyer_, programPort_, configPath_);
  ResetLines();
}

KeyerPortError CwWindowModel::PortChanged() {
  CloseKeyer();
  // The old keyer has just written its own port back; the new one must win.
  (void)SaveKeyerPort(programPort_, configPath_, journal_);
  if (programPort_.empty() || IsNullPortName(programPort_)) return KeyerPortError::kNone;
  return OpenKeyer();
}

void CwWindowModel::ResetLines() {
  status_ = CwStatus{};
  lineText_.clear();
  if (keyer_ == nullptr) return;
  status_.speed = keyer_->Speed();
  status_.standby = keyer_->Standby();
  status_.cutNumbers = keyer_->CutNumbers();
  lineText_ = keyer_->PortName();
}

bool CwWindowModel::HasLines() const {
  return keyer_ != nullptr && keyer_->PortError() == KeyerPortError::kNone;
}

CwChanges CwWindowModel::Tick() {
  if (keyer_ == nullptr) return cw_changed::kNothing;
  CwChanges c = cw_changed::kNothing;
  for (KeyerNote& n : keyer_->TakeNotes()) {
    const auto value = static_cast<std::uint8_t>(n.value);
    switch (n.kind) {
      case KeyerNote::Kind::kPtt:
        status_.ptt = n.value != 0;
        break;
      case KeyerNote::Kind::kKey:
        status_.keyDown = n.value != 0;
        break;
      case KeyerNote::Kind::kSpeed:
        status_.speed = value;
        break;
      case KeyerNote::Kind::kStandby:
        status_.standby = value;
        break;
      case KeyerNote::Kind::kCutNumbers:
        status_.cutNumbers = value;
        break;
      case KeyerNote::Kind::kText:
        lineText_ = std::move(n.text);
        c |= cw_changed::kText;
        continue;
    }
    c |= cw_changed::kStatus;
  }
  return c;
}

void CwWindowModel::MessageKey(std::uint16_t keyCode, const MacroValues& values) {
  if (keyer_ == nullptr) return;
  const std::string text = Expand(messages_.TextOf(keyCode), keyer_->CutNumbers(), values);
  keyer_->SendText(text, keyCode == kCallingMessageKey);
}

void CwWindowModel::MessageKeys(const std::vector<std::uint16_t>& keyCodes,
                                const MacroValues& values) {
  if (keyer_ == nullptr) return;
  std::string text;
  for (const std::uint16_t key : keyCodes) {
    const std::string one = Expand(messages_.TextOf(key), keyer_->CutNumbers(), values);
    if (one.empty()) continue;
    if (!text.empty()) text += ' ';
    text += one;
  }
  keyer_->SendText(text.substr(0, kCwMessageMaxLength), false);
}

bool CwWindowModel::TypeKey(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x80 || std::isalnum(u) == 0) return false;
  if (keyer_ != nullptr) keyer_->AddChar(static_cast<char>(std::toupper(u)));
  return true;
}

CwChanges CwWindowModel::Operate(KeyerOp op) {
  if (keyer_ == nullptr) return cw_changed::kNothing;
  Keyer& k = *keyer_;
  // clang-format off
  switch (op) {
    case KeyerOp::kAbort:       k.Abort(); break;
    case KeyerOp::kSpeedUp:     k.SpeedUp(); break;
    case KeyerOp::kSpeedDown:   k.SpeedDown(); break;
    case KeyerOp::kStandbyUp:   k.StandbyUp(); break;
    case KeyerOp::kStandbyDown: k.StandbyDown(); break;
    case KeyerOp::kCycleZero:   k.CycleZero(); break;
    case KeyerOp::kToggleOne:   k.ToggleOne(); break;
    case KeyerOp::kToggleNine:  k.ToggleNine(); break;
  }
  // clang-format on
  // The settings' announcements are already queued: show them now, not a tick later.
  return Tick();
}

}  // namespace vk
