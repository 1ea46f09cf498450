// "[ CW Message Edit ]": one row per message key, its label and an input line that upper-cases
// what is typed.  OK stores the messages that changed and writes all of them to vorkan.cfg;
// Cancel changes nothing.
#pragma once

#include <final/final.h>

#include <memory>
#include <string>
#include <vector>

#include "cw/cw_messages.h"
#include "tui/masked_line.h"
#include "tui/ok_cancel_dialog.h"

namespace vk::ui {

class CwMessageEditor final : public OkCancelDialog {
 public:
  CwMessageEditor(finalcut::FWidget* parent, const CwMessageList& messages);
  ~CwMessageEditor() override;

  // The text of each row, in key order.
  std::vector<std::string> Texts() const;

 private:
  struct Row {
    std::unique_ptr<finalcut::FLabel> label;
    std::unique_ptr<MaskedLine> line;
  };
  static std::vector<Row> MakeRows(CwMessageEditor* dialog, const CwMessageList& messages,
                                   bool twoColumns);

  // Before the buttons, so that Tab goes through the rows first.
  std::vector<Row> rows_;
  finalcut::FButton ok_{"&OK", this};
  finalcut::FButton cancel_{"&Cancel", this};
};

// Runs the editor on `messages`; on OK the changed messages are replaced and the list is saved
// to `configPath`.  True when confirmed.
bool RunCwMessageEditor(finalcut::FWidget* desktop, CwMessageList& messages,
                        const std::string& configPath);

}  // namespace vk::ui
