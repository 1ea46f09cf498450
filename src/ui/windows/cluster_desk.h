// The cluster on the running station: the link (its thread behind the hub), the band map and
// the console windows, the spot key and the setup dialog.  Built with the operating windows;
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
  ClusterDesk(finalcut::FWidget* desktop, Station& station, EntryModel& entry, bool cwWindow,
              std::function<void()> backToEntry);
  ~ClusterDesk() override;
  ClusterDesk(const ClusterDesk&) = delete;
  ClusterDesk& operator=(const ClusterDesk&) = delete;

  void HandleMessage(Message& m) override;
  // For the status line: empty while no cluster is used.
  std::string StatusText() const;
  // True while the link to a cluster node runs (its thread hands lines over).
  bool LinkRunning() const { return hub_.Running(); }

 private:
  void Configure(const ClusterSettings& s);
  void Toggle(finalcut::FDialog* w, finalcut::FWidget* focus);
  void SpotQso();
  void TakeSpot();
  void RunSetup();
  void Tick();

  finalcut::FWidget* desktop_;
  Station& station_;
  EntryModel& entry_;
  std::function<void()> backToEntry_;
  ClusterHub hub_;
  BandMapModel map_;
  BandMapWindow* mapWindow_ = nullptr;  // owned by the desktop
  ClusterConsole* console_ = nullptr;   // owned by the desktop
};

}  // namespace vk::ui
