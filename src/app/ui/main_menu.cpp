#include "app/ui/main_menu.h"

#include <string>

#include "app/menu_text.h"
#include "app/status_texts.h"
#include "app/ui/screen_text.h"

namespace vk::ui {

namespace {

finalcut::FString WithHint(std::string_view label, std::string_view hint) {
  return finalcut::FString{LabelWithHint(label, hint)};
}

}  // namespace

MainMenu::MainMenu(finalcut::FWidget* desktop, Issue issue)
    : finalcut::FMenuBar(desktop),
      issue_(std::move(issue)),
      banner_(this, kBannerColumnFromRight, kBannerColumnFromRight - kClockColumnFromRight),
      clock_(this) {
  cabrillo_.setText(WithHint("&Out cabrilio", "Alt+O"));
  exit_.setText(WithHint("&Exit", "ALT+X"));
  cwMessage_.setText(WithHint("CW &Message", "Alt+M"));
  for (finalcut::FMenuItem* line : {&fileLine_, &optionsLine_, &helpLine_}) line->setSeparator();

  Wire(world_, cm::kNewContest);
  Wire(cabrillo_, cm::kCabrillo);
  Wire(exit_, cm::kQuit);
  Wire(videoMode_, cm::kVideoMode);
  Wire(cwSetup_, cm::kCwSetup);
  Wire(cwMessage_, cm::kCwMessage);
  Wire(networkSetup_, cm::kNetworkSetup);
  // Save, Change time and Help topic end the program like Exit; the log is written on the way.
  Wire(save_, cm::kQuit);
  Wire(changeTime_, cm::kQuit);
  Wire(helpTopic_, cm::kQuit);
  Wire(about_, cm::kAbout);
}

void MainMenu::Wire(finalcut::FMenuItem& item, CommandId command) {
  item.addCallback("clicked", [this, command] { issue_(command); });
}

void MainMenu::AddContest(int k, std::string_view cp866Title) {
  if (k < 1 || k > cm::kMaxNewContest) return;  // only these numbers are dispatched
  // Owned by the submenu, which deletes its children.
  auto* item = new finalcut::FMenuItem(MenuLabel(cp866Title), &newContest_);
  Wire(*item, static_cast<CommandId>(cm::kNewContest + k));
}

void MainMenu::adjustSize() {
  finalcut::FMenuBar::adjustSize();
  banner_.Place(getDesktopWidth());
  clock_.Place(getDesktopWidth());
}

}  // namespace vk::ui
