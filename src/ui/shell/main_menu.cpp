#include "ui/shell/main_menu.h"

#include <algorithm>
#include <string>

#include "app/status_texts.h"
#include "tui/screen_text.h"
#include "util/menu_text.h"

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
  scp_.setText(WithHint("Check &partial", "Alt+S"));
  rate_.setText(WithHint("&Rate line", "Alt+R"));
  esm_.setText("&Enter sends messages");
  nextSide_.setText(WithHint("Next side &window", "Alt+W"));
  for (finalcut::FMenuItem* line : {&fileLine_, &optionsLine_, &helpLine_}) line->setSeparator();

  Wire(world_, cm::kNewContest);
  Wire(cabrillo_, cm::kCabrillo);
  Wire(exportAdif_, cm::kExportAdif);
  Wire(importAdif_, cm::kImportAdif);
  Wire(exit_, cm::kQuit);
  Wire(videoMode_, cm::kVideoMode);
  Wire(cwSetup_, cm::kCwSetup);
  Wire(cwMessage_, cm::kCwMessage);
  Wire(networkSetup_, cm::kNetworkSetup);
  Wire(clusterSetup_, cm::kClusterSetup);
  // Only Exit and Alt+X end the program: these must never stop a station mid-contest.
  Wire(station_, cm::kStationSetup);
  Wire(rig_, cm::kRigSetup);
  Wire(save_, cm::kSaveLog);
  Wire(changeTime_, cm::kClockHelp);
  Wire(scp_, cm::kToggleScp);
  Wire(rate_, cm::kToggleRate);
  Wire(esm_, cm::kToggleEsm);
  Wire(statistics_, cm::kStatistics);
  Wire(nextSide_, cm::kNextSideWindow);
  Wire(helpTopic_, cm::kHelpTopic);
  Wire(about_, cm::kAbout);
}

void MainMenu::Wire(finalcut::FMenuItem& item, CommandId command) {
  item.addCallback("clicked", [this, command] { issue_(command); });
}

void MainMenu::AddContest(int k, std::string_view cp866Title) {
  if (k < 1 || k > cm::kMaxNewContest) return;  // only these numbers are dispatched
  // Owned by the submenu, which deletes its children.
  auto* item = new finalcut::FMenuItem(MenuLabel(this, cp866Title), &newContest_);
  Wire(*item, static_cast<CommandId>(cm::kNewContest + k));
}

int MainMenu::TitlesEnd() {
  // The bar draws each title with one blank on either side from the first column; the hot-key
  // marker takes no column.
  int end = 0;
  for (finalcut::FMenu* m : {&file_, &options_, &tools_, &help_}) {
    const finalcut::FString& t = m->getItem()->getText();
    end += static_cast<int>(t.getLength()) + 2 - (t.includes(L"&") ? 1 : 0);
  }
  return end;
}

void MainMenu::ShowBanner(std::string_view ownCall, std::string_view contestDisplayName) {
  ownCall_.assign(ownCall);
  contestName_.assign(contestDisplayName);
  FitBannerToRow();
}

void MainMenu::FitBannerToRow() {
  const std::string_view ownCall = ownCall_, contestDisplayName = contestName_;
  const int room = static_cast<int>(getDesktopWidth()) - TitlesEnd() - kClockColumnFromRight - 1;
  const std::string text =
      FitBanner(ownCall, contestDisplayName, static_cast<std::size_t>(std::max(room, 1)));
  const bool moved =
      banner_.SetSpan(kClockColumnFromRight + 1 + static_cast<int>(text.size()), text.size());
  banner_.SetText(text);
  if (moved && isShown()) {
    // The bar repaints its titles over the whole row; the banner goes back on top.
    redraw();
    banner_.redraw();
  }
}

void MainMenu::adjustSize() {
  finalcut::FMenuBar::adjustSize();
  // The toolkit repaints the bar after this; the next idle pass fits and draws the banner.
  banner_.Place(getDesktopWidth());
  banner_.Invalidate();
  clock_.Place(getDesktopWidth());
}

}  // namespace vk::ui
