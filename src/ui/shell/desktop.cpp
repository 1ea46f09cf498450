#include "ui/shell/desktop.h"

namespace vk::ui {

Desktop::Desktop(finalcut::FWidget* app, MainMenu::Issue issue, std::function<void()> quit)
    : finalcut::FWidget(app), menu_(this, std::move(issue)), status_(this, std::move(quit)) {}

}  // namespace vk::ui
