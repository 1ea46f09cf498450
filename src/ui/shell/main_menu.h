// The menu bar, built from the command table (app/command_table.h).  Items are wired by
// command number; choosing one posts the command, so it runs after the menu has closed.
#pragma once

#include <final/final.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_table.h"
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

  static finalcut::FString RowLabel(CommandId command);
  // The items of a menu title; nullptr for kNone.
  finalcut::FMenu* MenuOf(MenuTitle title);
  // Adds the command table's rows, in their order; the toolkit's menus delete their items.
  void AddRows();

  Issue issue_;
  finalcut::FMenu file_{"&File", this};
  finalcut::FMenu options_{"&Options", this};
  finalcut::FMenu tools_{"&Tools", this};
  finalcut::FMenu help_{"&Help", this};
  // File > New contest, the contest list: a member, as a submenu must go before the menu it
  // hangs in (the toolkit would delete its item twice).  Its label is the command table's.
  finalcut::FMenu newContest_{RowLabel(cm::kNewContest), &file_};
  finalcut::FMenuItem world_{"The World Contest", &newContest_};

  std::string ownCall_;
  std::string contestName_;
  RowText banner_;
  TopClock clock_;
};

}  // namespace vk::ui
