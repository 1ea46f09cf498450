#include "cw/keyer.h"

#include <algorithm>
#include <system_error>
#include <utility>

#include "cw/keyer_sender.h"
#include "cw/morse.h"
#include "cw/posix_key_line.h"
#include "cw/text_sender.h"
#include "log/journal.h"

namespace vk {

namespace {

std::uint8_t Clamp(std::uint8_t v, int lo, int hi) {
  return static_cast<std::uint8_t>(std::clamp<int>(v, lo, hi));
}

}  // namespace

Keyer::Keyer(const KeyerSettings& settings, std::unique_ptr<KeyLine> line, KeyerSleeper* sleeper,
             Journal* journal)
    : journal_(journal),
      line_(line ? std::move(line) : std::make_unique<NullKeyLine>()),
      ownSleeper_(sleeper ? nullptr : std::make_unique<SystemSleeper>()),
      sleeper_(sleeper ? sleeper : ownSleeper_.get()),
      portName_(settings.port.substr(0, kKeyerPortWidth)),
      settingsPort_(portName_) {
  // A hand-edited file may hold any byte; the dot table and the pause only make sense in range.
  x_.speed.store(Clamp(settings.speed, kMinSpeed, kMaxSpeed));
  x_.standby.store(Clamp(settings.standby, kMinStandby, kMaxStandby));
  x_.cutNumbers.store(settings.num019);
  portStatus_ = line_->Open(portName_);
  portError_ = PortErrorOf(portStatus_);
}

Keyer::Keyer(const KeyerSettings& settings, std::unique_ptr<TextKeyer> textKeyer,
             KeyerSleeper* sleeper, Journal* journal)
    : Keyer(settings, std::unique_ptr<KeyLine>(), sleeper, journal) {
  textKeyer_ = std::move(textKeyer);
  if (!textKeyer_) return;
  portName_ = textKeyer_->Name();
  portStatus_ = textKeyer_->Open();
  portError_ = PortErrorOf(portStatus_);
}

Keyer::~Keyer() {
  Abort();
  Stop();
  line_->Close();
  if (textKeyer_) textKeyer_->Close();
}

KeyerSettings Keyer::Settings() const {
  KeyerSettings s;
  s.port = settingsPort_;
  s.speed = Speed();
  s.standby = Standby();
  s.num019 = CutNumbers();
  return s;
}

void Keyer::Start() {
  if (!PortOpen()) return;
  // Running is claimed here rather than by the thread, and before the thread exists, so a
  // second Start can never start another thread or touch thread_ while it is being assigned.
  if (!x_.running.exchange(true, std::memory_order_acq_rel)) {
    try {
      thread_ = std::thread([this] {
        if (textKeyer_)
          TextSender(x_, *textKeyer_, *sleeper_, journal_).Run();
        else
          KeyerSender(x_, *line_, *sleeper_).Run();
      });
    } catch (const std::system_error& e) {
      x_.running.store(false, std::memory_order_release);
      JournalAppend(journal_, std::string("Keyer thread not started: ") + e.what());
      return;
    }
  }
  x_.request.store(true, std::memory_order_release);
  x_.SignalWork();
}

void Keyer::AddChar(char c) {
  x_.text.AppendChar(c);
  x_.repeat.store(false, std::memory_order_release);
  x_.request.store(true, std::memory_order_release);
  Start();
}

void Keyer::SendText(std::string_view t, bool repeat) {
  if (t.empty()) return;
  x_.text.AppendMessage(t);
  // Repeat before request: a keyer just finishing the text must already see the repetition.
  if (repeat) {
    x_.text.SetSaved(t);
    x_.repeat.store(true, std::memory_order_release);
  }
  x_.request.store(true, std::memory_order_release);
  Start();
}

void Keyer::Abort() {
  x_.request.store(false, std::memory_order_release);
  x_.repeat.store(false, std::memory_order_release);
  x_.aborts.fetch_add(1, std::memory_order_acq_rel);
  x_.text.Clear();
  sleeper_->Wake();
  if (textKeyer_ && textKeyer_->IsOpen()) textKeyer_->Abort();
}

void Keyer::Stop() {
  if (!thread_.joinable()) return;
  x_.running.store(false, std::memory_order_release);
  x_.SignalWork();
  sleeper_->Wake();
  thread_.join();
}

bool Keyer::WaitUntilIdle(std::chrono::milliseconds limit) {
  if (!thread_.joinable()) return true;
  return x_.WaitIdle(limit);
}

void Keyer::Announce(KeyerNote::Kind kind, std::uint8_t value) {
  x_.notes.Push(KeyerNote{kind, value, {}});
}

std::uint8_t Keyer::StepSetting(std::atomic<std::uint8_t>& v, int delta, int lo, int hi,
                                KeyerNote::Kind kind) {
  const auto next = static_cast<std::uint8_t>(std::clamp(v.load() + delta, lo, hi));
  v.store(next, std::memory_order_release);
  Announce(kind, next);
  return next;
}

std::uint8_t Keyer::SpeedUp() {
  return StepSetting(x_.speed, 1, kMinSpeed, kMaxSpeed, KeyerNote::Kind::kSpeed);
}

std::uint8_t Keyer::SpeedDown() {
  return StepSetting(x_.speed, -1, kMinSpeed, kMaxSpeed, KeyerNote::Kind::kSpeed);
}

std::uint8_t Keyer::StandbyUp() {
  return StepSetting(x_.standby, 1, kMinStandby, kMaxStandby, KeyerNote::Kind::kStandby);
}

std::uint8_t Keyer::StandbyDown() {
  return StepSetting(x_.standby, -1, kMinStandby, kMaxStandby, KeyerNote::Kind::kStandby);
}

std::uint8_t Keyer::SetCutNumbers(std::uint8_t flags) {
  x_.cutNumbers.store(flags, std::memory_order_release);
  Announce(KeyerNote::Kind::kCutNumbers, flags);
  return flags;
}

std::uint8_t Keyer::CycleZero() {
  return SetCutNumbers(CycleZeroFlags(CutNumbers()));
}

std::uint8_t Keyer::ToggleOne() {
  return SetCutNumbers(ToggleOneFlag(CutNumbers()));
}

std::uint8_t Keyer::ToggleNine() {
  return SetCutNumbers(ToggleNineFlag(CutNumbers()));
}

std::unique_ptr<Keyer> CreateKeyer(std::string& programPort, const std::string& configPath,
                                   Journal* journal) {
  const KeyerSettings settings = ReadKeyerSettings(programPort, configPath);
  return std::make_unique<Keyer>(settings, std::make_unique<PosixKeyLine>(), nullptr, journal);
}

bool DestroyKeyer(std::unique_ptr<Keyer>& keyer, const std::string& programPort,
                  const std::string& configPath) {
  if (!keyer) return false;
  const bool written = WriteKeyerSettings(keyer->Settings(), programPort, configPath);
  keyer.reset();
  return written;
}

}  // namespace vk
