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
  const int next = static_cast<int>(m.multipliers.size()) + (m.repeat != nullptr ? 1 : 0);
  if (m.needed != nullptr) needed_ = new MultiWindow(desktop, *m.needed, next, station.Bus());
  dupes_ = new MultiWindow(desktop, *m.dupes, next + 1, station.Bus());
  side_.assign(multipliers_.begin(), multipliers_.end());
  for (InfoWindow* w : std::initializer_list<InfoWindow*>{repeat_, needed_, dupes_}) {
    if (w != nullptr) side_.push_back(w);
  }
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
  ShowSideWindows();
  aidsWindow_->ShowAsChosen();
  if (cw_ != nullptr) cw_->ShowForMode(station.CurrentMode());
  SelectEntry();
}

void OperatingWindows::PlaceWindows(finalcut::FWidget* desktop, Station& station) {
  LayoutNeeds needs;
  needs.scoreBands = 0;
  const auto& bands = station.Rules().Settings().bands;
  for (int b = 1; b <= kBandCount; ++b) needs.scoreBands += bands[b] ? 1 : 0;
  // The Check window has a place while it shows anything.
  const bool aids = aidsPanel_->Visible();
  needs.sideWindows = static_cast<int>(side_.size());
  needs.cwWindow = cw_ != nullptr;
  needs.checkWindow = aids;
  // Asked again on every resize of the terminal: each window takes its part of the new layout.
  layout_ = [desktop, needs] {
    const int rows = static_cast<int>(desktop->getDesktopHeight()) - 2;  // menu bar, status line
    return LayOutOperatingWindows(static_cast<int>(desktop->getDesktopWidth()), rows, needs);
  };
  const auto layout = layout_;
  log_->SetHome([layout] { return layout().log; });
  entry_->SetHome([layout] { return layout().entry; });
  if (cw_ != nullptr) cw_->SetHome([layout] { return layout().cw; });
  score_->SetHome([layout] { return layout().score; });
  aidsWindow_->SetHome([layout, aids] {
    const OperatingLayout l = layout();
    // Hidden, it still follows resizes: any place that exists will do.
    return aids || l.side.empty() ? l.check : l.side.back();
  });
  for (std::size_t i = 0; i < side_.size(); ++i) {
    side_[i]->SetHome([layout, i] { return layout().side[i]; });
  }
  ShowSideWindows();
}

void OperatingWindows::ShowSideWindows() {
  if (!layout_) return;
  const OperatingLayout l = layout_();
  const finalcut::FWidget* desktop = entry_->getParentWidget();
  desktopColumns_ = static_cast<int>(desktop->getDesktopWidth());
  desktopRows_ = static_cast<int>(desktop->getDesktopHeight());
  if (sideShown_ >= side_.size()) sideShown_ = 0;
  bool hidActive = false;
  for (std::size_t i = 0; i < side_.size(); ++i) {
    InfoWindow* w = side_[i];
    const bool show = !l.sideShared || i == sideShown_;
    w->MarkShared(l.sideShared ? static_cast<int>(i) : 0,
                  l.sideShared ? static_cast<int>(side_.size()) : 1);
    if (show) {
      if (!w->isShown()) w->show();
      w->redraw();
    } else if (w->isShown()) {
      hidActive |= w->isWindowActive();
      w->hide();
    }
  }
  // A hidden window keeps the keyboard unless another is chosen.
  if (hidActive) SelectEntry();
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
  if (m.what == EventClass::kCommand && m.command == cm::kNextSideWindow) {
    if (!side_.empty()) sideShown_ = (sideShown_ + 1) % side_.size();
    ShowSideWindows();
    m.handled = true;
  }
}

void OperatingWindows::Tick() {
  // A new terminal size may give the side windows places of their own, or take them away.
  const finalcut::FWidget* desktop = entry_->getParentWidget();
  if (static_cast<int>(desktop->getDesktopWidth()) != desktopColumns_ ||
      static_cast<int>(desktop->getDesktopHeight()) != desktopRows_) {
    ShowSideWindows();
  }
  log_->Tick();
  entry_->Tick();
}

}  // namespace vk::ui
