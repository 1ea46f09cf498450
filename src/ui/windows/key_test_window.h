// A plain window with one input line, opened only when the environment asks for it
// (VORKAN_KEY_TEST_WINDOWS=1): it lets an end-to-end test see which keys reach a window's
// fields and how the window keys act, before the operating windows exist on the desktop.
#pragma once

#include <final/final.h>

#include <string_view>

namespace vk::ui {

class KeyTestWindow final : public finalcut::FDialog {
 public:
  KeyTestWindow(finalcut::FWidget* desktop, std::string_view title, int column);
  finalcut::FLineEdit& Line() { return line_; }

 private:
  finalcut::FLineEdit line_{this};
};

}  // namespace vk::ui
