// A window that sits where the desktop's layout puts it: `home` says where, and the window goes
// there again whenever the terminal changes size.  The operator neither moves nor resizes it.
#pragma once

#include <final/final.h>

#include <functional>
#include <string>

#include "app/screen_layout.h"

namespace vk::ui {

class DockedWindow : public finalcut::FDialog {
 protected:
  DockedWindow(finalcut::FWidget* parent, const std::string& title,
               std::function<WindowPlace()> home);

  // Takes the place `home` gives, lays the views out inside it and redraws.  The derived
  // constructor calls it last, once its views exist.
  void Place();
  // The views inside an interior of that many columns and rows (frame excluded).
  virtual void Layout(int width, int height) = 0;
  // Draws the contents again after a new place.
  virtual void Redraw() = 0;

 private:
  void adjustSize() override;
  bool zoomWindow() override { return false; }

  std::function<WindowPlace()> home_;
  bool placing_ = false;  // setGeometry calls adjustSize back
};

}  // namespace vk::ui
