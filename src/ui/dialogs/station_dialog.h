// Options > Station: the own call, the exchange sent and the locator.  OK hands the form to the
// core, which refuses a call that is not one; the dialog then stays open on the Call line.
#pragma once

#include <final/final.h>

#include <functional>

#include "app/station_setup.h"
#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"

namespace vk::ui {

class StationDialog final : public OkCancelDialog {
 public:
  using Apply = std::function<Status(const StationForm&)>;
  StationDialog(finalcut::FWidget* parent, const StationForm& form, Apply apply);

 private:
  bool Confirm() override;

  Apply apply_;
  finalcut::FLabel callLabel_{"&Call:", this};
  MaskedLine call_{this, 16};
  finalcut::FLabel exchangeLabel_{"E&xchange:", this};
  MaskedLine exchange_{this, 8};
  finalcut::FLabel locatorLabel_{"&Locator:", this};
  MaskedLine locator_{this, 6};
  finalcut::FLabel note_{this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

}  // namespace vk::ui
