// A window that takes its place from the desktop's layout: `home` says where, and the window
// goes there again whenever the terminal changes size or the layout gives it a new home.  Every
// window of the desktop that sits at a place of its own derives from it, so that the geometry
// comes from the screen layout alone.  What the operator may do to a window is its own choice:
// one that may be moved keeps the place the operator chose (Where), a resizable one keeps the
// size the operator gave it until the terminal changes size.
#pragma once

#include <final/final.h>

#include <functional>

#include "app/screen_layout.h"

namespace vk::ui {

class DockedWindow : public finalcut::FDialog {
 public:
  // The window goes to the new home at once and follows it from now on.
  void SetHome(std::function<WindowPlace()> home);

 protected:
  // Without title-bar buttons, not resizable, no shadow; nothing is placed until the derived
  // constructor calls Place().
  DockedWindow(finalcut::FWidget* parent, const finalcut::FString& title,
               std::function<WindowPlace()> home);

  // Takes the place Where() gives for the home, lays the views out inside it and redraws.  The
  // derived constructor calls it last, once its views exist.
  void Place();
  // The views inside an interior of that many columns and rows (frame excluded).
  virtual void Layout(int /*width*/, int /*height*/) {}
  // Draws the contents again after a new place.
  virtual void Redraw() {}
  // The place for `home` on the current desktop: home itself, unless the window keeps where the
  // operator put it.
  virtual WindowPlace Where(const WindowPlace& home) { return home; }
  // True when the operator moved the window since it was last placed.
  bool MovedByOperator() const;
  // The room between the menu bar and the status line.
  int DesktopColumns() const { return static_cast<int>(getDesktopWidth()); }
  int DesktopRows() const { return static_cast<int>(getDesktopHeight()) - 2; }

  void adjustSize() override;

 private:
  bool zoomWindow() override { return false; }

  std::function<WindowPlace()> home_;
  WindowPlace placed_;
  bool isPlaced_ = false;
  int placedColumns_ = 0;  // the desktop the window was placed on
  int placedRows_ = 0;
  bool placing_ = false;  // setGeometry calls adjustSize back
};

// The place the operating layout gives a window on `desktop`, asked again at every resize.  The
// log, entry and CW windows sit where they do whatever side windows the contest has, so this is
// their home from the start; the window set gives them the contest's layout once it is built.
std::function<WindowPlace()> OperatingHome(const finalcut::FWidget* desktop,
                                           WindowPlace OperatingLayout::*which);

}  // namespace vk::ui
