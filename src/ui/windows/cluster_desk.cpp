#include "ui/windows/cluster_desk.h"

#include "app/views/cluster_layout.h"
#include "tui/focus_return.h"
#include "tui/screen_text.h"
#include "tui/tv_dialog.h"
#include "tui/window_select.h"
#include "ui/dialogs/cluster_dialog.h"
#include "ui/windows/band_map_window.h"
#include "ui/windows/cluster_console.h"
#include "util/strings.h"

namespace vk::ui {

namespace {

// The desktop's rows between the menu bar and the status line.
int DesktopRows(const finalcut::FWidget* desktop) {
  return static_cast<int>(desktop->getDesktopHeight()) - 2;
}
int DesktopColumns(const finalcut::FWidget* desktop) {
  return static_cast<int>(desktop->getDesktopWidth());
}

}  // namespace

ClusterDesk::ClusterDesk(finalcut::FWidget* desktop, Station& station, ClusterHub& hub,
                         ChangeSettings change, EntryModel& entry, bool cwWindow,
                         std::function<void()> backToEntry)
    : desktop_(desktop),
      station_(station),
      entry_(entry),
      backToEntry_(std::move(backToEntry)),
      hub_(hub),
      change_(std::move(change)),
      map_(station, hub_) {
  LayoutNeeds needs;
  needs.scoreBands = 0;
  for (int b = 1; b <= kBandCount; ++b)
    needs.scoreBands += station.Rules().Settings().bands[b] ? 1 : 0;
  needs.cwWindow = cwWindow;
  auto mapHome = [desktop, needs] {
    return BandMapPlace(DesktopColumns(desktop), DesktopRows(desktop), needs);
  };
  auto consoleHome = [desktop, needs] {
    return ClusterConsolePlace(DesktopColumns(desktop), DesktopRows(desktop), needs);
  };
  mapWindow_ = new BandMapWindow(
      desktop, map_, [this] { TakeSpot(); }, [this] { backToEntry_(); }, mapHome,
      [this](KeyCode key) {
        backToEntry_();
        entry_.Key(key);
      });
  console_ = new ClusterConsole(
      desktop, hub_, [this] { backToEntry_(); }, consoleHome);
  ShowForSettings();
  station_.Bus().Attach(this);
  // Hidden windows still take the focus when they are made; it belongs to the entry window.
  backToEntry_();
}

ClusterDesk::~ClusterDesk() {
  station_.Bus().Detach(this);
  delete mapWindow_;
  delete console_;
}

void ClusterDesk::ShowForSettings() {
  if (!hub_.Settings().assisted) {
    mapWindow_->hide();
    console_->hide();
  }
}

std::string ClusterDesk::StatusText() const {
  return ClusterStateText(hub_.Running(), hub_.Connected());
}

void ClusterDesk::HandleMessage(Message& m) {
  if (m.what == EventClass::kTick) {
    Tick();
    return;
  }
  if (m.what != EventClass::kCommand) return;
  switch (m.command) {
    case cm::kBandMap:
      if (hub_.Settings().assisted) Toggle(mapWindow_, nullptr);
      break;
    case cm::kClusterConsole:
      if (hub_.Settings().assisted) Toggle(console_, &console_->Line());
      break;
    case cm::kSpotQso:
      SpotQso();
      break;
    case cm::kClusterSetup:
      RunSetup();
      break;
    default:
      return;
  }
  m.handled = true;
}

void ClusterDesk::Tick() {
  hub_.Poll();
  if (mapWindow_->isShown()) mapWindow_->Update();
  if (console_->isShown()) console_->Update();
}

// Shown: hidden again and the entry window selected.  Hidden: shown on top and selected.
void ClusterDesk::Toggle(finalcut::FDialog* w, finalcut::FWidget* focus) {
  if (w->isShown() && finalcut::FWidget::getActiveWindow() == w) {
    w->hide();
    backToEntry_();
    desktop_->redraw();
    return;
  }
  if (!w->isShown()) w->show();
  if (w == mapWindow_) mapWindow_->Update(true);
  if (w == console_) console_->Update(true);
  SelectWindow(w, focus);
}

void ClusterDesk::SpotQso() {
  // The call being worked, else the last one logged.
  std::string call = Trim(entry_.CallText());
  const TLogCollection& log = station_.Log();
  Freq freq = station_.CurrentFreq();
  if (call.empty() && log.Count() > 0) {
    call = log.At(log.Count() - 1)->Call;
    freq = log.At(log.Count() - 1)->Freq;
  }
  if (call.empty() || !hub_.SpotQso(freq, call)) {
    ShowMessage(desktop_, "Information",
                ScreenText(desktop_, hub_.Connected() ? "Nothing to spot: no call."
                                                      : "Cluster: not connected."));
  }
}

void ClusterDesk::TakeSpot() {
  if (!map_.Take(entry_)) return;
  backToEntry_();
}

void ClusterDesk::RunSetup() {
  ClusterDialog dialog{desktop_, hub_.Settings(), [this](const ClusterSettings& s) {
                         const Status changed = change_(s);
                         if (changed) ShowForSettings();
                         return changed;
                       }};
  dialog.Run();
}

}  // namespace vk::ui
