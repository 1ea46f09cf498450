#include "ui/dialogs/rig_dialog.h"

#include <string>

#include "tui/screen_text.h"
#include "util/strings.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

namespace {
constexpr int kWidth = 62;
constexpr int kHeight = 14;

// The number typed in a line; -1 for anything else.
int NumberIn(const finalcut::FLineEdit& line) {
  long long v = 0;
  if (!TryStrToInt(Trim(line.getText().toString()), v) || v < 0 || v > 1'000'000) return -1;
  return static_cast<int>(v);
}
}  // namespace

RigDialog::RigDialog(finalcut::FWidget* parent, const RigSettings& current,
                     std::vector<RigModelInfo> models, Apply apply)
    : OkCancelDialog(parent, "Rig", kWidth, kHeight),
      models_(std::move(models)),
      apply_(std::move(apply)) {
  modelLabel_.setGeometry(FPoint{3, 1}, FSize{10, 1});
  modelLabel_.setAccelWidget(&model_);
  model_.setGeometry(FPoint{3, 2}, FSize{kWidth - 6, 8});
  std::size_t chosen = 1;
  const std::vector<std::string> labels = RigModelLabels(models_);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    model_.insert(ScreenText(this, labels[i]));
    if (i > 0 && models_[i - 1].model == current.model) chosen = i + 1;
  }
  model_.setCurrentItem(chosen);
  deviceLabel_.setGeometry(FPoint{3, 10}, FSize{9, 1});
  deviceLabel_.setAccelWidget(&device_);
  device_.setGeometry(FPoint{13, 10}, FSize{32, 1});
  device_.setText(finalcut::FString{current.device});
  speedLabel_.setGeometry(FPoint{3, 12}, FSize{9, 1});
  speedLabel_.setAccelWidget(&speed_);
  speed_.setGeometry(FPoint{13, 12}, FSize{9, 1});
  speed_.setText(finalcut::FString{std::to_string(current.speed)});
  pollLabel_.setGeometry(FPoint{25, 12}, FSize{10, 1});
  pollLabel_.setAccelWidget(&poll_);
  poll_.setGeometry(FPoint{36, 12}, FSize{7, 1});
  poll_.setText(finalcut::FString{std::to_string(current.pollMs)});
  PlaceButtons(ok_, cancel_);
  model_.setFocus();
}

bool RigDialog::Confirm() {
  RigSettings s;
  const std::size_t i = model_.currentItem();  // the toolkit counts from 1; 1 is "No radio"
  s.model = i >= 2 && i - 2 < models_.size() ? models_[i - 2].model : kRigModelNone;
  s.device = Trim(device_.getText().toString());
  s.speed = NumberIn(speed_);
  s.pollMs = NumberIn(poll_);
  if (s.speed < 0)
    return RefuseField(speed_, "serial speed: a number of baud, 0 for the model's own");
  if (const Status st = apply_(s); !st) {
    return RefuseField(st.message.find("poll") != std::string::npos ? poll_ : speed_, st.message);
  }
  return true;
}

void RunRigSetup(finalcut::FWidget* desktop, Station& station) {
  RigDialog dialog{desktop, CurrentRigSettings(station), station.Hamlib().Models(),
                   [&station](const RigSettings& s) { return ApplyRigSettings(station, s); }};
  dialog.Run();
}

}  // namespace vk::ui
