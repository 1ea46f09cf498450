#include "tui/theme.h"

namespace vk::ui {

using finalcut::FColor;

void VorkTheme::setColorTheme() {
  static_cast<finalcut::FWidgetColors&>(*this) = finalcut::default16ColorTheme{};
  term_fg = FColor::LightGray;
  term_bg = FColor::Blue;
  menu_active_fg = FColor::Black;
  menu_active_bg = FColor::LightGray;
  menu_inactive_fg = FColor::DarkGray;
  menu_inactive_bg = FColor::LightGray;
  menu_hotkey_fg = FColor::Red;
  menu_hotkey_bg = FColor::LightGray;
  menu_active_focus_fg = FColor::Black;
  menu_active_focus_bg = FColor::Green;
  statusbar_fg = FColor::Black;
  statusbar_bg = FColor::LightGray;
  statusbar_hotkey_fg = FColor::Red;
  statusbar_hotkey_bg = FColor::LightGray;
  dialog_fg = FColor::Black;
  dialog_bg = FColor::LightGray;
  label_fg = FColor::Black;
  label_bg = FColor::LightGray;
}

}  // namespace vk::ui
