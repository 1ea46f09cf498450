#include "ui/windows/key_test_window.h"

#include <string>

namespace vk::ui {

KeyTestWindow::KeyTestWindow(finalcut::FWidget* desktop, std::string_view title, int column)
    : finalcut::FDialog(desktop) {
  setText(finalcut::FString{std::string(title)});
  setGeometry(finalcut::FPoint{column, 2}, finalcut::FSize{30, 5});
  line_.setGeometry(finalcut::FPoint{2, 1}, finalcut::FSize{24, 1});
}

}  // namespace vk::ui
