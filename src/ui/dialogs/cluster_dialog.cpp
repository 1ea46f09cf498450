#include "ui/dialogs/cluster_dialog.h"

#include "util/strings.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

ClusterDialog::ClusterDialog(finalcut::FWidget* parent, const ClusterSettings& initial, Apply apply)
    : OkCancelDialog(parent, "Cluster", 56, 16), apply_(std::move(apply)), initial_(initial) {
  Row(hostLabel_, "&Host:", host_, 2, 36);
  host_.SetCp866(initial.host);
  Row(portLabel_, "&Port:", port_, 4, 8);
  port_.SetPicture("#####");
  port_.SetCp866(IntToStr(initial.port));
  Row(callLabel_, "Login ca&ll:", call_, 6, 19);
  call_.SetPicture("!!!!!!!!!!!!!!!!");
  call_.SetCp866(initial.loginCall);
  Row(passwordLabel_, "Pass&word:", password_, 8, 24);
  password_.setInputType(finalcut::FLineEdit::InputType::Password);
  password_.SetCp866(initial.password);
  Row(commandsLabel_, "Co&mmands:", commands_, 10, 36);
  commands_.SetCp866(initial.commands);
  Row(ageLabel_, "Max a&ge, min:", age_, 12, 7);
  age_.SetPicture("####");
  age_.SetCp866(IntToStr(initial.maxAgeMinutes));
  assisted_.setGeometry(FPoint{3, 14}, FSize{30, 1});
  assisted_.setChecked(initial.assisted);
  PlaceButtons(ok_, cancel_);
  host_.setFocus();
}

void ClusterDialog::Row(finalcut::FLabel& label, const char* text, MaskedLine& line, int row,
                        int width) {
  label.setText(text);
  label.setGeometry(FPoint{3, row}, FSize{15, 1});
  label.setAccelWidget(&line);
  line.setGeometry(FPoint{18, row}, FSize{static_cast<std::size_t>(width), 1});
}

bool ClusterDialog::Confirm() {
  ClusterSettings s = initial_;
  s.host = Trim(host_.Cp866());
  const int port = StrToIntDef0(Trim(port_.Cp866()));
  if (port <= 0 || port > 65535) return RefuseField(port_, "The port is a number 1-65535.");
  s.port = static_cast<std::uint16_t>(port);
  s.loginCall = UpperCase(Trim(call_.Cp866()));
  s.password = password_.Cp866();
  s.commands = Trim(commands_.Cp866());
  const int age = StrToIntDef0(Trim(age_.Cp866()));
  if (age <= 0 || age > 1440) return RefuseField(age_, "Spots live 1-1440 minutes.");
  s.maxAgeMinutes = age;
  s.assisted = assisted_.isChecked();
  const Status st = apply_(s);
  if (!st) return RefuseField(host_, st.message);
  return true;
}

}  // namespace vk::ui
