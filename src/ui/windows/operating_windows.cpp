#include "ui/windows/operating_windows.h"

#include "app/screen_layout.h"
#include "tui/window_select.h"
#include "ui/windows/aids_window.h"
#include "ui/windows/cw_window.h"
#include "ui/windows/entry_window.h"
#include "ui/windows/log_window.h"
#include "ui/windows/multi_window.h"
#include "ui/windows/repeat_window.h"
#include "ui/windows/score_window.h"
#include "util/bands.h"

namespace vk::ui {

std::unique_ptr<OperatingWindows> OperatingWindows::Open(finalcut::FWidget* desktop,
                                                         Station& station,
                                                         CwMessageList& cwMessages,
                                                         CwWindowModel::KeyerFactory makeKeyer) {
  std::unique_ptr<OperatingModels> models = OpenOperatingModels(station);
  if (models == nullptr) return nullptr;
  std::unique_ptr<OperatingWindows> w{
      new OperatingWindows(std::move(models), station.Bus(), std::move(makeKeyer))};
  w->Build(desktop, station, cwMessages);
  return w;
}

OperatingWindows::OperatingWindows(std::unique_ptr<OperatingModels> models, CommandBus& bus,
                                   CwWindowModel::KeyerFactory makeKeyer)
    // After the models: a broadcast reaches the window set once the models have taken it.
    : makeKeyer_(std::move(makeKeyer)), models_(std::move(models)), subscription_(bus, *this) {}

void OperatingWindows::PrepareForTyping() {
  // The database first: the lookup's index of the log notes which calls it lacks.
  aids_->ReadFiles();
  aidsPanel_->PrepareLookup();
  aidsWindow_->FilesRead();
}

void OperatingWindows::Build(finalcut::FWidget* desktop, Station& station,
                             CwMessageList& cwMessages) {
  OperatingModels& m = *models_;
  // Owned by the desktop: the toolkit deletes a widget's children with it.
  score_ = new ScoreWindow(desktop, *m.score, station.Bus());
  log_ = new LogWindow(desktop, *m.log, station.Bus());
  entry_ = new EntryWindow(desktop, *m.entry, m.esm.get());
  if (m.cwWindow) {
    cw_ = new CwWindow(desktop, station, *m.entry, cwMessages, makeKeyer_);
  }
  // The score, multiplier and Repeat windows hear the ticks themselves.
  for (std::size_t i = 0; i < m.multipliers.size(); ++i) {
    multipliers_.push_back(
        new MultiWindow(desktop, *m.multipliers[i], static_cast<int>(i), station.Bus()));
  }
  if (m.repeat != nullptr) repeat_ = new RepeatWindow(desktop, *m.repeat, station.Bus());
  // Its files are read once the windows show (PrepareForTyping).
  aids_ = std::make_unique<OperatorAids>(
      station, ReadAidsSettings(station.PathOf(kConfigFileName), station.Settings().main.contest),
      false);
  aids_->AttachTo(*m.entry);
  aidsPanel_ = std::make_unique<AidsPanelModel>(station, *aids_, *m.entry);
  aidsWindow_ = new AidsWindow(desktop, *aidsPanel_, station.Bus());
  aidsWindow_->SetRelayout([this, desktop, &station] { PlaceWindows(desktop, station); });
  aidsWindow_->SetTake([models = models_.get()](const std::string& call) {
    models->entry->TakeCall(call);
  });
  // Placed before they are shown, so that no window appears at a first place and then moves.
  PlaceWindows(desktop, station);
  for (finalcut::FDialog* d : std::initializer_list<finalcut::FDialog*>{score_, log_, entry_}) {
    d->show();
  }
  for (MultiWindow* mw : multipliers_) mw->show();
  if (repeat_ != nullptr) repeat_->show();
  aidsWindow_->ShowAsChosen();
  if (cw_ != nullptr) cw_->ShowForMode(station.CurrentMode());
  SelectEntry();
}

void OperatingWindows::PlaceWindows(finalcut::FWidget* desktop, Station& station) {
  LayoutNeeds needs;
  needs.scoreBands = 0;
  const auto& bands = station.Rules().Settings().bands;
  for (int b = 1; b <= kBandCount; ++b) needs.scoreBands += bands[b] ? 1 : 0;
  // The aids window takes the last place while it shows anything; the others share the rest.
  const bool aids = aidsPanel_->Visible();
  needs.sideWindows = static_cast<int>(multipliers_.size()) + (repeat_ != nullptr ? 1 : 0) + aids;
  needs.cwWindow = cw_ != nullptr;
  // Asked again on every resize of the terminal: each window takes its part of the new layout.
  auto layout = [desktop, needs] {
    const int rows = static_cast<int>(desktop->getDesktopHeight()) - 2;  // menu bar, status line
    return LayOutOperatingWindows(static_cast<int>(desktop->getDesktopWidth()), rows, needs);
  };
  log_->SetHome([layout] { return layout().log; });
  entry_->SetHome([layout] { return layout().entry; });
  if (cw_ != nullptr) cw_->SetHome([layout] { return layout().cw; });
  score_->SetHome([layout] { return layout().score; });
  std::vector<InfoWindow*> side(multipliers_.begin(), multipliers_.end());
  if (repeat_ != nullptr) side.push_back(repeat_);
  if (aids) {
    side.push_back(aidsWindow_);
  } else {
    // Hidden, it still follows resizes: any place that exists will do.
    aidsWindow_->SetHome([layout] {
      const OperatingLayout l = layout();
      return l.side.empty() ? l.score : l.side.back();
    });
  }
  for (std::size_t i = 0; i < side.size(); ++i) {
    side[i]->SetHome([layout, i] { return layout().side[i]; });
  }
}

void OperatingWindows::KeyerChanged(finalcut::FWidget* desktop, Station& station,
                                    CwMessageList& cwMessages) {
  if (cw_ != nullptr) {
    cw_->PortChanged();
    return;
  }
  if (!station.WantsCwWindow()) return;
  cw_ = new CwWindow(desktop, station, *models_->entry, cwMessages, makeKeyer_);
  PlaceWindows(desktop, station);
  cw_->ShowForMode(station.CurrentMode());
  SelectEntry();
}

void OperatingWindows::SelectEntry() {
  SelectWindow(entry_, &entry_->FocusedLine());
}

void OperatingWindows::CloseKeyer() {
  if (cw_ != nullptr) cw_->CloseKeyer();
}

void OperatingWindows::SelectLog() {
  SelectWindow(log_, &log_->List());
}

void OperatingWindows::HandleMessage(Message& m) {
  if (m.what == EventClass::kTick) Tick();
}

void OperatingWindows::Tick() {
  log_->Tick();
  entry_->Tick();
}

}  // namespace vk::ui
