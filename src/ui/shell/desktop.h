// The main widget: the menu bar on top and the status line at the bottom, with the desktop's
// background colour between them.  Operating windows are its children too.
#pragma once

#include <final/final.h>

#include <functional>

#include "ui/shell/main_menu.h"
#include "ui/shell/status_line.h"

namespace vk::ui {

class Desktop final : public finalcut::FWidget {
 public:
  Desktop(finalcut::FWidget* app, MainMenu::Issue issue, std::function<void()> quit);

  MainMenu& Menu() { return menu_; }
  StatusLine& Status() { return status_; }

 private:
  MainMenu menu_;
  StatusLine status_;
};

}  // namespace vk::ui
