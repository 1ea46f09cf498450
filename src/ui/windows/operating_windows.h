// The operating windows on the desktop: the score window, the log window (whose opening loads
// the log file), the entry window, the multiplier windows and the Repeat window, built on the
// station's models in the order the desktop shows them.  The set hears the station's bus after
// the models: it passes every tick on to the log and entry windows, which redraw what their
// models noted.  (The score and side windows hear the bus themselves.)
#pragma once

#include <final/final.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/screen_layout.h"
#include "app/views/operating_models.h"
#include "app/station.h"
#include "app/views/aids_panel_model.h"
#include "app/views/cw_window_model.h"
#include "app/views/operator_aids.h"
#include "app/views/view_model.h"
#include "cw/cw_messages.h"

namespace vk::ui {

class AidsWindow;
class CwWindow;
class EntryWindow;
class InfoWindow;
class LogWindow;
class MultiWindow;
class RepeatWindow;
class ScoreWindow;

class OperatingWindows final : public MessageTarget {
 public:
  // Nothing without a contest.  The windows belong to the desktop, which deletes them with
  // itself; the models belong to this object, which must outlive the windows.
  // `cwMessages` (the CW window's texts) outlive the windows too.
  // `makeKeyer` makes the CW window's keyer (the session's Session::MakeKeyer).
  static std::unique_ptr<OperatingWindows> Open(finalcut::FWidget* desktop, Station& station,
                                                CwMessageList& cwMessages,
                                                CwWindowModel::KeyerFactory makeKeyer);
  OperatingWindows(const OperatingWindows&) = delete;
  OperatingWindows& operator=(const OperatingWindows&) = delete;

  const OperatingModels& Models() const { return *models_; }
  EntryWindow& Entry() { return *entry_; }
  LogWindow& Log() { return *log_; }
  // nullptr when no keying port is configured.
  CwWindow* Cw() { return cw_; }
  // The program ends: the CW window's keyer writes its settings and stops.
  void CloseKeyer();
  // The CW setup chose a keyer: the CW window makes its keyer again, or opens now when the
  // station started without one.
  void KeyerChanged(finalcut::FWidget* desktop, Station& station, CwMessageList& cwMessages);

  void SelectEntry();
  // What the windows can do ahead of the first key (once the screen shows them).
  void PrepareForTyping();
  void SelectLog();

  void HandleMessage(Message& m) override;

 private:
  OperatingWindows(std::unique_ptr<OperatingModels> models, CommandBus& bus,
                   CwWindowModel::KeyerFactory makeKeyer);
  void Build(finalcut::FWidget* desktop, Station& station, CwMessageList& cwMessages);
  // Gives every window its part of the screen layout for the current contest.
  void PlaceWindows(finalcut::FWidget* desktop, Station& station);
  // Shows the side windows the layout has room for: all of them, or while they share one
  // place the chosen one (Alt+W brings the next).
  void ShowSideWindows();
  void Tick();

  CwWindowModel::KeyerFactory makeKeyer_;
  std::unique_ptr<OperatingModels> models_;
  ScoreWindow* score_ = nullptr;
  LogWindow* log_ = nullptr;
  EntryWindow* entry_ = nullptr;
  CwWindow* cw_ = nullptr;
  std::vector<MultiWindow*> multipliers_;
  RepeatWindow* repeat_ = nullptr;
  MultiWindow* needed_ = nullptr;
  MultiWindow* dupes_ = nullptr;
  // The side windows in layout order, and the layout of the current desktop.
  std::vector<InfoWindow*> side_;
  std::function<OperatingLayout()> layout_;
  std::size_t sideShown_ = 0;  // the one shown while they share a place
  int desktopColumns_ = 0, desktopRows_ = 0;
  // The operator aids: after models_, so they go before the entry model they are attached to.
  std::unique_ptr<OperatorAids> aids_;
  std::unique_ptr<AidsPanelModel> aidsPanel_;
  AidsWindow* aidsWindow_ = nullptr;
  // Last: attached once the rest is built, detached before any of it goes.
  BusSubscription subscription_;
};

}  // namespace vk::ui
