// Colours in the classic text-desktop manner: a blue desktop, light grey bars and dialogs.
#pragma once

#include <final/final.h>

namespace vk::ui {

class VorkTheme final : public finalcut::FWidgetColors {
 public:
  VorkTheme() { VorkTheme::setColorTheme(); }
  void setColorTheme() override;
};

}  // namespace vk::ui
