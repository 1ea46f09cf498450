#include "rig/hamlib_radio.h"

#include <hamlib/rig.h>

#include <algorithm>
#include <chrono>
#include <mutex>

#include "rig/rigctld_probe.h"

namespace vk {
namespace {

Mode ModeOfRig(rmode_t m) {
  if (m == RIG_MODE_CW || m == RIG_MODE_CWR) return Mode::kCw;
  if (m == RIG_MODE_USB || m == RIG_MODE_LSB || m == RIG_MODE_AM) return Mode::kPhone;
  if (m == RIG_MODE_FM || m == RIG_MODE_WFM || m == RIG_MODE_FMN) return Mode::kFm;
  if (m == RIG_MODE_RTTY || m == RIG_MODE_RTTYR) return Mode::kRtty;
  if (m == RIG_MODE_PKTUSB || m == RIG_MODE_PKTLSB) return Mode::kPsk31;
  return Mode::kUnknown;
}

rmode_t RigModeOf(Mode mode, std::int64_t hz) {
  switch (mode) {
    case Mode::kCw:
      return RIG_MODE_CW;
    case Mode::kPhone:
      return hz > 0 && hz < 10'000'000 ? RIG_MODE_LSB : RIG_MODE_USB;
    case Mode::kFm:
      return RIG_MODE_FM;
    case Mode::kRtty:
      return RIG_MODE_RTTY;
    case Mode::kPsk31:
      return RIG_MODE_PKTUSB;
    case Mode::kUnknown:
      break;
  }
  return RIG_MODE_NONE;
}

constexpr std::chrono::milliseconds kRigctldAnswerLimit{1500};

}  // namespace

std::unique_lock<std::mutex> HamlibLibrary::Lock() {
  std::unique_lock lock(mutex_);
  if (!prepared_) {
    // Hamlib writes its diagnostics to standard error, which is the operator's screen.
    rig_set_debug(RIG_DEBUG_NONE);
    rig_load_all_backends();
    prepared_ = true;
  }
  return lock;
}

HamlibRadio::HamlibRadio(HamlibLibrary& hamlib, RigSettings settings)
    : hamlib_(hamlib), settings_(std::move(settings)) {}

HamlibRadio::~HamlibRadio() {
  Close();
  if (rig_ != nullptr) rig_cleanup(rig_);
}

Status HamlibRadio::Check(int rc, const char* what) {
  if (rc == RIG_OK) return Status::Ok();
  const int code = rc < 0 ? -rc : rc;
  std::string msg = std::string(what) + ": " + rigerror(rc);
  while (!msg.empty() && (msg.back() == '\n' || msg.back() == '\r')) msg.pop_back();
  return Status::Error(RIG_IS_SOFT_ERRCODE(code) ? ErrCode::kBadInput : ErrCode::kIo, msg);
}

Status HamlibRadio::Init() {
  const auto lock = hamlib_.Lock();
  rig_ = rig_init(static_cast<rig_model_t>(settings_.model));
  if (rig_ == nullptr) {
    return Status::Error(ErrCode::kNotFound,
                         "Hamlib knows no radio model " + std::to_string(settings_.model));
  }
  if (!settings_.device.empty()) {
    rig_set_conf(rig_, rig_token_lookup(rig_, "rig_pathname"), settings_.device.c_str());
  }
  if (settings_.speed > 0) {
    rig_set_conf(rig_, rig_token_lookup(rig_, "serial_speed"),
                 std::to_string(settings_.speed).c_str());
  }
  // A radio that is off must not hold the poll thread for long: one short try per read, and
  // the thread reconnects by itself.
  rig_set_conf(rig_, rig_token_lookup(rig_, "timeout"), "500");
  rig_set_conf(rig_, rig_token_lookup(rig_, "retry"), "0");
  return Status::Ok();
}

Status HamlibRadio::Open() {
  if (open_) return Status::Ok();
  if (rig_ == nullptr) {
    if (Status s = Init(); !s) return s;
  }
  // A rigctld answers a connection at once or not at all; its connect is not left to Hamlib
  // until it is known to answer.
  if (settings_.model == kRigModelNetRigctl &&
      !RigctldAnswers(settings_.device, kRigctldAnswerLimit)) {
    return Status::Error(ErrCode::kIo,
                         "open: no rigctld answers at " +
                             (settings_.device.empty() ? "localhost:4532" : settings_.device));
  }
  Status s = Check(rig_open(rig_), "open");
  // A model that cannot be opened at all is not worth asking again and again, but a radio that
  // is off or a rigctld that is not running is: both come back as hard errors.
  if (s.ok())
    open_ = true;
  else if (s.code == ErrCode::kBadInput)
    s.code = ErrCode::kIo;
  return s;
}

void HamlibRadio::Close() {
  if (!open_) return;
  rig_close(rig_);
  open_ = false;
}

Status HamlibRadio::ReadFreq(std::int64_t& hz) {
  freq_t f = 0;
  Status s = Check(rig_get_freq(rig_, RIG_VFO_CURR, &f), "frequency");
  if (s) hz = static_cast<std::int64_t>(f + 0.5);
  return s;
}

Status HamlibRadio::ReadMode(Mode& mode) {
  rmode_t m = RIG_MODE_NONE;
  pbwidth_t width = 0;
  Status s = Check(rig_get_mode(rig_, RIG_VFO_CURR, &m, &width), "mode");
  if (s) mode = ModeOfRig(m);
  return s;
}

Status HamlibRadio::SetFreq(std::int64_t hz) {
  return Check(rig_set_freq(rig_, RIG_VFO_CURR, static_cast<freq_t>(hz)), "set frequency");
}

Status HamlibRadio::SetMode(Mode mode, std::int64_t hz) {
  const rmode_t m = RigModeOf(mode, hz);
  if (m == RIG_MODE_NONE) return Status::Error(ErrCode::kBadInput, "no radio mode for this mode");
  return Check(rig_set_mode(rig_, RIG_VFO_CURR, m, RIG_PASSBAND_NOCHANGE), "set mode");
}

Status HamlibRadio::SendMorse(std::string_view text) {
  const std::string t(text);
  return Check(rig_send_morse(rig_, RIG_VFO_CURR, t.c_str()), "send morse");
}

Status HamlibRadio::StopMorse() {
  return Check(rig_stop_morse(rig_, RIG_VFO_CURR), "stop morse");
}

Status HamlibRadio::SetMorseSpeed(int wpm) {
  value_t v;
  v.i = wpm;
  return Check(rig_set_level(rig_, RIG_VFO_CURR, RIG_LEVEL_KEYSPD, v), "keyer speed");
}

std::unique_ptr<RigControl> StartRig(HamlibLibrary& hamlib, const RigSettings& settings,
                                     Journal* journal) {
  if (!settings.Enabled()) return nullptr;
  auto rig = std::make_unique<RigControl>(std::make_unique<HamlibRadio>(hamlib, settings),
                                          std::chrono::milliseconds(settings.pollMs),
                                          std::chrono::milliseconds(1000), journal);
  rig->Start();
  return rig;
}

std::vector<RigModelInfo> HamlibLibrary::Models() {
  std::vector<RigModelInfo> out;
  {
    const auto lock = Lock();
    rig_list_foreach(
        [](const rig_caps* caps, rig_ptr_t data) {
          auto* list = static_cast<std::vector<RigModelInfo>*>(data);
          list->push_back({static_cast<std::int32_t>(caps->rig_model),
                           caps->mfg_name ? caps->mfg_name : "",
                           caps->model_name ? caps->model_name : ""});
          return 1;  // go on
        },
        &out);
  }
  std::sort(out.begin(), out.end(), [](const RigModelInfo& a, const RigModelInfo& b) {
    if (a.maker != b.maker) return a.maker < b.maker;
    return a.name < b.name;
  });
  return out;
}

std::string HamlibLibrary::ModelName(std::int32_t model) {
  const auto lock = Lock();
  const rig_caps* caps = rig_get_caps(static_cast<rig_model_t>(model));
  if (caps == nullptr) return {};
  return std::string(caps->mfg_name ? caps->mfg_name : "") + " " +
         (caps->model_name ? caps->model_name : "");
}

}  // namespace vk
