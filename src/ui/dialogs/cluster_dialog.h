// Options > Cluster: the node (host and port), the login call, the password, the commands sent
// after the login, how long spots live, and whether the entry is assisted.  OK writes the
// [Cluster] section and takes effect at once: the link is made anew, or dropped with every
// spot when the entry is made unassisted.
#pragma once

#include <final/final.h>

#include <functional>

#include "tui/masked_line.h"
#include "ui/dialogs/qso_dialogs.h"
#include "cluster/cluster_settings.h"

namespace vk::ui {

class ClusterDialog final : public OkCancelDialog {
 public:
  using Apply = std::function<Status(const ClusterSettings&)>;
  ClusterDialog(finalcut::FWidget* parent, const ClusterSettings& initial, Apply apply);

 private:
  bool Confirm() override;
  void Row(finalcut::FLabel& label, const char* text, MaskedLine& line, int row, int width);

  Apply apply_;
  ClusterSettings initial_;
  finalcut::FLabel hostLabel_{this};
  MaskedLine host_{this, 60};
  finalcut::FLabel portLabel_{this};
  MaskedLine port_{this, 5};
  finalcut::FLabel callLabel_{this};
  MaskedLine call_{this, 16};
  finalcut::FLabel passwordLabel_{this};
  MaskedLine password_{this, 30};
  finalcut::FLabel commandsLabel_{this};
  MaskedLine commands_{this, 120};
  finalcut::FLabel ageLabel_{this};
  MaskedLine age_{this, 4};
  finalcut::FCheckBox assisted_{"&Assisted (spots on)", this};
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

}  // namespace vk::ui
