// Modal dialogs in the classic manner: built at a fixed size, centred on the desktop, run
// modally, destroyed when they end.  Enter presses the default button from any field, Esc
// cancels; once a dialog is gone, the keys go back to the window that had them.  Geometry is
// given as the classic desktop counts it (frame on row 0); the toolkit's title bar takes one
// row more, which the constructor adds.
#pragma once

#include <final/final.h>

#include <string>
#include <string_view>
#include <vector>

#include "tui/focus_return.h"

namespace vk::ui {

// FocusReturn comes first so that it is destroyed last, after the toolkit has made its own
// choice of window in the dialog's destructor.
class TvDialog : private FocusReturn, public finalcut::FDialog {
 public:
  // width and height as the classic frame counts them.
  TvDialog(finalcut::FWidget* parent, std::string_view title, int width, int height);

  // Runs the dialog; true when it ended with OK (the default button).
  bool Run();

  void onKeyPress(finalcut::FKeyEvent* ev) override;

 protected:
  void SetDefaultButton(finalcut::FButton* b) { default_ = b; }
  void Accept() { done(ResultCode::Accept); }
  // Adds the single-button row: one more row at the top, two at the bottom, and an "O~K"
  // button, 10 columns wide, centred on the two rows above the bottom frame line.  Returns the
  // row offset for the dialog's other contents.
  int AddOkRow(finalcut::FButton& ok);

  int TvWidth() const { return width_; }
  int TvHeight() const { return height_; }

 private:
  void Centre();

  int width_;
  int height_;
  finalcut::FButton* default_ = nullptr;
};

// "Error", 38 x 5 plus the button row: one line of text and OK.
class ErrorBox final : public TvDialog {
 public:
  ErrorBox(finalcut::FWidget* parent, std::string_view cp866Text);

 private:
  finalcut::FLabel text_{this};
  finalcut::FButton ok_{"O&K", this};
};

// "About", 46 x 17 plus the button row.
class AboutBox final : public TvDialog {
 public:
  explicit AboutBox(finalcut::FWidget* parent);

 private:
  finalcut::FLabel lines_[4]{finalcut::FLabel{this}, finalcut::FLabel{this}, finalcut::FLabel{this},
                             finalcut::FLabel{this}};
  finalcut::FButton ok_{"O&K", this};
};

// A box of plain lines with OK: the help texts.  As wide as the longest line needs.
class TextBox final : public TvDialog {
 public:
  TextBox(finalcut::FWidget* parent, std::string_view title, const std::vector<std::string>& lines);

 private:
  finalcut::FLabel text_{this};
  finalcut::FButton ok_{"O&K", this};
};

// A box of plain lines that may be more than the screen holds: they scroll with the arrows,
// PgUp and PgDn; Enter or OK closes it.  Help > Help topic, the keys.
class ScrollTextBox final : public TvDialog {
 public:
  ScrollTextBox(finalcut::FWidget* parent, std::string_view title,
                const std::vector<std::string>& lines);

 private:
  finalcut::FTextView text_{this};
  finalcut::FButton ok_{"O&K", this};
};

}  // namespace vk::ui
