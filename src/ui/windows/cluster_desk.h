// The cluster on the running station's screen: the band map and the console windows over the
// session's link, the spot key and the setup dialog.  Built with the operating windows;
// hears the bus for the ticks and the cluster commands (Alt+B, Alt+K, Alt+P, Options >
// Cluster).  The windows belong to the desktop but are closed by this object, whose models
// they show.
#pragma once

#include <final/final.h>

#include <memory>
#include <string>

#include "app/command_bus.h"
#include "app/views/entry_window_model.h"
#include "app/screen_layout.h"
#include "app/station.h"
#include "app/views/band_map_model.h"
#include "cluster/cluster_hub.h"

namespace vk::ui {

class BandMapWindow;
class ClusterConsole;

class ClusterDesk final : public MessageTarget {
 public:
  // `hub` is the session's link, running before the desk is built; `change` writes new
  // settings and restarts the link on them (Session::ChangeCluster).
  using ChangeSettings = std::function<Status(const ClusterSettings&)>;
  ClusterDesk(finalcut::FWidget* desktop, Station& station, ClusterHub& hub,
              ChangeSettings change, EntryModel& entry, bool cwWindow,
              std::function<void()> backToEntry);
  ~ClusterDesk() override;
  ClusterDesk(const ClusterDesk&) = delete;
  ClusterDesk& operator=(const ClusterDesk&) = delete;

  void HandleMessage(Message& m) override;
  // For the status line: empty while no cluster is used.
  std::string StatusText() const;

 private:
  // Hides the map and the console when the link's settings are not for an assisted entry.
  void ShowForSettings();
  void Toggle(finalcut::FDialog* w, finalcut::FWidget* focus);
  void SpotQso();
  void TakeSpot();
  void RunSetup();
  void Tick();

  finalcut::FWidget* desktop_;
  Station& station_;
  EntryModel& entry_;
  std::function<void()> backToEntry_;
  ClusterHub& hub_;
  ChangeSettings change_;
  BandMapModel map_;
  BandMapWindow* mapWindow_ = nullptr;  // owned by the desktop
  ClusterConsole* console_ = nullptr;   // owned by the desktop
};

}  // namespace vk::ui
