#include "ui/dialogs/station_dialog.h"

#include "app/new_contest.h"

namespace vk::ui {

using finalcut::FPoint;
using finalcut::FSize;

StationDialog::StationDialog(finalcut::FWidget* parent, const StationForm& form, Apply apply)
    : OkCancelDialog(parent, "Station", 44, 10), apply_(std::move(apply)) {
  callLabel_.setGeometry(FPoint{3, 2}, FSize{10, 1});
  callLabel_.setAccelWidget(&call_);
  call_.setGeometry(FPoint{14, 2}, FSize{19, 1});
  call_.SetPicture(kContestCallPicture);
  call_.SetCp866(form.call);
  exchangeLabel_.setGeometry(FPoint{3, 4}, FSize{10, 1});
  exchangeLabel_.setAccelWidget(&exchange_);
  exchange_.setGeometry(FPoint{14, 4}, FSize{11, 1});
  exchange_.SetPicture(kContestCallPicture);
  exchange_.SetCp866(form.exchange);
  locatorLabel_.setGeometry(FPoint{3, 6}, FSize{10, 1});
  locatorLabel_.setAccelWidget(&locator_);
  locator_.setGeometry(FPoint{14, 6}, FSize{9, 1});
  locator_.SetPicture(kContestCallPicture);
  locator_.SetCp866(form.locator);
  note_.setText("Takes effect at once; the log is kept.");
  note_.setGeometry(FPoint{3, 8}, FSize{39, 1});
  PlaceButtons(ok_, cancel_);
  call_.setFocus();
}

bool StationDialog::Confirm() {
  const Status s = apply_(StationForm{call_.Cp866(), exchange_.Cp866(), locator_.Cp866()});
  if (!s) {
    const bool locatorFault = s.message.find("locator") != std::string::npos;
    return RefuseField(locatorFault ? locator_ : call_, s.message);
  }
  return true;
}

}  // namespace vk::ui
