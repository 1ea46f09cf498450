// The menu bar.  Items are wired by command number; choosing one posts the command, so it runs
// after the menu has closed.
#pragma once

#include <final/final.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/commands.h"
#include "ui/shell/row_text.h"

namespace vk::ui {

class MainMenu final : public finalcut::FMenuBar {
 public:
  using Issue = std::function<void(CommandId)>;
  MainMenu(finalcut::FWidget* desktop, Issue issue);

  // One more entry of the New contest submenu (k >= 1; entry 0 is The World Contest).
  void AddContest(int k, std::string_view cp866Title);

  RowText& Banner() { return banner_; }
  // The banner right-aligned before the clock, in the room the menu titles leave.
  void ShowBanner(std::string_view ownCall, std::string_view contestDisplayName);
  TopClock& Clock() { return clock_; }

  void adjustSize() override;

 private:
  void Wire(finalcut::FMenuItem& item, CommandId command);
  // The first column after the menu titles.
  int TitlesEnd();
  void FitBannerToRow();

  Issue issue_;
  finalcut::FMenu file_{"&File", this};
  finalcut::FMenu newContest_{"&New contest", &file_};
  finalcut::FMenuItem world_{"The World Contest", &newContest_};
  finalcut::FMenuItem cabrillo_{&file_};
  finalcut::FMenuItem exportAdif_{"E&xport ADIF...", &file_};
  finalcut::FMenuItem importAdif_{"&Import ADIF...", &file_};
  finalcut::FMenuItem fileLine_{&file_};
  finalcut::FMenuItem exit_{&file_};

  finalcut::FMenu options_{"&Options", this};
  finalcut::FMenuItem videoMode_{"&Video mode", &options_};
  finalcut::FMenuItem cwSetup_{"&CW setup", &options_};
  finalcut::FMenuItem cwMessage_{&options_};
  finalcut::FMenuItem networkSetup_{"&Network setup", &options_};
  finalcut::FMenuItem clusterSetup_{"C&luster", &options_};
  finalcut::FMenuItem station_{"S&tation...", &options_};
  finalcut::FMenuItem scp_{&options_};
  finalcut::FMenuItem rate_{&options_};
  finalcut::FMenuItem esm_{&options_};
  finalcut::FMenuItem rig_{"Ri&g...", &options_};
  finalcut::FMenuItem optionsLine_{&options_};
  finalcut::FMenuItem save_{"&Save...", &options_};

  finalcut::FMenu tools_{"&Tools", this};
  finalcut::FMenuItem changeTime_{"Change time", &tools_};
  finalcut::FMenuItem statistics_{"&Statistics...", &tools_};
  finalcut::FMenuItem nextSide_{&tools_};

  finalcut::FMenu help_{"&Help", this};
  finalcut::FMenuItem helpTopic_{"&Help topic", &help_};
  finalcut::FMenuItem helpLine_{&help_};
  finalcut::FMenuItem about_{"&About...", &help_};

  std::string ownCall_;
  std::string contestName_;
  RowText banner_;
  TopClock clock_;
};

}  // namespace vk::ui
